#pragma once
// The High-DPI mode (fixed or scaled sizes), which takes effect when the
// program starts again. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class DislpaySettingDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show();
};

}  // namespace Dialog
