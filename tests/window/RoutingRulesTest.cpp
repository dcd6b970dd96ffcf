// The router's rules on messages sent to a real main window: context menus
// and the right press that moved the focus, focus loss to the wheel, key
// calls and the shortcut call point, the key-release wait, the delivery
// guard against re-entry, objects destroyed by their own handler, and the
// export's input block.
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "platform/gtk/InputMessages.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowFrame.h"
#include "platform/gtk/WindowInput.h"
#include "support/VirtualDisplay.h"
#include "window/DeferredDelete.h"
#include "window/InputBlock.h"
#include "window/WindowControl.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Platform;
using Window::WindowMouseService;

std::vector<std::string> calls;

class Probe : public Window::WindowControl {
public:
    Probe(const std::string& name, Window::WindowControlOwner& owner, int l, int t, int r, int b)
        : WindowControl(owner, l, t, r, b), name(name) {}
    ~Probe() override { calls.push_back(name + " freed"); }
    void procPaint() override {}
    void procMouseMove(int x, int y) override { note("move", x, y); }
    void procLButtonDown(int x, int y) override {
        note("down", x, y);
        if (onDown) onDown();
    }
    void procRButtonDown(int x, int y) override { note("rdown", x, y); }
    void procContextMenu(int x, int y) override { note("menu", x, y); }
    void procMouseWheel(int x, int y, int) override { note("wheel", x, y); }
    void procKillFocus(Window::WindowMouse*) override { calls.push_back(name + " killfocus"); }
    bool procKeyDown(int key) override {
        calls.push_back(name + " key " + std::to_string(key));
        return true;
    }
    bool procChar(char16_t c) override {
        calls.push_back(name + " char " + std::to_string(int(c)));
        return true;
    }
    void procKeyUp() override { calls.push_back(name + " keyup"); }

    void note(const char* what, int x, int y) {
        calls.push_back(name + " " + what + " " + std::to_string(x) + "," + std::to_string(y));
    }
    std::string name;
    std::function<void()> onDown;
};

class RoutingRules : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        calls.clear();
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        mouse = std::make_unique<System::Singleton<WindowMouseService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
        window = WindowTest::service().mainWindow;
        router().tickCount = [] { return std::uint64_t(1000000); };
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, &WindowTest::service(), 200,
                                                             &area, &area);
        a = std::make_unique<Probe>("A", *owner, 0, 0, 100, 100);
        b = std::make_unique<Probe>("B", *owner, 200, 0, 100, 100);
    }
    void TearDown() override {
        b.reset();
        a.reset();
        owner.reset();
        holder.reset();
        mouse.reset();
        settings.reset();
    }
    WindowMouseService& router() { return *mouse->getInstance(); }
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
        return sendMessage(window, message, wParam, lParam);
    }
    void click(UINT down, UINT up, int x, int y) {
        send(down, 0, MAKELPARAM(x, y));
        send(up, 0, MAKELPARAM(x, y));
    }
    LPARAM screen(int x, int y) {
        const POINT at = clientToScreen(window, {x, y});
        return MAKELPARAM(at.x, at.y);
    }

    CoreTest::ProgramFolder folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
    WindowHandle window = nullptr;
    Window::Rect area{0, 0, 600, 400};
    std::unique_ptr<Window::WindowControlOwner> owner;
    std::unique_ptr<Probe> a;
    std::unique_ptr<Probe> b;
};

TEST_F(RoutingRules, AnUnhandledRightClickOpensTheContextMenuUnlessItMovedTheFocus) {
    b->acceptsRightButton = b->acceptsContextMenu = true;
    router().takeFocus(a.get());
    calls.clear();
    click(WM_RBUTTONDOWN, WM_RBUTTONUP, 250, 50);
    EXPECT_EQ(calls, (std::vector<std::string>{"B move 50,50", "A killfocus", "B rdown 50,50"}));
    calls.clear();
    click(WM_RBUTTONDOWN, WM_RBUTTONUP, 260, 60);
    EXPECT_EQ(calls, (std::vector<std::string>{"B move 60,60", "B rdown 60,60", "B menu 60,60"}));
    calls.clear();
    // Objects that take no right button leave the point to those below.
    click(WM_RBUTTONDOWN, WM_RBUTTONUP, 50, 50);
    EXPECT_EQ(calls, (std::vector<std::string>{"A move 50,50"}));
}

