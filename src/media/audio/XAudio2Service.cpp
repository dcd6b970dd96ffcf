#include "media/audio/XAudio2Service.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"

#include <algorithm>

namespace Media {

namespace {

constexpr HRESULT kEFail = static_cast<HRESULT>(0x80004005);

System::Exception audioFailure(const char* call, const char* place) {
    const std::string reason = Platform::Audio::AudioVoice::lastError();
    return System::makeHResultException(call, place, kEFail, reason.c_str());
}

}  // namespace

XAudio2Service::~XAudio2Service() {
    try {
        stop();
        clearBuffer();
    } catch (const System::Exception&) {
        // Logged when built; shutdown goes on.
    }
    destroyVoices();
    heldBlocks_.clear();
    if (engine_) Platform::Audio::AudioVoice::quitSubsystem();
}

void XAudio2Service::initialize() {
    if (engine_) return;
    if (!Platform::Audio::AudioVoice::initializeSubsystem())
        throw audioFailure("XAudio2Create", "Media::XAudio2Service::initialize");
    engine_ = true;
}

void XAudio2Service::createPlayer(std::uint32_t rate) {
    try {
        initialize();
        if (sourceVoice_) {
            // Voices are reused from one playback to the next.
            if (rate != rate_) {
                if (!sourceVoice_->setRate(rate))
                    throw audioFailure("sourceVoice->SetSourceSampleRate", "Media::XAudio2Service::createPlayer");
                rate_ = rate;
            }
            return;
        }
        auto voice = std::make_unique<Platform::Audio::AudioVoice>();
        if (!voice->open(rate))
            throw audioFailure("xaudio2->CreateMasteringVoice", "Media::XAudio2Service::createPlayer");
        sourceVoice_ = std::move(voice);
        rate_ = rate;
    } catch (const System::Exception&) {
        System::Log::warn("Media::XAudio2Service::createPlayer", "audio player initialize failed.");
        try {
            stop();
            clearBuffer();
        } catch (const System::Exception&) {
        }
        destroyVoices();
    }
}

void XAudio2Service::play() {
    if (!sourceVoice_ || playing_) return;
    System::Log::info("Media::XAudio2Service::play", "start audio player");
    if (!sourceVoice_->start()) fail("sourceVoice->Start", "Media::XAudio2Service::play");
    playing_ = true;
}

void XAudio2Service::submitBuffer(std::unique_ptr<System::AlignedBuffer> block) {
    if (!sourceVoice_ || !block) return;
    releasePlayedBuffers();
    const System::AlignedBuffer* kept = queueBuffer(std::move(block));
    if (!sourceVoice_->submit(kept->data, kept->size))
        fail("sourceVoice->SubmitSourceBuffer", "Media::XAudio2Service::submitBuffer");
}

void XAudio2Service::fail(const char* call, const char* place) {
    System::Exception failure = audioFailure(call, place);
    destroyVoices();
    heldBlocks_.clear();
    heldBytes_ = 0;
    throw failure;
}

void XAudio2Service::stop() {
    if (!sourceVoice_ || !playing_) return;
    playing_ = false;
    System::Log::info("Media::XAudio2Service::stop", "stop audio player");
    sourceVoice_->stop();
}

void XAudio2Service::setVolume(int percent) {
    if (!sourceVoice_) return;
    sourceVoice_->setVolume(static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f);
}

void XAudio2Service::clearBuffer() {
    if (sourceVoice_) sourceVoice_->flush();
    heldBlocks_.clear();
    heldBytes_ = 0;
}

void XAudio2Service::releasePlayedBuffers() {
    // Blocks finish in submission order: the oldest held ones are done.
    const std::size_t queued = sourceVoice_ ? sourceVoice_->buffersQueued() : 0;
    while (heldBlocks_.size() > queued) {
        heldBytes_ -= heldBlocks_.front()->size;
        heldBlocks_.pop_front();
    }
}

System::AlignedBuffer* XAudio2Service::queueBuffer(std::unique_ptr<System::AlignedBuffer> block) {
    heldBytes_ += block->size;
    heldBlocks_.push_back(std::move(block));
    return heldBlocks_.back().get();
}

void XAudio2Service::destroyVoices() {
    sourceVoice_.reset();
    playing_ = false;
}

}  // namespace Media
