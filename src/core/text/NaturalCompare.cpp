#include "core/text/NaturalCompare.h"

#include "core/text/StringConvert.h"
#include "platform/icu/Collation.h"

namespace System {

int compareStringNatural(const std::wstring& a, const std::wstring& b) {
    return Platform::Icu::compareNatural(String::toUtf16(a), String::toUtf16(b));
}

}  // namespace System
