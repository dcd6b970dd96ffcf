#pragma once
// Asks for one required name that file names and menu keys can hold.
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class InputNameDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // True with name replaced on OK; unchanged on Cancel.
    bool show(const std::wstring& label, std::wstring& name);
};

}  // namespace Dialog
