#include "effect/item/EffectItemLayerObject.h"

namespace Effect {

EffectItemLayerObject::EffectItemLayerObject(ItemList& items, double defaultValue,
                                             double minimum, double maximum, double step)
    : EffectItemNumber(items, L"目標レイヤー", defaultValue, minimum, maximum, step),
      x(coordinateItems, L"X", 0.0, -100000.0, 100000.0, 0.01),
      y(coordinateItems, L"Y", 0.0, -100000.0, 100000.0, 0.01),
      z(coordinateItems, L"Z", 0.0, -100000.0, 100000.0, 0.01),
      coordinates(coordinateItems, L"Group", {&x, &y, &z}, true) {}

}  // namespace Effect
