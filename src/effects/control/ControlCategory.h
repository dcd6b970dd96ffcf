#pragma once

namespace Effect {

// The category of the controls that govern the layers after them.
inline constexpr const wchar_t* objectControlCategory = L"オブジェクト制御";

}  // namespace Effect
