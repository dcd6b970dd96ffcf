#pragma once
// Export options: the sound played when an export completes, and the YUV
// colour space ("自動": chosen by picture height) and range used when a
// writer exports YUV. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class OutputFileSettingDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show();
};

}  // namespace Dialog
