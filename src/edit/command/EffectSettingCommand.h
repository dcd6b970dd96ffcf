#pragma once
// The switches of an effect block's header and the removal of one filter:
// enabling and locking an effect, the object's clipping and camera flags.
// Each is one edit scope and one undo step naming the object; nothing
// happens without an object. User-interface thread only.
#include "edit/model/Object.h"

namespace Edit {
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

// The effect's disable flag becomes !enable.
void setEnableEffect(EditService& edit, const ObjectPointer& object, const EffectManager::EffectPointer& effect,
                     bool enable);
// The effect's lock flag; an input's output follows it.
void setLockEffect(EditService& edit, const ObjectPointer& object, const EffectManager::EffectPointer& effect,
                   bool lock);
// Clipping and camera control exclude each other: setting one clears the
// other in the same step.
void setEnableClippingObject(EditService& edit, const ObjectPointer& object, bool enable);
void setEnableCameraObject(EditService& edit, const ObjectPointer& object, bool enable);
// Takes the effect out of the object's chain (a first effect only when a
// filter follows it, see EffectManager::removeEffect).
void removeEffect(EditService& edit, const ObjectPointer& object, const EffectManager::EffectPointer& effect);

}  // namespace Edit::EditCommand
