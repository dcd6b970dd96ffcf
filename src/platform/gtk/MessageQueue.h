#pragma once
// The message loop of the user-interface thread, over the GLib main loop.
// Messages posted from any thread go into our own queue, which wakes the
// loop through an eventfd; the loop hands them to their windows' procedures
// in posting order, also inside nested modal loops (message boxes), as a
// system modal loop does. WM_QUIT ends runMessageLoop at once and drops what
// is queued behind it.
// Code that GTK or GLib calls (signals, sources) runs inside guardCallback:
// an exception cannot cross their C frames, so it is kept, the loop is asked
// to stop, and runMessageLoop rethrows it on the user-interface thread.
#include "platform/gtk/Messages.h"

#include <gtk/gtk.h>

#include <functional>

namespace Platform {

// Any thread. False when the window is not (or no longer) a window; the
// message is then dropped.
bool postMessage(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);
// Any thread: posts WM_QUIT (wParam = exitCode) behind what is queued.
void postQuitMessage(int exitCode);

// User-interface thread: runs until WM_QUIT is met (returns normally) or
// until a guarded callback failed (rethrows its exception).
void runMessageLoop();
// Whether runMessageLoop is running (possibly below a nested modal loop).
bool messageLoopRunning();

// Runs a modal dialog (gtk_dialog_run). When the quit message arrives
// meanwhile the dialog ends with GTK_RESPONSE_DELETE_EVENT, as a system
// modal loop ends on it, and the quit stays pending for the loop outside;
// a dialog opened while a quit is pending ends at once.
int runModalDialog(GtkDialog* dialog);
// Runs a nested loop (a popup menu's) until it is quit. The quit message or
// a failed guarded callback meanwhile calls cancel, which must close what
// the loop serves, and ends the loop; the quit stays pending for the loop
// outside. With a quit already pending it returns at once.
void runNestedLoop(GMainLoop* loop, const std::function<void()>& cancel);

// While a hold lives, the loop runs none of the program's own work: posted
// messages, wait handles and window timers wait, so that a nested loop the
// toolkit runs (a clipboard read waiting for the owner's answer) serves
// only the toolkit. Posted messages are delivered, in order, once the last
// hold has gone. User-interface thread.
class DispatchHold {
public:
    DispatchHold();
    ~DispatchHold();
    DispatchHold(const DispatchHold&) = delete;
    DispatchHold& operator=(const DispatchHold&) = delete;
};
bool dispatchHeld();
// User-interface thread: runs f from the loop (inside guardCallback) ahead
// of the posted messages, at its next turn without a hold.
void runWhenNotHeld(std::function<void()> f);

// Runs f. An exception from it is kept for runMessageLoop (the first one
// wins; a later one is logged and dropped) and the loop is asked to stop.
// Returns false when f threw.
bool guardCallback(const std::function<void()>& f) noexcept;
// Rethrows, and forgets, an exception kept by guardCallback. Called after
// GTK calls that run signals synchronously, outside any loop.
void rethrowPendingException();

}  // namespace Platform
