#include "window/WindowService.h"

#include "core/base/Process.h"
#include "platform/gtk/NativeWindow.h"
#include "window/InputBlock.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <vector>

using namespace Platform;
using WindowTest::runFor;
using WindowTest::runUntil;
using WindowTest::service;
using WindowTest::WindowServiceTest;

TEST_F(WindowServiceTest, MainWindowOpensWithCaptionAndDefaultPlacement) {
    Window::WindowService& s = service();
    ASSERT_TRUE(isWindow(s.mainWindow));
    EXPECT_EQ(getWindowText(s.mainWindow), "Movane Quorin2");
    EXPECT_TRUE(isWindowVisible(s.mainWindow));
    runFor(100);
    const RECT client = getClientRect(s.mainWindow);
    const int bar = WindowTest::menuBarHeight();
    EXPECT_EQ(client.right, 1280);
    EXPECT_EQ(client.bottom, 720 - bar);
    EXPECT_EQ(s.config.x, 0);
    EXPECT_EQ(s.config.y, 0);
    EXPECT_EQ(s.config.w, 1280);
    EXPECT_EQ(s.config.h, 720);
    EXPECT_EQ(s.config.zoom, 0);
    // The docking area leaves the footer's 24 pixels free.
    EXPECT_EQ(s.layoutWidth, 5 + 1280 - 2);
    EXPECT_EQ(s.layoutHeight, 5 + 720 - bar - 24);
    EXPECT_EQ(s.footer->rect().top, 696 - bar);
    EXPECT_EQ(s.footer->rect().bottom, 720 - bar);
}

TEST_F(WindowServiceTest, ClosingTheMainWindowEndsTheLoop) {
    Window::WindowService& s = service();
    WindowHandle main = s.mainWindow;
    postMessage(main, WM_CLOSE, 0, 0);
    s.processMessage();  // the main window's end posts the quit message
    EXPECT_FALSE(isWindow(main));
    EXPECT_EQ(s.mainWindow, nullptr);
}

TEST_F(WindowServiceTest, MovingAndResizingAreStoredAndShrinkingStopsAt256) {
    Window::WindowService& s = service();
    GtkWindow* window = toolkitWindow(s.mainWindow);
    gtk_window_move(window, 100, 50);
    gtk_window_resize(window, 800, 600);
    runUntil([&] {
        return s.config.h == 600 && s.config.y == 50 && s.layoutHeight == 581 - WindowTest::menuBarHeight();
    });
    const int bar = WindowTest::menuBarHeight();
    EXPECT_EQ(s.config.x, 100);
    EXPECT_EQ(s.config.y, 50);
    EXPECT_EQ(s.config.w, 800);
    EXPECT_EQ(s.config.h, 600);
    EXPECT_EQ(s.layoutHeight, 5 + 600 - bar - 24);

    gtk_window_resize(window, 100, 100);
    runUntil([&] { return s.config.h != 600; });
    EXPECT_EQ(s.config.w, 256);
    EXPECT_EQ(s.config.h, 256);
    EXPECT_EQ(s.config.x, 100);
}

TEST_F(WindowServiceTest, InputBlockKeepsTheCloseRequestFromTheWindow) {
    Window::WindowService& s = service();
    std::vector<UINT> hooked;
    Window::inputEnable = false;
    Window::inputHook = [&](WindowHandle, UINT message, WPARAM, LPARAM) {
        hooked.push_back(message);
        return false;
    };
    postMessage(s.mainWindow, WM_CLOSE, 0, 0);
    runUntil([&] { return !hooked.empty(); });
    Window::inputEnable = true;
    Window::inputHook = nullptr;
    EXPECT_TRUE(isWindow(s.mainWindow));
    ASSERT_FALSE(hooked.empty());
    EXPECT_EQ(hooked.front(), WM_CLOSE);

    postMessage(s.mainWindow, WM_CLOSE, 0, 0);
    s.processMessage();
    EXPECT_FALSE(isWindow(s.mainWindow));
}

TEST_F(WindowServiceTest, TheMainWindowOutlivesTheServiceAfterAFatalEndAndForARestart) {
    struct Case {
        const char* name;
        bool exceptionOccurred, restartRequested, windowKept;
    };
    for (const Case& c : {Case{"normal end", false, false, false}, Case{"fatal end", true, false, true},
                          Case{"restart", false, true, true}}) {
        SCOPED_TRACE(c.name);
        if (!holder) holder = std::make_unique<System::Singleton<Window::WindowService>>();
        WindowHandle main = service().mainWindow;
        System::Process::exceptionOccurred = c.exceptionOccurred;
        System::Process::restartRequested = c.restartRequested;
        holder.reset();
        System::Process::exceptionOccurred = false;
        System::Process::restartRequested = false;
        ASSERT_EQ(isWindow(main), c.windowKept);
        if (!c.windowKept) continue;
        // Its messages no longer reach the released service.
        EXPECT_EQ(getWindowUserData(main), nullptr);
        sendMessage(main, WM_PAINT, 0, 0);
        destroyWindow(main);
    }
}

TEST_F(WindowServiceTest, TheFooterAndTheDockingAreaTakeTheStylesSizes) {
    holder.reset();
    settings.reset();
    CoreTest::writeBytes((folder.data() / "style.conf").string(), "[Layout]\nFooterHeight=40\nWindowSeparatorSize=8\n");
    settings = std::make_unique<System::Singleton<Setting::SettingService>>();
    holder = std::make_unique<System::Singleton<Window::WindowService>>();
    Window::WindowService& s = service();
    runUntil([&] { return s.layoutHeight == 8 + 720 - WindowTest::menuBarHeight() - 40; });
    const int bar = WindowTest::menuBarHeight();
    EXPECT_EQ(s.layoutWidth, 8 + 1280 - 2);
    EXPECT_EQ(s.layoutHeight, 8 + 720 - bar - 40);
    EXPECT_EQ(s.footer->rect().top, 680 - bar);
    EXPECT_EQ(s.footer->rect().bottom, 720 - bar);
}
