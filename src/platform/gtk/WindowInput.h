#pragma once
// Mouse, keyboard and IME of the program windows over GDK: the GDK events
// of each window's drawing area become the messages of InputMessages.h,
// delivered to the window's procedure as they arrive:
//   button press / release        -> WM_[LRM]BUTTONDOWN / UP (a press on a
//                                    window that is not active is first
//                                    offered as WM_MOUSEACTIVATE; an "eat"
//                                    answer drops it); GDK's own double
//                                    clicks are ignored
//   motion                        -> WM_MOUSEMOVE
//   scroll                        -> WM_MOUSEWHEEL / WM_MOUSEHWHEEL
//   leave (tracked)               -> WM_MOUSELEAVE; resting -> WM_MOUSEHOVER
//   key press / release           -> WM_KEYDOWN / UP, or WM_SYSKEYDOWN / UP
//                                    with Alt held and for F10, followed by
//                                    WM_CHAR / WM_SYSCHAR for characters and
//                                    control characters
//   toplevel focus in / out       -> WM_ACTIVATE, WM_SETFOCUS / WM_KILLFOCUS
//   grab broken, releaseCapture   -> WM_CAPTURECHANGED
//   GtkIMContext preedit / commit -> WM_IME_STARTCOMPOSITION,
//                                    WM_IME_COMPOSITION (GCS_COMPSTR,
//                                    GCS_RESULTSTR), WM_IME_CHAR,
//                                    WM_IME_ENDCOMPOSITION
// defWindowProc turns an unhandled right-button release, Shift+F10 and the
// menu key into WM_CONTEXTMENU (lParam: the screen point, -1 from keys).
// User-interface thread only.
#include "platform/gtk/InputMessages.h"
#include "platform/gtk/WindowFrame.h"

#include <cstdint>
#include <string>

typedef struct _GdkCursor GdkCursor;
typedef struct _GtkIMContext GtkIMContext;

namespace Platform {

// Capture (a pointer grab): the window receives every mouse message until
// releaseCapture, which sends WM_CAPTURECHANGED to it, or until the grab is
// broken (WM_CAPTURECHANGED as well).
void setCapture(WindowHandle window);
void releaseCapture();
WindowHandle getCapture();
// A screen-colour pick: the window keeps the pointer (across capture
// changes) with the cursor shown everywhere, so that a click anywhere on
// the screen, also over other programs, reaches it.
void beginScreenPick(WindowHandle window, GdkCursor* cursor);
void endScreenPick();

// The window holding the keyboard focus (its toplevel is active), or null.
WindowHandle getFocus();
// Activates the window and gives it the keyboard focus.
void setFocus(WindowHandle window);
bool isWindowActive(WindowHandle window);

// Negative while the key (a virtual-key code) is held.
short getKeyState(int virtualKey);
// Whether another press of the same key as the one being handled waits in
// the display's queue for the window (repeats that piled up).
bool isKeyDownQueued(WindowHandle window, WPARAM virtualKey);

// The pointer in screen coordinates.
POINT getCursorPos();
void setCursorPos(int x, int y);
// The client area of the window (its drawing area); clientToScreen is in
// WindowFrame.h.
POINT screenToClient(WindowHandle window, POINT point);
// The colour of one screen pixel; false when it cannot be read.
bool getScreenPixel(int x, int y, std::uint8_t rgb[3]);

// System cursor ids (IDC_ARROW ...) and the program's cursor resources
// (129 left-right, 130 colour pick, 143 up-down). Null when the cursor
// cannot be made; the handle lives to the end of the process.
inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_IBEAM = 32513;
inline constexpr int IDC_WAIT = 32514;
inline constexpr int IDC_SIZEWE = 32644;
inline constexpr int IDC_SIZENS = 32645;
inline constexpr int IDC_SIZEALL = 32646;
inline constexpr int IDC_NO = 32648;
inline constexpr int IDC_HAND = 32649;
inline constexpr int IDC_APPSTARTING = 32650;
GdkCursor* loadCursor(int id, bool system);
// The toolkit name of a system cursor id ("default", "text" ...), or the
// program cursor's own name ("movane2-129"); empty when unknown.
std::string cursorName(int id, bool system);
// Shows the cursor (null hides the pointer) in every program window, now
// and for windows made later.
void setClassCursor(GdkCursor* cursor);

// TrackMouseEvent: WM_MOUSEHOVER once the pointer rests for hoverTime ms,
// WM_MOUSELEAVE when it leaves the window; TME_CANCEL ends the tracking.
inline constexpr DWORD TME_HOVER = 0x00000001;
inline constexpr DWORD TME_LEAVE = 0x00000002;
inline constexpr DWORD TME_CANCEL = 0x80000000;
inline constexpr unsigned HOVER_DEFAULT = 400;
void trackMouseEvent(WindowHandle window, DWORD flags, unsigned hoverTime = HOVER_DEFAULT);

// The input method of a window: switched on (keys go through it, its
// compositions arrive as WM_IME_*) or off (keys give plain characters).
void associateIme(WindowHandle window, bool on);
// The string of the composition being delivered (GCS_RESULTSTR during its
// WM_IME_COMPOSITION) and the preedit text.
std::wstring imeResultString(WindowHandle window);
std::wstring imeCompositionString(WindowHandle window);
// Where the caret is, in client pixels (for the candidate window).
void setImeCaretRect(WindowHandle window, const RECT& rect);
// The window's input method context (tests drive it directly).
GtkIMContext* imeContext(WindowHandle window);

// Called by NativeWindow when a window is created, destroyed, or its
// default procedure runs.
void attachWindowInput(WindowHandle window);
void detachWindowInput(WindowHandle window);
LRESULT defaultInputProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace Platform
