#include "window/DropTarget.h"

#include "core/base/Exception.h"
#include "platform/gtk/NativeWindow.h"

#include <memory>

namespace Window {

void DropTarget::Register(Platform::WindowHandle window) {
    if (!Platform::registerDragDrop(window, std::make_shared<DropTarget>(window)))
        throw System::makeLastErrorException("RegisterDragDrop", "Window::DropTarget::Register");
}

void DropTarget::Revoke(Platform::WindowHandle window) {
    if (!Platform::revokeDragDrop(window))
        throw System::makeLastErrorException("RevokeDragDrop", "Window::DropTarget::Revoke");
}

bool DropTarget::send(UINT message, Platform::POINT point) {
    dropInfo.point = point;
    dropInfo.accepted = false;
    Platform::sendMessage(hwnd, message, 0, reinterpret_cast<LPARAM>(&dropInfo));
    return dropInfo.accepted;
}

bool DropTarget::dragEnter(const std::vector<std::wstring>& files, Platform::POINT point) {
    dropInfo.files = files;
    return send(DragOverMessage, point);
}

bool DropTarget::dragOver(Platform::POINT point) { return send(DragOverMessage, point); }

void DropTarget::dragLeave() {
    dropInfo.files.clear();
    Platform::sendMessage(hwnd, DragLeaveMessage, 0, 0);
}

bool DropTarget::drop(Platform::POINT point) { return send(DropMessage, point); }

}  // namespace Window
