#include "effect/MovementBase.h"

#include "core/Exception.h"

namespace Effect {

double MovementBase::getValue(const EffectItemNumber&, const SectionPosition&,
                              Render::ObjectContext&) const {
    throw System::makeException("Effect::MovementBase::getValue", "not implement.");
}

int MovementBase::getSectionIndex(const EffectItemNumber&, const SectionPosition&) const {
    return -1;
}

bool MovementBase::isValueUsed(const EffectItemNumber&, int) const { return true; }

bool MovementBase::hasPath(const EffectItemNumber&) const { return true; }

}  // namespace Effect
