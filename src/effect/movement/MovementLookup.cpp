#include "effect/movement/MovementLookup.h"

#include "core/base/Exception.h"

namespace Effect {

namespace {

MovementFinder& finder() {
    static MovementFinder instance;
    return instance;
}

}  // namespace

void setMovementFinder(MovementFinder lookup) { finder() = std::move(lookup); }

MovementBase& findMovement(const std::wstring& name) {
    MovementBase* movement = finder() ? finder()(name) : nullptr;
    if (!movement)
        throw System::makeException("Effect::EffectService::findMovement", "not found movement.");
    return *movement;
}

}  // namespace Effect
