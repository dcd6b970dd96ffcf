#pragma once
// A new object at a frame of a layer, sized by the timeline zoom and fitted
// between the objects already there. User-interface thread only.
#include "edit/model/Object.h"

#include <functional>

namespace Edit {

class EditScope;
class EditService;

namespace EditCommand {

// Called inside the scope before the creation is recorded (a dropped file
// gives the new media object its file).
using CreateCallback = std::function<void(const ObjectPointer& object, EditScope& scope)>;

// 800000 / zoom + 1 frames from the frame, moved behind objects covering it
// and cut short before the next one. The new object takes the focus.
void createObject(EditService& service, const wchar_t* effectName, int layer, int frame,
                  CreateCallback callback);

}  // namespace EditCommand
}  // namespace Edit
