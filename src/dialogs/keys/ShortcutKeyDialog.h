#pragma once
// The shortcut-key dialog: every shortcut entry of the program with its key,
// a key pressed in a row's key cell becomes that row's key, and the context
// menu puts one row or all rows back to their default keys. Rows only hold
// the keys being edited; OK gives the changed keys to their entries, shows
// them in the menu items' texts and saves keyboard.ini. The opener sets the
// title. User-interface thread only.
#include "dialogs/list/DialogItemListView.h"
#include "dialogs/template/DialogTemplate.h"

#include <string>

namespace Window {
struct Shortcut;
class ShortcutService;
}  // namespace Window

namespace Dialog {

class ShortcutKeyDialog : public DialogTemplate {
public:
    class ShortcutItem : public DialogItemListViewBase::Item {
    public:
        ShortcutItem(Window::Shortcut& entry, int code);
        // Column 0 the entry's name, column 1 the key name.
        std::wstring getText(int column) override;
        // Column 1 hands the code to the key-code editor and takes it back.
        void beginEdit(int column, DialogItem& editor) override;
        void endEdit(int column, DialogItem& editor) override;
        // The code and its name (a key without a name is no key).
        void setCode(int code);

        Window::Shortcut* entry;
        std::wstring keyName;
        int code = 0;
    };

    // Edits the entries of the service (by default the program's own).
    explicit ShortcutKeyDialog(std::wstring title = {}, Window::ShortcutService* service = nullptr);

    // True after OK, when the entries have been changed and saved.
    bool show();

    // The list row while the dialog runs; null before show.
    DialogItemListView<ShortcutItem>* list = nullptr;

private:
    Window::ShortcutService* service_;
};

// The Settings menu's entry point: opens the dialog under the title over the
// program's shortcut entries; false when cancelled or when there is no
// shortcut service.
bool openShortcutKeyDialog(const std::wstring& title);

}  // namespace Dialog
