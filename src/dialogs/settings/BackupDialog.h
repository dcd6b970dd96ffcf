#pragma once
// Edit resume, the automatic backup (on or off, its interval and how many
// backup files are kept) and the length of the recent-project list. OK
// trims both lists at once (dropped backups are deleted) and arms or stops
// the backup timer. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class BackupDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    bool show();
};

}  // namespace Dialog
