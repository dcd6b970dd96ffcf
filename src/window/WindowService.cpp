#include "window/WindowService.h"

#include "core/event/EventCommand.h"
#include "core/base/Exception.h"
#include "core/base/Process.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "edit/service/EditService.h"
#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowInput.h"
#include "window/Clipboard.h"
#include "window/DeferredDelete.h"
#include "window/DropTarget.h"
#include "window/InputBlock.h"
#include "window/ModalScope.h"
#include "window/WindowMouseService.h"

#include <algorithm>

namespace Window {

namespace {

constexpr int kMinimumTrackSize = 256;

bool isMainWindow(Platform::WindowHandle window) {
    auto* hook = static_cast<WindowProcHook*>(Platform::getWindowUserData(window));
    const auto* service = dynamic_cast<WindowService*>(hook);
    return service && service->mainWindow == window;
}

// Messages that an export's input block keeps from every program window.
bool blockedWhileInputDisabled(UINT message) {
    using namespace Platform;
    return message == WM_CLOSE || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           message == WM_COMMAND || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_USER + 1 && message <= WM_USER + 3);
}

}  // namespace

PopupListBoxHook popupListBoxHook;

WindowService::WindowService()
    : WindowMouse(nullptr, &mouseRect_, 0),
      waitSource_([this](Platform::WaitHandle handle) { onWaitHandle(handle); }) {
    // The "Window" group was loaded from the main settings file with the
    // members.
    registerClass();
    try {
        createWindowManager();
    } catch (...) {
        if (mainWindow) Platform::destroyWindow(mainWindow);
        Platform::unregisterClass(className);
        throw;
    }
}

WindowService::~WindowService() {
    System::UserInterface::install(nullptr);
    using System::Process::exceptionOccurred;
    using System::Process::restartRequested;
    if (Platform::isWindow(mainWindow)) {
        // The loop has ended: the window's last messages no longer reach
        // the service (nor post another quit message).
        Platform::setWindowUserData(mainWindow, nullptr);
        // After a fatal end or for a restart the window stays to the end of
        // the process.
        if (!exceptionOccurred && !restartRequested) Platform::destroyWindow(mainWindow);
    }
    Platform::unregisterClass(className);
}

namespace {
struct ModalScopeGuard final : System::UserInterface::ModalGuard {
    ModalScope scope;
};
}  // namespace

std::unique_ptr<System::UserInterface::ModalGuard> WindowService::beginModal() {
    return std::make_unique<ModalScopeGuard>();
}

void WindowService::setClipboardImage(const Media::ImageBuffer& image) {
    System::Clipboard::setImage(image);
}

void WindowService::registerClass() {
    if (!Platform::registerClass(className, dispatchWindowMessage))
        throw System::makeLastErrorException("RegisterClassExW",
                                             "Window::WindowService::registerClass");
}

void WindowService::createWindowManager() {
    mainWindow = Platform::createWindow(className, System::String::toUtf8(caption), config.x,
                                        config.y, config.w, config.h, nullptr);
    if (!mainWindow)
        throw System::makeLastErrorException("CreateWindowExW",
                                             "Window::WindowService::createWindowManager");
    Platform::setWindowUserData(mainWindow, static_cast<WindowProcHook*>(this));
    if (auto* mouse = System::Singleton<WindowMouseService>::getInstance()) {
        mouse->window = mainWindow;
        mouse->defaultCursor = mouse->currentCursor =
            WindowMouseService::cursor(WindowMouseService::CursorArrow);
    }
    if (direct2D) createRenderTarget(mainWindow);
    footer = std::make_unique<WindowFooter>(*this);
    setWindowMenu(mainWindow);
    Platform::showWindow(mainWindow, config.zoom != 0 ? Platform::SW_MAXIMIZE : Platform::SW_SHOW);
    Platform::updateWindow(mainWindow);
    // Showing runs signals synchronously; their failures end start-up.
    Platform::rethrowPendingException();
    WindowMouse::window = mainWindow;
    System::UserInterface::install(this);
}

void WindowService::registerWaitHandle(Platform::WaitHandle handle,
                                       std::function<void()> callback) {
    if (!waitHandles_.emplace(handle, std::move(callback)).second) return;
    waitSource_.add(handle);
}

void WindowService::unregisterWaitHandle(Platform::WaitHandle handle) {
    if (waitHandles_.erase(handle) == 0) return;
    waitSource_.remove(handle);
}

void WindowService::onWaitHandle(Platform::WaitHandle handle) {
    const auto found = waitHandles_.find(handle);
    if (found == waitHandles_.end()) return;
    // A copy: the callback may unregister its own handle.
    std::function<void()> callback = found->second;
    callback();  // an empty callback throws std::bad_function_call
}

void WindowService::processMessage() {
    Platform::runMessageLoop();
}

