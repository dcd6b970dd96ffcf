#pragma once
// A WAV file played once through its own output device, as a notification
// sound: the call returns at once and the sound plays on. Starting another
// sound ends the previous one. Failures (no file, not a WAV, no device)
// raise the program's exception "PlaySound". User-interface thread only.
#include <string>

namespace Platform::Audio {

void playSoundFile(const std::wstring& path);

}  // namespace Platform::Audio
