#pragma once
// A dialog row: binds one value of the caller to one control (or a few) of
// a dialog built from rows. The caller sets the value when adding the row;
// the row shows it when its control is created, reads it back and checks
// it at OK (a refusal is shown under the control and the dialog stays
// open), and the caller copies it out after the dialog ended with OK.
#include "dialogs/template/DialogValidation.h"
#include "platform/gtk/DialogWindow.h"

#include <functional>
#include <string>

namespace Dialog {

class DialogItem {
public:
    explicit DialogItem(std::wstring label = {}) : label(std::move(label)) {}
    virtual ~DialogItem() = default;
    DialogItem(const DialogItem&) = delete;
    DialogItem& operator=(const DialogItem&) = delete;

    // Makes the control(s) in the client rectangle and shows the value.
    virtual void create(Platform::DialogWindow& dialog, int x, int y, int w, int h);
    // Reads the control back into the value; false keeps the dialog open
    // (the reason is already shown).
    virtual bool submit();
    // Shows the value in the control again.
    virtual void update();
    // Sets width and height before the layout.
    virtual void measure(Platform::DialogWindow& dialog) { (void)dialog; }

    // The label column's text; empty for none.
    std::wstring label;
    // Minimum width of the control column; 0 unless measured.
    int width = 0;
    // Row height; 0 means one row of text.
    int height = 0;
    // The main control while the dialog is open.
    Platform::ControlHandle window = nullptr;
    // Sees the main control's key and focus messages first; true consumes.
    // Only the kinds that say so honour it.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)> filter;

protected:
    // The dialog the row was created in; null before create.
    Platform::DialogWindow* dialog = nullptr;

    // Remembers the dialog and installs the filter on the main control.
    void attach(Platform::DialogWindow& owner, Platform::ControlHandle control);
    // Shows a refusal under the control and returns false.
    bool refuse(Platform::ControlHandle control, const ItemRefusal& refusal);
    // The control's text as a wide string.
    static std::wstring controlText(Platform::ControlHandle control);
};

// A text through the Dialog table of the translation service, as UTF-8.
std::string translateDialogText(const std::wstring& text);

}  // namespace Dialog