TEST_F(RoutingRules, AnyWheelNotchOutsideTheFocusedObjectTakesTheFocus) {
    router().takeFocus(a.get());
    calls.clear();
    send(WM_MOUSEWHEEL, WPARAM(120) << 16, screen(250, 50));  // B takes no wheel
    EXPECT_EQ(calls, (std::vector<std::string>{"A killfocus"}));
    EXPECT_EQ(router().focus, nullptr);
    a->acceptsWheel = true;
    router().takeFocus(a.get());
    calls.clear();
    send(WM_MOUSEWHEEL, WPARAM(120) << 16, screen(10, 20));
    EXPECT_EQ(calls, (std::vector<std::string>{"A wheel 10,20"}));
    EXPECT_EQ(router().focus, a.get());
}

TEST_F(RoutingRules, KeysGoToTheFocusOrToTheShortcutCallPoint) {
    std::vector<int> shortcuts;
    router().hooks.dispatchKey = [&](int key) {
        shortcuts.push_back(key);
        return key == 'S';
    };
    send(WM_KEYDOWN, 'S', 1);
    send(WM_KEYDOWN, 'X', 1);
    EXPECT_EQ(shortcuts, (std::vector<int>{'S', 'X'}));
    EXPECT_TRUE(calls.empty());
    router().takeFocus(b.get());
    send(WM_KEYDOWN, 'S', 1);
    send(WM_CHAR, 's', 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"B key 83", "B char 115"}));
    EXPECT_EQ(shortcuts.size(), 2u);
    // A waiter for Ctrl's release hears of it once.
    router().setKeyReleaseWait(a.get(), 17);
    send(WM_KEYUP, 16, 1);
    send(WM_KEYUP, 17, 1);
    send(WM_KEYUP, 17, 1);
    EXPECT_EQ(calls.back(), "A keyup");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "A keyup"), 1);
}

TEST_F(RoutingRules, MouseMessagesOfALoopInsideAHandlerReachNoObject) {
    a->onDown = [&] {
        // A nested loop (a popup menu) delivering the pointer's moves.
        send(WM_MOUSEMOVE, 0, MAKELPARAM(250, 50));
        send(WM_LBUTTONDOWN, 0, MAKELPARAM(250, 50));
    };
    send(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(calls, (std::vector<std::string>{"A move 10,10", "A down 10,10"}));
    send(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    // Afterwards the guard is clear again.
    calls.clear();
    send(WM_MOUSEMOVE, 0, MAKELPARAM(260, 60));
    EXPECT_EQ(calls, (std::vector<std::string>{"B move 60,60"}));
}

TEST_F(RoutingRules, AControlDestroyedByItsOwnHandlerIsFreedAfterTheMessage) {
    a->onDown = [&] {
        router().startDrag(0, 0, WindowMouseService::cursor(WindowMouseService::CursorSizeAll));
        // Its command rebuilds the panel: the control goes while it runs.
        Window::deleteLater(std::move(a));
        calls.push_back("handed over");
    };
    send(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(calls, (std::vector<std::string>{"A move 10,10", "A down 10,10", "handed over", "A freed"}));
    EXPECT_EQ(router().pressed, nullptr);
    calls.clear();
    send(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    send(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(owner->controls.size(), 1u);
    EXPECT_EQ(owner->controls[0], b.get());
}

TEST_F(RoutingRules, ADragStartedWithoutACursorKeepsTheDefaultOne) {
    a->onDown = [&] { router().startDrag(0, 0, nullptr); };
    send(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(router().currentCursor, router().defaultCursor);
    send(WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
    send(WM_LBUTTONUP, 0, MAKELPARAM(40, 30));
    EXPECT_EQ(router().currentCursor, router().defaultCursor);
}

TEST_F(RoutingRules, DuringAnExportInputReachesOnlyTheExportsHook) {
    std::vector<UINT> hooked;
    Window::inputHook = [&](WindowHandle, UINT message, WPARAM, LPARAM) {
        hooked.push_back(message);
        return false;
    };
    Window::inputEnable = false;
    click(WM_LBUTTONDOWN, WM_LBUTTONUP, 10, 10);
    send(WM_KEYDOWN, 'A', 1);
    Window::inputEnable = true;
    Window::inputHook = nullptr;
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(hooked, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN}));
}

}  // namespace
