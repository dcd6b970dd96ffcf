#pragma once
// One-row prompts under a title: an integer or a real number within limits.
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class InputIntegerDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // True with value replaced on OK.
    bool show(const std::wstring& label, int& value, int minimum, int maximum);
};

class InputNumberDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show(const std::wstring& label, double& value, double minimum, double maximum);
};

}  // namespace Dialog
