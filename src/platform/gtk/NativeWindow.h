#pragma once
// Program top-level windows over GTK 3. Each window is a GtkWindow whose
// whole client area is one GtkDrawingArea; nothing inside is a toolkit
// widget. GTK signals become the Win32-shaped messages of Messages.h and go
// to the procedure of the window's class:
//   close request (WM_DELETE_WINDOW)  -> WM_CLOSE
//   drawing-area "draw"               -> WM_PAINT (lParam: the cairo_t)
//   drawing-area size change          -> WM_SIZE
//   move, resize, maximise, minimise  -> WM_WINDOWPOSCHANGED
//   mouse, keyboard, focus, IME       -> see WindowInput.h
// Calls that fail return false or null and set errno, like their system
// counterparts set the last error. User-interface thread only, except
// isWindow and the posting functions of MessageQueue.h.
#include "platform/gtk/Messages.h"

#include <string>

typedef struct _GtkWindow GtkWindow;
typedef struct _GtkWidget GtkWidget;

namespace Platform {

// A window class: its name is the X11 WM_CLASS of its windows. False with
// errno EEXIST when the name is taken, EINVAL for an empty name or no
// procedure.
bool registerClass(const char* className, WindowProc procedure);
// False with errno ENOENT when no such class is registered.
bool unregisterClass(const char* className);

// Creates a hidden top-level window of a registered class at (x, y) with a
// client area of width x height, owned by owner (may be null). Sends
// WM_GETMINMAXINFO (its minimum tracking size becomes the minimum size) and
// WM_CREATE (-1 refuses the window). Null with errno ENOENT for an unknown
// class, ENXIO without the toolkit, ECANCELED when WM_CREATE refused.
WindowHandle createWindow(const char* className, const std::string& caption, int x, int y,
                          int width, int height, WindowHandle owner);
// Sends WM_DESTROY and WM_NCDESTROY, then destroys the window. False with
// errno EINVAL when the handle is not a window.
bool destroyWindow(WindowHandle window);
// Any thread.
bool isWindow(WindowHandle window);

// The window's slot for its owner (GWLP_USERDATA); null until set.
void setWindowUserData(WindowHandle window, void* data);
void* getWindowUserData(WindowHandle window);

// Calls the window's procedure now (user-interface thread); 0 when the
// handle is not a window.
LRESULT sendMessage(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);
// The default handling: WM_CLOSE destroys the window; input messages as
// WindowInput.h says; everything else 0.
LRESULT defWindowProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

// SW_SHOW, SW_MAXIMIZE or SW_HIDE. The first showing sends WM_SIZE with
// the client size at once, so layout does not wait for the loop.
void showWindow(WindowHandle window, int command);
bool isWindowVisible(WindowHandle window);
bool isZoomed(WindowHandle window);
bool isIconic(WindowHandle window);
bool isWindowEnabled(WindowHandle window);
// Returns whether the window was disabled before the call.
bool enableWindow(WindowHandle window, bool enable);
void setForegroundWindow(WindowHandle window);
// (0, 0, client width, client height).
RECT getClientRect(WindowHandle window);
// Asks for WM_PAINT of the rectangle (null: the whole client area).
void invalidateRect(WindowHandle window, const RECT* rect);
// Paints the window now (WM_PAINT with a frame of its own), as the system
// paints before the message loop runs; nothing while it is not viewable.
void updateWindow(WindowHandle window);
std::string getWindowText(WindowHandle window);
void setWindowText(WindowHandle window, const std::string& text);

// The GTK window behind a handle (null for none), for dialogs it owns.
GtkWindow* toolkitWindow(WindowHandle window);
// The drawing area that is the window's client area (null for none).
GtkWidget* toolkitArea(WindowHandle window);

}  // namespace Platform
