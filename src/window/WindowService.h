#pragma once
// The shell of the user interface: the program's single window class, the
// main window with its footer, and the message loop of the user-interface
// thread, which also waits on the handles other services register (timers,
// events). The main window draws through its drawing target, which needs the
// 2D drawing service: without it (tools, tests) the window stays undrawn. A process-wide service (System::Singleton). Every member runs on
// the user-interface thread; other threads post messages to the main window
// or signal a registered handle.
#include "core/event/UserInterface.h"
#include "core/file/Config.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/gtk/Messages.h"
#include "platform/gtk/WaitSource.h"
#include "window/DockLayout.h"
#include "window/WindowFooter.h"
#include "window/WindowMenuManager.h"
#include "window/WindowMouse.h"
#include "window/WindowProcHook.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct _cairo cairo_t;

namespace Window {

class WindowClient;

// As an input object the service is the main window's whole client area at
// priority 0, below every panel and control: it receives the mouse only
// where no panel lies (the separators between docked panels).
class WindowService final : public Media::RenderTargetWindow,
                            public WindowMouse,
                            public WindowMenuManager,
                            public WindowProcHook,
                            public System::UserInterface {
public:
    // The "Window" settings group: the main window's restored placement and
    // whether it is maximised (zoom 1).
    struct WindowConfig {
        int x = 0;
        int y = 0;
        int w = 1280;
        int h = 720;
        int zoom = 0;
    };

    // A panel of the registry: client is null once the panel is destroyed;
    // order is the number of entries the registry held when the entry was
    // made (the display menu lists the panels by it).
    struct WindowClientReference {
        WindowClient* client = nullptr;
        int order = 0;
    };

    static constexpr const char* className = "movane2Manager";

    // Registers the window class and creates and shows the main window.
    WindowService();
    ~WindowService();
    WindowService(const WindowService&) = delete;
    WindowService& operator=(const WindowService&) = delete;

    // A handle already registered keeps its first callback.
    void registerWaitHandle(Platform::WaitHandle handle, std::function<void()> callback) override;
    // An unknown handle is ignored. Unregister a handle before closing it.
    void unregisterWaitHandle(Platform::WaitHandle handle) override;

    // Runs the loop until the quit message; an exception from a window
    // procedure or a wait-handle callback leaves it.
    void processMessage();
    void resize(int width, int height);
    // Lays out for the current client size and shows or hides the
    // floating windows. Also reached by posting WM_USER with the layout
    // command to the main window.
    void updateLayout();

    // Panel constructors and destructors. A panel whose untranslated title
    // is registered already takes over that entry (and its order). A panel
    // that does not float is then appended to dockedClients by its
    // constructor.
    void registerClient(WindowClient* client, const std::wstring& untranslatedTitle);
    // Clears the panel's entry and removes it from dockedClients.
    void unregisterClient(WindowClient* client);

    LRESULT wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam,
                    LPARAM lParam) override;

    Platform::WindowHandle commandWindow() const override { return mainWindow; }
    std::unique_ptr<ModalGuard> beginModal() override;
    void requestLayout() override { updateLayout(); }
    void setClipboardImage(const Media::ImageBuffer& image) override;

    Platform::WindowHandle mainWindow = nullptr;
    const std::wstring caption = L"Movane Quorin2";
    int layoutWidth = 0;
    int layoutHeight = 0;
    std::unique_ptr<WindowFooter> footer;
    WindowConfig config;
    // By untranslated title; entries are never removed.
    std::unordered_map<std::wstring, WindowClientReference> clients;
    // The panels that do not float, in the order they registered or docked.
    std::vector<WindowClient*> dockedClients;

    // The docking layout (WindowServiceLayout.cpp). Callers of
    // layoutClients open a drawing nesting around it.
    void layoutClients();
    void normalizeLayout();
    // Makes room for a hidden or floating panel about to be shown or docked.
    void insertClient(WindowClient& panel);
    void moveToFirst(WindowClient& panel);
    void moveToLast(WindowClient& panel);
    void moveUp(WindowClient& panel);
    void moveDown(WindowClient& panel);
    // Shows a hidden panel in its place or its tab group and lays out.
    void showWindowClient(WindowClient& panel);
    // The panel takes the place of the shown member of its group.
    void joinGroup(WindowClient& panel);
    void setGrouped(WindowClient& panel, bool grouped);
    std::vector<Platform::WindowHandle> floatingWindows() const;
    DockList dockedPlacements() const;
    DockMetrics dockMetrics() const;
    // The splitter under the pointer, dragged from the separators.
    void procMouseMove(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procCaptureLost() override;
    DockSplitter splitter;

private:
    void registerClass();
    void createWindowManager();
    void paint(cairo_t* cr);
    // Docked panels, tab strips, empty background, footer, separators.
    void paintClients();
    void drawSeparators();
    void drawEmptyBackground();
    void showFloatingClients();
    // resize with the current client size.
    void relayout();
    void onWaitHandle(Platform::WaitHandle handle);

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    // The input object's rectangle: the whole client area.
    Rect mouseRect_;
    std::unordered_map<Platform::WaitHandle, std::function<void()>> waitHandles_;
    Platform::WaitSource waitSource_;
    // The "Window" group of the main settings file, bound to config.
    System::Config configGroup_{"Window"};
    System::Config::Int configX_{configGroup_, "x", &config.x, 0};
    System::Config::Int configY_{configGroup_, "y", &config.y, 0};
    System::Config::Int configW_{configGroup_, "w", &config.w, 1280};
    System::Config::Int configH_{configGroup_, "h", &config.h, 720};
    System::Config::Int configZoom_{configGroup_, "zoom", &config.zoom, 0};
    System::Config::Scope configScope_{configGroup_};
};

// The procedure of the window class, shared by every program window: while
// an export blocks input, the export's hook and the block; then the popup
// list box; then the mouse routing service; then the window's own hook.
// Every message is handled inside a DispatchScope (DeferredDelete.h).
// The popup list box's call point (empty while no list box exists): whether
// it is open, and closing it.
struct PopupListBoxHook {
    std::function<bool()> isOpen;
    std::function<void()> close;
};
extern PopupListBoxHook popupListBoxHook;

LRESULT dispatchWindowMessage(Platform::WindowHandle window, UINT message, WPARAM wParam,
                              LPARAM lParam);
// The default procedure shared by the main and the floating windows. A
// click that activates a window is eaten when it lands on the object that
// received the last left press.
LRESULT defaultWndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace Window
