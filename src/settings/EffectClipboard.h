#pragma once
// The chain side of cut, copy and paste of effects in the object settings
// window. The window's copy buffer holds effects: clones (a snapshot) after
// copy and cut, the object's own filters after copy-after. Pasting adds
// fresh instances with the buffered item values (flags start fresh)
// directly after a given effect, in buffer order. Runs inside the caller's
// edit scope; records nothing.
#include "edit/model/Object.h"

#include <memory>
#include <vector>

namespace Component {

using EffectBuffer = std::vector<std::shared_ptr<Effect::EffectBase>>;

// A new instance of the effect's kind with its item values and its
// disable, hide and lock flags.
std::shared_ptr<Effect::EffectBase> cloneEffect(const Edit::Object& object, const Effect::EffectBase& effect);

// Every filter of the buffer that fits the object's first effect, after
// `after` in buffer order, number items sized to the object's sections;
// then the chain is adjusted to its input.
void pasteEffects(Edit::Object& object, const Effect::EffectBase* after, const EffectBuffer& buffer);

}  // namespace Component
