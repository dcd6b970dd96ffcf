#pragma once
// The choices of every "合成モード" item: the 13 blend names, value =
// position. Lives for the whole run.
#include "effect/item/EffectItemSelect.h"

namespace Effect {

EffectItemSelect::SharedList& blendModeList();

}  // namespace Effect
