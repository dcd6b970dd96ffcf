#pragma once
// The program's error boxes. Every box is modal to the main window inside a
// Window::ModalScope; before the window service exists (early start-up) and
// after it is gone, the box has no owner and is modal to the program.
// Errors and exceptions are logged (ERROR) before their box opens.
// User-interface thread only.
#include <exception>
#include <string>

namespace Dialog {

// "Movane Quorin2".
extern const char* const productCaption;
// "Movane Quorin2 [<version>] : Application Exception".
const std::string& exceptionCaption();
// Appended to the text of an exception that ends the program.
extern const wchar_t* const fatalSuffix;

// An error box; returns the box's result (0 when none could be shown).
int showErrorBox(const char* text, const char* caption);
// Formats (cut at 1,023 bytes), logs "show error dialog.\n%s" and shows the
// text with the product caption.
int showError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same for a wide format (cut at 1,023 UTF-16 units).
void showError(const wchar_t* format, ...);
// Logs "show exception dialog.\n%s" with the exception's text and shows it
// with the exception caption; the program goes on.
void showException(const std::exception& e);
// The box of an exception that ends the program: the text with the fatal
// suffix, logged the same way.
void showFatalException(const std::exception& e);
// A warning box with OK and Cancel (text translated through the Message
// table); true when the user chose OK.
bool showConfirm(const wchar_t* text);
// A warning box with OK only and the product caption (text translated
// through the Message table).
void showWarning(const wchar_t* text);
// An information box with the product caption (text translated through the
// Message table).
void showInformation(const wchar_t* text);

// Any thread: hand an error text or an exception to the user-interface
// thread, which shows it when its loop runs. postError returns whether the
// text could be posted.
bool postError(const wchar_t* format, ...);
void postException(const std::exception& e);

}  // namespace Dialog
