#pragma once

namespace Effect {

inline constexpr const wchar_t* ClipCategory = L"クリッピング";

}  // namespace Effect
