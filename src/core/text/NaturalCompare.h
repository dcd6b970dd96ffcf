#pragma once
// The order in which the program lists names to people (fonts by name):
// case, kana type, width, punctuation and symbols do not count, and digit
// runs compare as numbers, in the user's locale. Any thread.
#include <string>

namespace System {

// -1 when a sorts first, 1 when b does, 0 when they are equal in this order
// (or cannot be compared).
int compareStringNatural(const std::wstring& a, const std::wstring& b);

}  // namespace System
