// A program window subclassed by a function: the function sees the
// messages first and passes on what it chooses; removing it, or the
// window's end, gives the window back its own procedure.
#include "window/Subclass.h"

#include "core/base/Exception.h"
#include "platform/gtk/NativeWindow.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kPing = Platform::WM_USER + 40;
constexpr UINT kSwallowed = Platform::WM_USER + 41;

struct RecordingHook final : Window::WindowProcHook {
    LRESULT wndProc(Platform::WindowHandle, UINT message, WPARAM, LPARAM) override {
        seen.push_back(message);
        return 7;
    }
    std::vector<UINT> seen;
};

class SubclassTest : public WindowTest::WindowServiceTest {
protected:
    void SetUp() override {
        WindowServiceTest::SetUp();
        window = Platform::createWindow(Window::WindowService::className, "subclass", 0, 0, 100, 100, nullptr);
        ASSERT_NE(window, nullptr);
        Platform::setWindowUserData(window, static_cast<Window::WindowProcHook*>(&own));
    }
    void TearDown() override {
        if (Platform::isWindow(window)) Platform::destroyWindow(window);
        WindowServiceTest::TearDown();
    }

    Platform::WindowHandle window = nullptr;
    RecordingHook own;
};

TEST_F(SubclassTest, TheFunctionSeesMessagesFirstAndPassesOnWhatItChooses) {
    std::vector<UINT> first;
    Window::Subclass subclass;
    subclass.registerProc(window, [&](Window::Subclass& self, Platform::WindowHandle w, UINT message, WPARAM wp,
                                      LPARAM lp) -> LRESULT {
        first.push_back(message);
        if (message == kSwallowed) return 1;
        return self.defSubclassProc(w, message, wp, lp) + 100;
    });
    EXPECT_EQ(subclass.hwnd, window);
    EXPECT_EQ(Platform::sendMessage(window, kPing, 0, 0), 107);
    EXPECT_EQ(Platform::sendMessage(window, kSwallowed, 0, 0), 1);
    EXPECT_EQ(first, (std::vector<UINT>{kPing, kSwallowed}));
    EXPECT_EQ(own.seen, (std::vector<UINT>{kPing}));
    // Attached twice: refused.
    EXPECT_THROW(subclass.registerProc(window, subclass.proc), System::Exception);

    subclass.removeProc();
    EXPECT_EQ(subclass.hwnd, nullptr);
    EXPECT_EQ(Platform::sendMessage(window, kSwallowed, 0, 0), 7);
    EXPECT_EQ(first.size(), 2u);
}

TEST_F(SubclassTest, TheWindowsEndDetachesBeforeTheFunctionSeesIt) {
    bool attachedAtDestroy = true;
    Window::Subclass subclass;
    subclass.registerProc(window, [&](Window::Subclass& self, Platform::WindowHandle w, UINT message, WPARAM wp,
                                      LPARAM lp) -> LRESULT {
        if (message == Platform::WM_DESTROY) attachedAtDestroy = self.hwnd != nullptr;
        return self.defSubclassProc(w, message, wp, lp);
    });
    Platform::destroyWindow(window);
    EXPECT_FALSE(attachedAtDestroy);
    EXPECT_EQ(subclass.hwnd, nullptr);
    // A window that does not exist cannot be attached.
    EXPECT_THROW(subclass.registerProc(window, subclass.proc), System::Exception);
}

}  // namespace
