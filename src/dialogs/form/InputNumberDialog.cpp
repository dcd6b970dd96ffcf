#include "dialogs/form/InputNumberDialog.h"

#include "dialogs/template/DialogItemValue.h"

namespace Dialog {

bool InputIntegerDialog::show(const std::wstring& label, int& value, int minimum, int maximum) {
    auto& row = addItem<DialogItemInteger>(label, value, minimum, maximum);
    if (!create()) return false;
    value = row.value;
    return true;
}

bool InputNumberDialog::show(const std::wstring& label, double& value, double minimum, double maximum) {
    auto& row = addItem<DialogItemNumber>(label, value, minimum, maximum);
    if (!create()) return false;
    value = row.value;
    return true;
}

}  // namespace Dialog
