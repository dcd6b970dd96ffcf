#pragma once
// Asks for a name (required, no characters that file names or menu keys
// cannot hold) and a label chosen from the labels in use or typed anew.
// User-interface thread only.
#include "core/event/DialogSeam.h"
#include "dialogs/template/DialogTemplate.h"

#include <vector>

namespace Dialog {

class InputNameLabelDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // True with name and label replaced on OK; both unchanged on Cancel.
    bool show(const wchar_t* nameLabel, std::wstring& name, std::wstring& label,
              const std::vector<std::wstring>& labels);
};

// The alias dialog: "エイリアス名" and its menu label.
class AliasDialog : public InputNameLabelDialog {
public:
    using InputNameLabelDialog::InputNameLabelDialog;
    bool show(AliasDialogValues& values);
};

}  // namespace Dialog
