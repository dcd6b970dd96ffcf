#include "effect/movement/MovementBase.h"

#include "core/base/Exception.h"
#include "effect/movement/SectionPosition.h"

#include <algorithm>

namespace Effect {

double MovementBase::getValue(const EffectItemNumber&, const SectionPosition&,
                              const Render::ObjectContextBase&) const {
    throw System::makeException("Effect::MovementBase::getValue", "not implement.");
}

int MovementBase::getSectionIndex(const EffectItemNumber&, const SectionPosition&) const {
    return -1;
}

std::vector<double> MovementBase::getSectionPositions(const ObjectFrames& object,
                                                      const EffectItemNumber&) const {
    const double length = std::max(object.end - object.start, 1);
    std::vector<double> positions;
    positions.reserve(object.boundaries.size());
    for (const int boundary : object.boundaries) positions.push_back(boundary / length);
    return positions;
}

bool MovementBase::isValueUsed(const EffectItemNumber&, int) const { return true; }

bool MovementBase::hasPath(const EffectItemNumber&) const { return true; }

}  // namespace Effect
