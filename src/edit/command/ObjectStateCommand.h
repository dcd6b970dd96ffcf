#pragma once
// Commands on the state of objects: groups, the enable and lock switches,
// the movement settings and movement groups of numbers, the layer ranges
// of selected controls, and the preview's view switches. User-interface
// thread only; each change is one edit scope and (but the view switches)
// one undo step.
#include "edit/model/Object.h"

#include <vector>

namespace Effect {
class EffectItemNumber;
class EffectItemNumberGroup;
}  // namespace Effect

namespace Edit {
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

// The selected objects (more than one) form a new group.
void setGroup(EditService& edit);
// The targets leave their groups.
void clearGroup(EditService& edit);

// A filter object switches every effect, any other object its first.
void setEnableObject(EditService& edit, const std::vector<ObjectPointer>& objects, bool enable);
// The switch of one object; with Ctrl held on one of the targets, of all
// targets.
void setEnableClickObject(EditService& edit, const ObjectPointer& object, bool enable, bool ctrl);
void setLockObject(EditService& edit, const std::vector<ObjectPointer>& objects, bool lock);
void setLockClickObject(EditService& edit, const ObjectPointer& object, bool lock, bool ctrl);

// The movement parameters of the number (of every member of its linked
// group).
void setMovementSettings(EditService& edit, const ObjectPointer& object, Effect::EffectItemNumber& item,
                         const std::vector<double>& params);
// The first movement parameter asked in a dialog titled with the movement.
void inputMovementSettings(EditService& edit, const ObjectPointer& object, Effect::EffectItemNumber& item);
// Links or unlinks the group; linking gives the other members the item's
// movement, flags, curve and parameters.
void toggleMovementGroup(EditService& edit, const ObjectPointer& object, Effect::EffectItemNumberGroup& group,
                         Effect::EffectItemNumber& item);

// Every selected control above the deepest selected layer governs down to
// it ("対象レイヤー範囲を調整").
void adjustLayerRange(EditService& edit);
// Whether adjustLayerRange would act.
bool canAdjustLayerRange(const EditService& edit);

void setGridXY(EditService& edit, bool enable);
void setCameraGrid(EditService& edit, bool enable);
void setCameraFreeView(EditService& edit, bool enable);
void setVisibleClippingObjectView(EditService& edit, bool enable);

}  // namespace Edit::EditCommand
