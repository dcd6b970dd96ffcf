#pragma once
// The records a group or camera control object leaves for the objects it
// governs: found on the object's first effect, null when it has none.
#include "effect/base/ControlState.h"

#include <memory>

namespace Edit {
class Object;
}

namespace Render {

Effect::GroupControlState* getGroupControlState(const Edit::Object* object);
Effect::CameraControlState* getCameraControlState(const Edit::Object* object);

}  // namespace Render
