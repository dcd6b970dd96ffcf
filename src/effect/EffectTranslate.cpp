#include "effect/EffectTranslate.h"

#include "core/TranslateService.h"

namespace Effect {

const wchar_t* translateEffectText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, text);
}

}  // namespace Effect
