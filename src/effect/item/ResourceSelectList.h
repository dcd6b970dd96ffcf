#pragma once
// The figure and transition lists of the resource service as choice lists
// of selection items: each entry's name under its index. Built on first
// use from the service's lists, which never change while the program runs;
// empty when there is no resource service.
#include "effect/item/EffectItemSelect.h"

namespace Effect {

EffectItemSelect::SharedList& figureSelectList();
EffectItemSelect::SharedList& transitionSelectList();

}  // namespace Effect
