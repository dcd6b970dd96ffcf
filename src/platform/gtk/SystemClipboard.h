#pragma once
// The desktop's clipboard (the X11 CLIPBOARD selection) over GtkClipboard.
// What the program puts there is served by its own message loop to the
// programs that paste it, and handed to a clipboard manager, when one runs,
// as the program ends. Failures return false and set errno (ENXIO without
// the toolkit, ENODATA when the owner sent nothing). Reads wait for the
// owner without running the program's own messages and timers (DispatchHold)
// or handing the user's keys, clicks and window closes to the windows
// meanwhile; that input is handed over in order after the read.
// User-interface thread only.
#include <string>
#include <vector>

namespace Platform {

// Whether text is offered (asks the owner; waits for its answer).
bool clipboardHasText();
// The offered text as UTF-8.
bool getClipboardText(std::string& utf8);
// Takes the clipboard with a text.
bool setClipboardText(const std::string& utf8);

// One form of the same contents under a target name ("image/png" ...).
struct ClipboardForm {
    std::string target;
    std::vector<unsigned char> bytes;
};
// Takes the clipboard with the forms; a paste receives the bytes of the
// form it asks for.
bool setClipboardForms(std::vector<ClipboardForm> forms);

}  // namespace Platform
