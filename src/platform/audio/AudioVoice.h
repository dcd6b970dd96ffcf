#pragma once
// The sound output voice over SDL2's audio subsystem: an output device at
// the voice's rate (SDL converts to the hardware) fed by a callback from a
// queue of submitted blocks of interleaved float stereo. Blocks are read in
// place: the submitter keeps each block alive while buffersQueued() still
// counts it; blocks finish in submission order. When the queue runs dry the
// device plays silence (an underrun) and resumes with the next block.
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

namespace Platform::Audio {

class AudioVoice {
public:
    AudioVoice() = default;
    ~AudioVoice() { close(); }
    AudioVoice(const AudioVoice&) = delete;
    AudioVoice& operator=(const AudioVoice&) = delete;

    // The audio subsystem, once per engine; false with SDL's reason in lastError().
    static bool initializeSubsystem();
    static void quitSubsystem();
    static std::string lastError();

    // Opens the default output device at `rate`, paused.
    bool open(std::uint32_t rate);
    // Changes the rate the queued and later blocks play at.
    bool setRate(std::uint32_t rate);
    void close();
    bool isOpen() const { return device_ != 0; }

    // Both false once the device has gone (unplugged, its server ended).
    bool start();
    void stop();
    // Appends a block (bytes of L, R float pairs); it is read in place.
    bool submit(const void* data, std::uint32_t bytes);
    // Blocks not yet played to their end, the one playing included.
    std::uint32_t buffersQueued() const;
    void flush();
    void setVolume(float volume) { volume_.store(volume); }
    float volume() const { return volume_.load(); }
    std::uint32_t rate() const { return rate_; }

    // Callbacks that found the queue empty while playing.
    std::uint64_t underruns() const { return underruns_.load(); }
    // Sample frames taken from submitted blocks.
    std::uint64_t framesPlayed() const { return framesPlayed_.load(); }

private:
    struct Block {
        const std::uint8_t* data;
        std::uint32_t bytes;
        std::uint32_t read;
    };

    static void callback(void* self, Uint8* stream, int length);
    void fill(Uint8* stream, int length);

    SDL_AudioDeviceID device_ = 0;
    std::uint32_t rate_ = 0;
    mutable std::mutex mutex_;  // the queue, shared with the device's thread
    std::deque<Block> queue_;
    std::atomic<float> volume_{1.0f};
    std::atomic<std::uint64_t> underruns_{0};
    std::atomic<std::uint64_t> framesPlayed_{0};
};

}  // namespace Platform::Audio
