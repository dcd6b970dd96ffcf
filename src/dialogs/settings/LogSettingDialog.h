#pragma once
// What the logger shows, writes and keeps: the levels of the log window,
// the log file and the debugger output, the window's line count and the
// number of log files kept. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class LogSettingDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show();
};

}  // namespace Dialog
