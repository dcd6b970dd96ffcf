#pragma once
// Copy and paste of objects through the edit service's object clipboard.
// User-interface thread only.
namespace Edit {
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

// The targets' copies replace the clipboard; no scope, no undo.
void copyObject(EditService& edit);
// The clipboard's block with its top layer on the layer and its earliest
// frame on the frame, moved later in time past objects in its way.
void pasteObject(EditService& edit, int layer, int frame);
// At the timeline's mouse position when it is over the object area;
// otherwise at the copied frames (or at the cursor when the cursor lies
// outside them), on the first free layers below the copied block.
void pasteObject(EditService& edit);

}  // namespace Edit::EditCommand
