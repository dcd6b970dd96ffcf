#pragma once
// The settings of the guide grid drawn under a camera: its step and its
// range, for the current scene and as the defaults of new scenes.
// User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Edit {
class EditService;
}

namespace Dialog {

class GridCameraDialog : public DialogTemplate {
public:
    GridCameraDialog();
    // Shows the current scene's values; on OK stores them in an edit scope
    // (no undo record). True on OK.
    bool show(Edit::EditService& edit);
    // What OK stores: the scene's values and the defaults of new scenes.
    static void apply(Edit::EditService& edit, double step, double range);
};

}  // namespace Dialog
