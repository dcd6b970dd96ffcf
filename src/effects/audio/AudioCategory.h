#pragma once

namespace Effect {

// The category every built-in sound filter is listed under.
inline constexpr const wchar_t* audioCategory = L"音声効果";

}  // namespace Effect
