#pragma once
// Everyday editing options: range selection while moving frames, whether
// Enter submits dialogs, Alt+left drag as a right drag and the four custom
// frame moves (seconds, or frames written with a trailing f).
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class GeneralSettingDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show();
};

}  // namespace Dialog
