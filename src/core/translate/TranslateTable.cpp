#include "core/translate/TranslateTable.h"

namespace Translate {

const wchar_t* TranslateTable::translate(const wchar_t* text) const {
    if (!text) return nullptr;
    const auto found = map.find(text);
    return found == map.end() ? text : found->second.c_str();
}

}  // namespace Translate
