#pragma once
// The menu category of the camera's filters and of the object settings
// that only a camera control reads.

namespace Effect {

inline constexpr const wchar_t* cameraCategory = L"カメラ制御";

}  // namespace Effect
