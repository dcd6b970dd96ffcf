#pragma once
// The language of the user interface: "Default" (the built-in Japanese
// texts) or one of the language files. OK switches at once; a file that
// fails to load leaves the texts in force and shows the error.
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class LanguageDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // True when the chosen language is in force.
    bool show();
};

}  // namespace Dialog
