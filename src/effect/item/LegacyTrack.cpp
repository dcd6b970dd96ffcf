#include "effect/item/LegacyTrack.h"

namespace Effect {

std::string convertLegacyTrack(const std::string& text, const std::wstring&, const wchar_t*) {
    // The legacy import's track conversion takes over here once it exists;
    // until then the text is read as it stands.
    return text;
}

}  // namespace Effect
