#include "dialogs/prompt/InputNameLabelDialog.h"

#include "dialogs/template/DialogItemText.h"

namespace Dialog {

bool InputNameLabelDialog::show(const wchar_t* nameLabel, std::wstring& name, std::wstring& label,
                                const std::vector<std::wstring>& labels) {
    auto& nameRow = addItem<DialogItemNameText>(nameLabel, name);
    auto& labelRow = addItem<DialogItemNameComboBox>(L"ラベル", label, labels);
    if (!create()) return false;
    name = nameRow.text;
    label = labelRow.text;
    return true;
}

bool AliasDialog::show(AliasDialogValues& values) {
    return InputNameLabelDialog::show(L"エイリアス名", values.name, values.label, values.labels);
}

}  // namespace Dialog
