#pragma once
// Texts the rows show: item and choice names through the Effect table.
#include <string>

namespace Component {

std::wstring translateEffectText(const std::wstring& text);
std::wstring translateMessageText(const wchar_t* text);

}  // namespace Component
