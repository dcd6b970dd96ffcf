#include "window/ModalScope.h"

#include "platform/gtk/NativeWindow.h"
#include "window/WindowTestSupport.h"

using namespace Platform;
using WindowTest::service;
using WindowTest::WindowServiceTest;

TEST_F(WindowServiceTest, ModalScopeDisablesTheMainWindowWhileItLives) {
    WindowHandle main = service().mainWindow;
    {
        Window::ModalScope outer;
        EXPECT_FALSE(isWindowEnabled(main));
        {
            Window::ModalScope inner;
            EXPECT_FALSE(isWindowEnabled(main));
        }
        // The inner scope found the window disabled and leaves it so.
        EXPECT_FALSE(isWindowEnabled(main));
    }
    EXPECT_TRUE(isWindowEnabled(main));
}
