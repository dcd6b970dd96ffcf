#pragma once
// The "natural" comparison of names that lists show to people, over ICU
// collation in the user's locale: case, kana type (hiragana, katakana) and
// character width are ignored, so are punctuation and symbols, and digit
// runs compare as numbers ("a2" before "a10"). Any thread may call it; each
// thread keeps its own collator.
#include <string>

namespace Platform::Icu {

// -1, 0 or 1; 0 also when the collator cannot be made.
int compareNatural(const std::u16string& a, const std::u16string& b);

}  // namespace Platform::Icu
