#pragma once
// グループ制御: moves, turns and scales every picture object of the layers
// it governs as one unit, with a common perspective centred on the group's
// position. Nested groups multiply their transforms; the walk runs the outer
// group first, so an inner one reads its parent's matrices of the same frame.
#include "effect/anchor/MoveEffect.h"
#include "effect/base/ControlState.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class GroupControl : public BuiltinClass<GroupControl, MoveEffect>, public GroupControlState {
public:
    static constexpr const wchar_t* Name = L"グループ制御";
    GroupControl();
    int getLayerRange() const override { return layerRange.value; }
    OutputView getOutputView(Render::ObjectContext& context) override;
    // World and view matrices and the flat flag (snapAllowed: the group and
    // every enclosing one add neither rotation, scale nor depth).
    void controlVideo(Render::ObjectContext& context) override;

    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemNumber z;
    EffectItemNumberGroup group;
    EffectItemNumber rotationX;
    EffectItemNumber rotationY;
    EffectItemNumber rotationZ;
    EffectItemNumber scale;
    EffectItemLayerRange layerRange;
};

}  // namespace Effect
