#include "dialogs/form/InputStringDialog.h"

#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogTemplate.h"

namespace Dialog::InputStringDialog {

bool show(const std::wstring& title, const std::wstring& label, std::wstring& value, bool required) {
    DialogTemplate dialog(title);
    auto& row = dialog.addItem<DialogItemText>(label.empty() ? std::wstring(L"名前") : label, value, required);
    if (!dialog.create()) return false;
    value = row.text;
    return true;
}

}  // namespace Dialog::InputStringDialog
