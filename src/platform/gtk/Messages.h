#pragma once
// The Win32-shaped messages that the program's window procedures handle.
// GTK signals of a program window are turned into these (see NativeWindow.h);
// posted messages travel through our own queue (see MessageQueue.h).
// Codes keep their Win32 values so that code comparing ranges keeps working.
#include "platform/WinTypes.h"

namespace Platform {

class NativeWindow;
// A program top-level window; null for none. Valid until the window is
// destroyed (destroyWindow), after which isWindow() reports false.
using WindowHandle = NativeWindow*;

using WindowProc = LRESULT (*)(WindowHandle, UINT, WPARAM, LPARAM);

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct POINT {
    int x = 0;
    int y = 0;
};

// lParam of WM_WINDOWPOSCHANGED: the window's new placement (its size is the
// client size: the frame belongs to the window manager).
struct WINDOWPOS {
    WindowHandle hwnd = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// lParam of WM_GETMINMAXINFO, sent once while a window is created; the
// minimum tracking size becomes the window's minimum size.
struct MINMAXINFO {
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SIZE = 0x0005;
// lParam: the cairo_t of the frame being drawn, valid during the call.
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_KEYFIRST = 0x0100;   // WM_KEYDOWN
inline constexpr UINT WM_KEYLAST = 0x0109;    // WM_UNICHAR
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_MOUSEFIRST = 0x0200; // WM_MOUSEMOVE
inline constexpr UINT WM_MOUSELAST = 0x020E;  // WM_MOUSEHWHEEL
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;
inline constexpr UINT WM_USER = 0x0400;

// wParam of WM_SIZE.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// WINDOWPOS flags.
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;

// showWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOW = 5;

constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(low & 0xFFFF));
}
constexpr int LOWORD(LPARAM value) { return static_cast<int>(value & 0xFFFF); }
constexpr int HIWORD(LPARAM value) { return static_cast<int>((value >> 16) & 0xFFFF); }

}  // namespace Platform
