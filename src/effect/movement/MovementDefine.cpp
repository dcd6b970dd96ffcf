#include "effect/movement/MovementDefine.h"

#include "effect/registry/EffectTranslate.h"

namespace Effect {

MovementDefine::MovementDefine(std::shared_ptr<MovementBase> prototype, int index)
    : MenuDefineBase("Movement", prototype->name, index, L"", true), prototype(std::move(prototype)) {}

const wchar_t* MovementDefine::getName() const { return prototype->name; }

const wchar_t* MovementDefine::getTranslatedName() const { return translateEffectText(prototype->name); }

}  // namespace Effect
