#include "dialogs/prompt/InputNameDialog.h"

#include "dialogs/template/DialogItemText.h"

namespace Dialog {

bool InputNameDialog::show(const std::wstring& label, std::wstring& name) {
    auto& row = addItem<DialogItemNameText>(label, name);
    if (!create()) return false;
    name = row.text;
    return true;
}

}  // namespace Dialog
