#pragma once
// The input messages of the program's windows, with their Win32 codes and
// argument layouts: the GDK events of a window's drawing area become these
// (see WindowInput.h), and the mouse routing service reads them.
//
// Mouse messages: lParam = MAKELPARAM(x, y) in the client area (signed
// 16-bit halves), wParam = the MK_ flags; WM_MOUSEWHEEL and WM_MOUSEHWHEEL
// carry the screen point in lParam and the delta (120 a notch, positive away
// from the user or to the right) in the high word of wParam.
// Key messages: wParam = the virtual-key code (VirtualKeys.h), lParam = the
// repeat count (1) | scan code << 16 | previous state << 30 | transition
// << 31; WM_CHAR and friends carry one UTF-16 unit.
#include "platform/gtk/Messages.h"

namespace Platform {

inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSEHWHEEL = 0x020E;
inline constexpr UINT WM_IME_CHAR = 0x0286;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;

// wParam of the mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// Low word of WM_ACTIVATE's wParam.
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;

// Results of WM_MOUSEACTIVATE (wParam: the window, lParam: MAKELPARAM(hit
// area, mouse message)).
inline constexpr LRESULT MA_ACTIVATE = 1;
inline constexpr LRESULT MA_ACTIVATEANDEAT = 2;
inline constexpr LRESULT MA_NOACTIVATE = 3;
inline constexpr LRESULT MA_NOACTIVATEANDEAT = 4;
inline constexpr int HTCLIENT = 1;

// lParam flags of WM_IME_COMPOSITION.
inline constexpr LPARAM GCS_COMPSTR = 0x0008;
inline constexpr LPARAM GCS_CURSORPOS = 0x0080;
inline constexpr LPARAM GCS_RESULTSTR = 0x0800;

// The signed halves of a mouse lParam.
constexpr int GET_X_LPARAM(LPARAM value) { return static_cast<short>(value & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM value) { return static_cast<short>((value >> 16) & 0xFFFF); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM value) {
    return static_cast<short>((value >> 16) & 0xFFFF);
}

}  // namespace Platform
