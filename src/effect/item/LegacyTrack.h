#pragma once
// The one place where a number value of the legacy exchange file is turned
// into the number item's own text form before it is read.
#include <string>

namespace Effect {

std::string convertLegacyTrack(const std::string& text, const std::wstring& key,
                               const wchar_t* effectName);

}  // namespace Effect
