#pragma once
// The number that picks a target layer (目標レイヤー), with three hidden
// coordinates X, Y, Z in a linked group of their own. The coordinates live
// in the item's private list, not in the effect's items.
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"

namespace Effect {

class EffectItemLayerObject : public EffectItemNumber {
public:
    EffectItemLayerObject(ItemList& items, double defaultValue, double minimum, double maximum,
                          double step);
    EffectItemLayerObject(const EffectItemLayerObject&) = delete;

    ItemList coordinateItems;
    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemNumber z;
    EffectItemNumberGroup coordinates;
};

}  // namespace Effect
