#pragma once
// The drop target of a program window: files dragged onto the window reach
// its procedure as messages sent while the drag goes on, with the record
// below in lParam; the object under the pointer takes or refuses them by
// setting `accepted`:
//   WM_USER + 1  the drag entered or moved over the window
//   WM_USER + 2  the files were dropped
//   WM_USER + 3  the drag left the window or ended (lParam 0)
// Drags without a file list send nothing. Registered when a program window
// is created and revoked when it is destroyed. User-interface thread only.
#include "platform/gtk/DragDrop.h"
#include "window/DropInfo.h"

#include <string>
#include <vector>

namespace Window {

class DropTarget final : public Platform::DropSink {
public:
    // Files (read once per entry), the pointer on the screen, and whether
    // the receiver took the drag or the drop.
    using DropInfo = Window::DropInfo;

    static constexpr UINT DragOverMessage = 0x0400 + 1;
    static constexpr UINT DropMessage = 0x0400 + 2;
    static constexpr UINT DragLeaveMessage = 0x0400 + 3;

    explicit DropTarget(Platform::WindowHandle window) : hwnd(window) {}

    // A target for the window, alive as long as the registration.
    static void Register(Platform::WindowHandle window);
    static void Revoke(Platform::WindowHandle window);

    bool dragEnter(const std::vector<std::wstring>& files, Platform::POINT point) override;
    bool dragOver(Platform::POINT point) override;
    void dragLeave() override;
    bool drop(Platform::POINT point) override;

    Platform::WindowHandle hwnd;
    DropInfo dropInfo;

private:
    bool send(UINT message, Platform::POINT point);
};

}  // namespace Window
