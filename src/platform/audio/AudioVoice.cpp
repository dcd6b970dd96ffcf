#include "platform/audio/AudioVoice.h"

#include <algorithm>
#include <cstring>

namespace Platform::Audio {

namespace {

constexpr int kFrameBytes = 2 * sizeof(float);
// About 10 ms at 48 kHz: short enough for the player's 12 ms tick.
constexpr Uint16 kDeviceFrames = 512;

}  // namespace

bool AudioVoice::initializeSubsystem() { return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0; }

void AudioVoice::quitSubsystem() { SDL_QuitSubSystem(SDL_INIT_AUDIO); }

std::string AudioVoice::lastError() {
    const char* text = SDL_GetError();
    return text && *text ? text : "unknown error";
}

bool AudioVoice::open(std::uint32_t rate) {
    close();
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(rate);
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = &AudioVoice::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) return false;
    rate_ = rate;
    return true;
}

bool AudioVoice::setRate(std::uint32_t rate) {
    if (rate == rate_ && device_) return true;
    // The queue outlives the device: reopen at the new rate and go on.
    std::deque<Block> kept;
    {
        std::lock_guard lock(mutex_);
        kept.swap(queue_);
    }
    const bool wasPlaying = device_ && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_PLAYING;
    if (!open(rate)) return false;
    {
        std::lock_guard lock(mutex_);
        queue_.swap(kept);
    }
    if (wasPlaying) start();
    return true;
}

void AudioVoice::close() {
    if (device_) SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    rate_ = 0;
    std::lock_guard lock(mutex_);
    queue_.clear();
}

bool AudioVoice::start() {
    if (!device_ || SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
        SDL_SetError("the audio device is not available");
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void AudioVoice::stop() {
    if (device_) SDL_PauseAudioDevice(device_, 1);
}

bool AudioVoice::submit(const void* data, std::uint32_t bytes) {
    if (!device_ || SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
        SDL_SetError("the audio device is not available");
        return false;
    }
    std::lock_guard lock(mutex_);
    // Whole sample frames only, so the device stream stays aligned.
    queue_.push_back({static_cast<const std::uint8_t*>(data), bytes - bytes % kFrameBytes, 0});
    return true;
}

std::uint32_t AudioVoice::buffersQueued() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::uint32_t>(queue_.size());
}

void AudioVoice::flush() {
    std::lock_guard lock(mutex_);
    queue_.clear();
}

void AudioVoice::callback(void* self, Uint8* stream, int length) {
    static_cast<AudioVoice*>(self)->fill(stream, length);
}

void AudioVoice::fill(Uint8* stream, int length) {
    const float volume = volume_.load();
    std::uint64_t frames = 0;
    {
        std::lock_guard lock(mutex_);
        while (length > 0 && !queue_.empty()) {
            Block& block = queue_.front();
            const std::uint32_t take = std::min<std::uint32_t>(block.bytes - block.read, static_cast<std::uint32_t>(length));
            const auto* src = reinterpret_cast<const float*>(block.data + block.read);
            auto* dst = reinterpret_cast<float*>(stream);
            for (std::uint32_t i = 0; i < take / sizeof(float); ++i) dst[i] = src[i] * volume;
            stream += take;
            length -= static_cast<int>(take);
            block.read += take;
            frames += take / kFrameBytes;
            if (block.read >= block.bytes) queue_.pop_front();
        }
    }
    framesPlayed_.fetch_add(frames);
    // What the queue could not cover plays as silence.
    if (length > 0) {
        underruns_.fetch_add(1);
        std::memset(stream, 0, static_cast<std::size_t>(length));
    }
}

}  // namespace Platform::Audio
