#include "window/WindowFloating.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowFrame.h"
#include "window/WindowClient.h"
#include "window/WindowService.h"

namespace Window {

WindowFloating::WindowFloating(WindowClient& panel) : panel(&panel) { createWindow(); }

WindowFloating::~WindowFloating() {
    if (!Platform::isWindow(windowHandle)) return;
    // Activation stays in the program.
    if (panel && panel->windowService) Platform::setForegroundWindow(panel->windowService->mainWindow);
    Platform::setWindowUserData(windowHandle, nullptr);
    Platform::destroyWindow(windowHandle);
}

void WindowFloating::createWindow() {
    const ClientPlacement& p = panel->placement;
    const std::string title = System::String::toUtf8(panel->getTitle());
    Platform::WindowHandle owner = panel->windowService ? panel->windowService->mainWindow : nullptr;
    Platform::WindowHandle handle =
        Platform::createWindow(WindowService::className, title, p.x, p.y, p.w, p.h, owner);
    if (!handle) throw System::makeLastErrorException("CreateWindowExW", "Window::WindowFloating::createWindow");
    windowHandle = handle;
    Platform::insertSystemMenuItem(handle, 0, dockCommand,
                                   System::String::toUtf8(Translate::TranslateService::translateMenu(L"ウィンドウを統合")));
    Platform::insertSystemMenuItem(handle, 1, 0, {});
    if (panel->kind == WindowClient::FloatsWithoutCaption) Platform::setCaptionlessDarkFrame(handle);
    Platform::setWindowUserData(handle, static_cast<WindowProcHook*>(this));
    if (direct2D) createRenderTarget(handle);
}

void WindowFloating::detach() {
    if (!Platform::isWindow(windowHandle)) return;
    Platform::setWindowUserData(windowHandle, nullptr);
    Platform::showWindow(windowHandle, Platform::SW_HIDE);
}

LRESULT WindowFloating::wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace Platform;
    switch (message) {
    case WM_SIZE: {
        const int width = LOWORD(lParam);
        const int height = HIWORD(lParam);
        if (width != clientWidth || height != clientHeight) resizeRenderTarget(width, height);
        clientWidth = width;
        clientHeight = height;
        if (!panel->isHidden()) panel->updateWindowRect(true);
        return 0;
    }
    case WM_PAINT:
        paint(reinterpret_cast<cairo_t*>(lParam), [this] {
            if (!panel->isHidden()) panel->procPaint();
        });
        return 0;
    case WM_CLOSE:
        panel->toggleVisible();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        ClientPlacement& p = panel->placement;
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (isZoomed(window)) {
            p.zoom = 1;
        } else if (!isIconic(window)) {
            p.zoom = 0;
            if (!(pos->flags & SWP_NOMOVE)) {
                p.x = pos->x;
                p.y = pos->y;
            }
            if (!(pos->flags & SWP_NOSIZE)) {
                p.w = pos->cx;
                p.h = pos->cy;
            }
        }
        return defaultWndProc(window, message, wParam, lParam);
    }
    case WM_SYSCOMMAND:
        if (wParam == dockCommand) {
            panel->setFloating(false);
            return 0;
        }
        return defaultWndProc(window, message, wParam, lParam);
    default:
        return defaultWndProc(window, message, wParam, lParam);
    }
}

}  // namespace Window
