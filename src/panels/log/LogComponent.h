#pragma once
// The log window: the newest lines of the program's log in their level
// colours below a title band, with a scroll bar (the wheel steps three
// lines; a right-button drag moves the lines with the pointer) and a menu
// to copy the ring to the clipboard (newest line first), clear it, or open
// the log settings. Created once at start-up, hidden by default; it may
// float. The scroll position is not kept.
// User-interface thread only.
#include "panels/log/LogViewControl.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/ScrollBarControl.h"
#include "window/controls/TitleHeaderControl.h"

#include <functional>
#include <memory>

namespace System {
class Logger;
}

namespace Component {

class LogComponent : public Window::WindowClientRenderTarget {
public:
    // logger: the view ring shown (the process's logger by default).
    explicit LogComponent(System::Logger* logger);
    LogComponent();
    ~LogComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<LogComponent>& instance();
    // The log settings dialog, installed by the program's dialogs (the
    // menu item does nothing without it).
    static std::function<void()>& logSettingDialog();

    void procPaint() override;
    void procMove() override;
    void recreateClient() override;
    void procRButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    void procContextMenu(int x, int y) override;

    // Scroll range and view from the view's offset and the ring size seen.
    void updateScrollRange();
    void copyLog();
    void clearLog();

    Window::WindowControlOwner owner;
    Control::TitleHeaderControl header;
    Control::ScrollBarControl scrollBar;
    LogViewControl view;
    int dragStartOffset = 0;
};

}  // namespace Component
