#include "platform/audio/SoundFile.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"

#include <SDL.h>

namespace Platform::Audio {

namespace {

constexpr const char* kPlace = "Plugin::OutputService::outputFileEnd";

// The device of the sound playing now; it stays open until the next sound
// or the end of the process.
struct SoundDevice {
    SDL_AudioDeviceID id = 0;
    bool subsystem = false;
    ~SoundDevice() { close(); }
    void close() {
        if (id) SDL_CloseAudioDevice(id);
        id = 0;
        if (subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem = false;
    }
};

SoundDevice& device() {
    static SoundDevice current;
    return current;
}

[[noreturn]] void fail() { throw System::makeException(kPlace, "PlaySound", SDL_GetError()); }

}  // namespace

void playSoundFile(const std::wstring& path) {
    SoundDevice& current = device();
    current.close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) fail();
    current.subsystem = true;
    SDL_AudioSpec format{};
    Uint8* samples = nullptr;
    Uint32 bytes = 0;
    if (!SDL_LoadWAV(System::String::toUtf8(path).c_str(), &format, &samples, &bytes)) fail();
    current.id = SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
    const bool queued = current.id && SDL_QueueAudio(current.id, samples, bytes) == 0;
    SDL_FreeWAV(samples);
    if (!queued) fail();
    SDL_PauseAudioDevice(current.id, 0);
}

}  // namespace Platform::Audio
