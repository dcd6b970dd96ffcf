#pragma once
// Commands on lengths and time: closing the gap left of objects, inserting
// empty frames, object and section lengths, and the cursor moved to a typed
// time. The lengths are asked through the frame-length dialog; a cancelled
// dialog does nothing. User-interface thread only.
#include "edit/model/Object.h"

namespace Edit {

class EditService;

namespace EditCommand {

// Each target moves left over the empty frames before it on its layer.
void removeObjectLeftGap(EditService& service);
// Every object starting at or after the frame moves right by the asked
// length, on every layer; objects covering the frame stay.
void insertNullFrame(EditService& service, int frame);
// Every target gets the asked length (at least two frames), up to the next
// object on its layer.
void changeObjectLength(EditService& service);
void changeSectionLength(EditService& service, const ObjectPointer& object, int section);
void moveFrameByDialog(EditService& service);

}  // namespace EditCommand
}  // namespace Edit
