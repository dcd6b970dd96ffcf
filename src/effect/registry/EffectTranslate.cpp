#include "effect/registry/EffectTranslate.h"

#include "core/translate/TranslateService.h"

namespace Effect {

const wchar_t* translateEffectText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, text);
}

}  // namespace Effect
