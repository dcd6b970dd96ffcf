#pragma once
// One table of a language file: the program's own texts (compared exactly)
// and what to show in their place.
#include <string>
#include <unordered_map>

namespace Translate {

class TranslateTable {
public:
    // The translation when the text is a key; otherwise the very pointer
    // given (null stays null).
    const wchar_t* translate(const wchar_t* text) const;

    std::unordered_map<std::wstring, std::wstring> map;
};

}  // namespace Translate
