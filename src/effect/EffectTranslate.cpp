#include "effect/EffectTranslate.h"

namespace Effect {

const wchar_t* translateEffectText(const wchar_t* text) {
    // No language file can be loaded yet: the built-in text is the shown text.
    return text;
}

}  // namespace Effect
