#pragma once
// The scene settings dialog: rows for the name, the resolution, the frame
// rate (shown as a decimal, stored as rate/scale through the presets) and
// the sampling rate, each only when a value is given. The caller sets the
// title. User-interface thread only.
#include "core/event/DialogSeam.h"
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class SceneDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // Cancel: false, values unchanged. OK: the values written back.
    bool show(SceneDialogValues& values);
};

}  // namespace Dialog
