#pragma once
// The row of an item: the effect block asks for one row per item of its
// effect, in item order. Items without a row (hidden ones, YUV, number
// groups, hidden integers) give an empty pointer and show nothing.
#include "settings/rows/EffectItemBaseControl.h"

#include <memory>

namespace Component {

std::shared_ptr<EffectItemBaseControl> createItemControl(Window::WindowControlOwner& parent,
                                                         const std::shared_ptr<Effect::EffectBase>& effect,
                                                         Effect::EffectItem& item, EffectItemRowHost& host);

}  // namespace Component
