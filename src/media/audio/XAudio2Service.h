#pragma once
// The program's only sound output. The player makes a voice at the scene's
// audio rate, submits blocks of interleaved float stereo, starts it when the
// first frame is due, and stops and flushes it at the end. Each submitted
// block is kept until the voice has played it. The audio engine starts on
// first use, so the program starts (silently) without a sound device.
// All calls come from the user-interface thread.
#include "core/base/AlignedBuffer.h"
#include "platform/audio/AudioVoice.h"

#include <cstdint>
#include <deque>
#include <memory>

namespace Media {

class XAudio2Service {
public:
    // The player stops submitting at these.
    static constexpr std::size_t maxHeldBlocks = 64;
    static constexpr std::uint64_t maxHeldBytes = 3839999;

    XAudio2Service() = default;
    virtual ~XAudio2Service();
    XAudio2Service(const XAudio2Service&) = delete;
    XAudio2Service& operator=(const XAudio2Service&) = delete;

    // Makes sure the engine and a voice at `rate` exist. Never throws: a
    // failure is logged and playback runs without sound.
    void createPlayer(std::uint32_t rate);
    // Both raise their call's exception when the device has failed; the
    // voice is then closed, so the next createPlayer opens a new one.
    // Virtual so tests can stand in a failing device.
    virtual void play();
    virtual void submitBuffer(std::unique_ptr<System::AlignedBuffer> block);
    void stop();
    // 0..100 percent.
    void setVolume(int percent);
    // Drops every queued block; callers stop the voice first.
    void clearBuffer();
    // Frees the held blocks that the voice has played.
    void releasePlayedBuffers();
    System::AlignedBuffer* queueBuffer(std::unique_ptr<System::AlignedBuffer> block);

    std::size_t heldBlockCount() const { return heldBlocks_.size(); }
    std::uint64_t heldByteCount() const { return heldBytes_; }
    bool isPlaying() const { return playing_; }
    std::uint32_t rate() const { return rate_; }
    // The voice, null while there is none (tests read its state).
    const Platform::Audio::AudioVoice* voice() const { return sourceVoice_.get(); }

private:
    void initialize();
    void destroyVoices();
    [[noreturn]] void fail(const char* call, const char* place);

    std::deque<std::unique_ptr<System::AlignedBuffer>> heldBlocks_;
    std::uint64_t heldBytes_ = 0;
    bool engine_ = false;
    std::unique_ptr<Platform::Audio::AudioVoice> sourceVoice_;
    std::uint32_t rate_ = 0;
    bool playing_ = false;
};

}  // namespace Media
