#include "window/WindowMouse.h"

#include "core/base/Singleton.h"
#include "window/WindowMouseService.h"

namespace Window {

WindowMouse::WindowMouse(Platform::WindowHandle window, const Rect* rect, int priority)
    : service(System::Singleton<WindowMouseService>::getInstance()),
      rect(rect),
      priority(priority),
      window(window) {
    if (service) {
        service->addMouse(this);
        attached_ = true;
    }
}

WindowMouse::~WindowMouse() {
    detach();
}

void WindowMouse::detach() {
    if (!attached_) return;
    attached_ = false;
    service->removeMouse(this);
}

void WindowMouse::procMouseMove(int, int) {}
void WindowMouse::procMouseDrag(int, int) {}
void WindowMouse::procDragCancel() {}
bool WindowMouse::procDragKey(int) { return false; }
void WindowMouse::procKeyUp() {}
void WindowMouse::procLButtonDown(int, int) {}
void WindowMouse::procLButtonUp(int, int) {}
void WindowMouse::procRButtonDown(int, int) {}
void WindowMouse::procRButtonUp(int, int) {}
void WindowMouse::procMouseEnter() {}
void WindowMouse::procMouseLeave() {}
void WindowMouse::procCaptureLost() {}
void WindowMouse::procMouseWheel(int, int, int) {}
bool WindowMouse::canMouseWheel() { return true; }
bool WindowMouse::procKeyDown(int) { return false; }
bool WindowMouse::procChar(char16_t) { return false; }

void WindowMouse::procString(const std::wstring& text) {
    for (const wchar_t c : text) {
        const auto code = static_cast<char32_t>(c);
        if (code < 0x10000) {
            procChar(static_cast<char16_t>(code));
        } else {
            const char32_t v = code - 0x10000;
            procChar(static_cast<char16_t>(0xD800 + (v >> 10)));
            procChar(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
}

void WindowMouse::procKillFocus(WindowMouse*) {}
void WindowMouse::procContextMenu(int, int) {}
bool WindowMouse::procFocusIme(ImeState&) { return false; }
bool WindowMouse::procDragOver(int, int, DropInfo*) { return false; }
bool WindowMouse::procDrop(int, int, DropInfo*) { return false; }
void WindowMouse::procDragLeave() {}
void WindowMouse::procPickColor(const PickedColor*) {}
void WindowMouse::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {}

}  // namespace Window
