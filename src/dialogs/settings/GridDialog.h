#pragma once
// The XY grid of the current scene: its cell width and height and the
// extra guide lines on either axis, for the scene and as the defaults of
// new scenes. User-interface thread only.
#include "dialogs/template/DialogTemplate.h"

namespace Edit {
class EditService;
}

namespace Dialog {

class GridDialog : public DialogTemplate {
public:
    using DialogTemplate::DialogTemplate;
    // Shows the current scene's grid; on OK stores it in an edit scope (no
    // undo record). True on OK.
    bool show(Edit::EditService& edit);
};

}  // namespace Dialog