void WindowService::resize(int width, int height) {
    if (width != clientWidth_ || height != clientHeight_) {
        clientWidth_ = width;
        clientHeight_ = height;
        resizeRenderTarget(width, height);
    }
    // The style's sizes, already scaled for a High-DPI desktop.
    const int separator = Setting::WindowSeparatorSize;
    const int footerHeight = Setting::FooterHeight;
    layoutWidth = separator + width - 2;
    layoutHeight = separator + height - footerHeight;
    mouseRect_ = {0, 0, width, height};
    if (footer) footer->setRect({0, height - footerHeight, width, height});
    {
        DrawScope scope(*this, 0, 0, width, height, true);
        layoutClients();
    }
    Platform::invalidateRect(mainWindow, nullptr);
}

void WindowService::updateLayout() {
    const Platform::RECT client = Platform::getClientRect(mainWindow);
    resize(client.right, client.bottom);
    showFloatingClients();
}

void WindowService::registerClient(WindowClient* client, const std::wstring& untranslatedTitle) {
    const auto found = clients.find(untranslatedTitle);
    if (found != clients.end()) {
        found->second.client = client;
        return;
    }
    clients.emplace(untranslatedTitle, WindowClientReference{client, int(clients.size())});
}

void WindowService::unregisterClient(WindowClient* client) {
    // By identity: a panel whose entry another panel of the same title took
    // over leaves that entry alone.
    for (auto& [title, entry] : clients)
        if (entry.client == client) entry.client = nullptr;
    std::erase(dockedClients, client);
}

void WindowService::paint(cairo_t* frame) {
    RenderTargetWindow::paint(frame, [this] {
        DrawScope scope(*this, 0, 0, clientWidth_, clientHeight_, true);
        paintClients();
    });
}

LRESULT WindowService::wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    using namespace Platform;
    switch (message) {
    case WM_SIZE:
        resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        paint(reinterpret_cast<cairo_t*>(lParam));
        return 0;
    case WM_CLOSE:
        if (auto* edit = System::Singleton<Edit::EditService>::getInstance())
            if (!edit->confirmDiscardProject()) return 0;
        return defaultWndProc(window, message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
        if (!isIconic(window)) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (isZoomed(window)) {
                config.zoom = 1;
            } else {
                config.zoom = 0;
                if (!(pos->flags & SWP_NOMOVE)) {
                    config.x = pos->x;
                    config.y = pos->y;
                }
                if (!(pos->flags & SWP_NOSIZE)) {
                    config.w = pos->cx;
                    config.h = pos->cy;
                }
            }
        }
        return defaultWndProc(window, message, wParam, lParam);
    }
    case WM_COMMAND:
        if (lParam == 0) executeCommand(LOWORD(LPARAM(wParam)));
        return 0;
    case WM_INITMENUPOPUP:
        updateMenuState();
        return 0;
    case WM_USER:
        Event::dispatchEventMessage(wParam, lParam);
        return 0;
    case WM_NCDESTROY:
        if (window == mainWindow) mainWindow = nullptr;
        return defaultWndProc(window, message, wParam, lParam);
    default:
        return defaultWndProc(window, message, wParam, lParam);
    }
}

LRESULT dispatchWindowMessage(Platform::WindowHandle window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    auto* hook = static_cast<WindowProcHook*>(Platform::getWindowUserData(window));
    if (!hook) return defaultWndProc(window, message, wParam, lParam);
    // Objects destroyed while the message is handled are freed after it.
    DispatchScope scope;
    if (!inputEnable) {
        if (inputHook && inputHook(window, message, wParam, lParam)) return 0;
        if (blockedWhileInputDisabled(message)) return 0;
    }
    if (popupListBoxHook.isOpen && popupListBoxHook.isOpen()) {
        using namespace Platform;
        if (message == WM_LBUTTONDOWN) {
            if (popupListBoxHook.close) popupListBoxHook.close();
            return defWindowProc(window, message, wParam, lParam);
        }
        if (message == WM_RBUTTONDOWN || message == WM_CONTEXTMENU)
            return defWindowProc(window, message, wParam, lParam);
    }
    if (auto* mouse = System::Singleton<WindowMouseService>::getInstance())
        if (mouse->routeMessage(window, message, wParam, lParam)) return 0;
    return hook->wndProc(window, message, wParam, lParam);
}

LRESULT defaultWndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace Platform;
    switch (message) {
    case WM_CREATE:
        DropTarget::Register(window);
        return 0;
    case WM_DESTROY:
        DropTarget::Revoke(window);
        if (isMainWindow(window)) postQuitMessage(0);
        return 0;
    case WM_MOUSEACTIVATE: {
        // The click that activates the window is not delivered when it
        // lands on the object of the last left press.
        auto* mouse = System::Singleton<WindowMouseService>::getInstance();
        if (!mouse) return defWindowProc(window, message, wParam, lParam);
        const POINT at = screenToClient(window, getCursorPos());
        WindowMouse* found = mouse->hitTest(window, at.x, at.y);
        if (found) mouse->releaseGuard();
        if (found == mouse->lastPressedObject) return MA_ACTIVATEANDEAT;
        return defWindowProc(window, message, wParam, lParam);
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {kMinimumTrackSize, kMinimumTrackSize};
        return defWindowProc(window, message, wParam, lParam);
    }
    default:
        return defWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace Window
