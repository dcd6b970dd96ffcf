#pragma once
// Cutting objects to the clipboard, whole or within the selected frame
// range, optionally closing the gaps they leave, and trimming objects to
// the selected range. User-interface thread only.
namespace Edit {

class EditService;

namespace EditCommand {

// Without a selected frame range: the targets are copied to the clipboard
// and removed. With one: the parts of the targets inside the range go to
// the clipboard and the rest stays, in the old groups. With closeGaps the
// objects after the cut move left on their layers and the cursor with them.
void cutObject(EditService& service, bool closeGaps);
// Keeps only the part of each target inside the selected frame range,
// moved to the target's start when it was cut on the left; the parts
// outside go to the clipboard.
void trimObject(EditService& service);

}  // namespace EditCommand
}  // namespace Edit
