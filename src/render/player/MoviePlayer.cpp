#include "render/player/MoviePlayer.h"

#include "core/base/AlignedBuffer.h"
#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/event/MessageBox.h"
#include "core/event/UserInterface.h"
#include "edit/service/EditService.h"
#include "media/audio/AudioBuffer.h"
#include "media/audio/XAudio2Service.h"
#include "media/gpu/RenderBuffer.h"
#include "render/audio/RenderAudioWorker.h"
#include "render/service/RenderVideoWorker.h"

#include <algorithm>
#include <cmath>

namespace Render {

namespace {

constexpr int playbackTask = static_cast<int>(RenderTaskType::Playback);
constexpr int tickMilliseconds = 12;
constexpr int maxRequestsPerTick = 4;
constexpr int maxFramesPerTick = 4;
// How far ahead a frame may be presented by busy-waiting for it.
constexpr double presentAhead = 0.016;
// The clock starts this early, so the first frames are rendered when due.
constexpr double startLead = 0.333;
// With fillBuffer the clock waits for the release instead.
constexpr double fillLead = 600.0;
constexpr double endGrace = 0.05;
// After an underrun the sound comes back this much later, in step.
constexpr double underrunDelay = 1.0;

int nearest(double x) { return static_cast<int>(std::lround(x)); }

}  // namespace

MoviePlayer::MoviePlayer(Edit::EditService* editService, RenderVideoWorker& videoWorker,
                         RenderAudioWorker& audioWorker, Media::XAudio2Service* xaudio,
                         std::unique_ptr<PlayerClock> clock)
    : editService_(editService),
      eventService_(System::Singleton<Event::EventService>::getInstance()),
      xaudio_(xaudio),
      videoWorker_(videoWorker),
      audioWorker_(audioWorker),
      clock_(clock ? std::move(clock) : std::make_unique<SteadyPlayerClock>()) {
    if (eventService_) {
        eventService_->objectUpdate.add(this, [this](std::shared_ptr<Edit::Object>&) { stop(false); });
        eventService_->sceneChange.add(this, [this](int) { stop(false); });
    }
}

MoviePlayer::~MoviePlayer() {
    try {
        stop(false);
    } catch (const std::exception& e) {
        System::Log::error("Render::MoviePlayer::~MoviePlayer", "%s", e.what());
    }
    if (eventService_) eventService_->removeListener(this);
}

double MoviePlayer::secondsOfFrame(double frame) const {
    return frame * static_cast<double>(scale_) / static_cast<double>(rate_);
}

int MoviePlayer::frameOfSeconds(double seconds) const {
    return nearest(static_cast<double>(rate_) * seconds / static_cast<double>(scale_));
}

double MoviePlayer::clockSeconds() const {
    return static_cast<double>(clock_->counter() - clockStart_.load()) / static_cast<double>(clock_->frequency());
}

void MoviePlayer::setClock(double seconds) {
    clockStart_.store(clock_->counter() -
                      static_cast<std::int64_t>(std::llround(static_cast<double>(clock_->frequency()) * seconds)));
}

void MoviePlayer::play(bool fillBuffer) {
    if (!editService_ || playing_.load()) return;
    const Edit::ScenePointer& scene = editService_->getCurrentScene();
    if (!scene || scene->playing) return;
    scene_ = scene;
    rate_ = scene->videoRate > 0 ? scene->videoRate : 30;
    scale_ = scene->videoScale > 0 ? scene->videoScale : 1;

    startFrame_ = scene->cursorFrame;
    endFrame_ = scene->totalLength;
    nextVideoFrame_ = startFrame_;
    nextAudioFrame_ = startFrame_;
    audioStartTime_ = secondsOfFrame(startFrame_);
    startTime_ = audioStartTime_;
    endTime_ = secondsOfFrame(endFrame_);
    const double framesPerSecond = static_cast<double>(rate_) / static_cast<double>(scale_);
    videoBufferFrames_ = std::max(nearest(std::max(bufferTime, 0) / 1000.0 * framesPerSecond), 2);
    audioBufferFrames_ = std::max(nearest(std::max(bufferTime / 1000.0, 1.0) * framesPerSecond), 2);

    levelMeter.setEnabled(visibleLevelMeter != 0);
    levelMeter.reset(rate_, scale_);
    if (xaudio_) {
        xaudio_->createPlayer(static_cast<std::uint32_t>(std::max(scene->audioRate, 1)));
        xaudio_->setVolume(volume);
    }
    setClock(audioStartTime_ - (fillBuffer ? fillLead : startLead));
    videoWorker_.setPlaybackPosition(0);

    timer_.setInterval(tickMilliseconds);
    if (auto* ui = System::UserInterface::current()) ui->registerWaitHandle(timer_.getHandle(), [this] { onTimer(); });

    scene->playingFrame = startFrame_;
    scene->playing = true;
    playing_.store(true);
    if (eventService_) eventService_->playStateChange.notify(true);
}

void MoviePlayer::stop(bool returnToStart) {
    if (!playing_.load()) return;
    playing_.store(false);
    scene_->playing = false;

    timer_.clear();
    if (xaudio_) xaudio_->stop();
    for (Worker::WorkerThread* thread : {&videoWorker_.thread, &audioWorker_.thread}) {
        thread->removeTask(playbackTask);
        thread->waitAllTasks();
    }
    {
        std::lock_guard lock(videoMutex_);
        videoQueue_.clear();
    }
    {
        std::lock_guard lock(audioMutex_);
        audioQueue_.clear();
    }
    levelMeter.clear();
    if (xaudio_) xaudio_->clearBuffer();

    if (eventService_) eventService_->playStateChange.notify(false);
    const int frame = returnToStart ? startFrame_ : scene_->playingFrame;
    // A scene change stops playback after the other scene became current:
    // the cursor of the scene that played stays its own.
    if (editService_ && editService_->getCurrentScene() == scene_)
        editService_->setCurrentFrame(frame);
    else
        scene_->cursorFrame = std::clamp(frame, 0, std::max(scene_->totalLength, 0));
    scene_.reset();
}

void MoviePlayer::onTimer() {
    updateVideo();
    try {
        updateAudio();
    } catch (const System::Exception& e) {
        // The sound device failed (gone, for one): playback ends, the
        // program goes on, and the next play opens the output again.
        stop(false);
        Dialog::showException(e);
        return;
    }
    if (playing_.load() && clockSeconds() > endTime_ + endGrace) {
        scene_->playingFrame = endFrame_;
        stop(false);
    }
}

void MoviePlayer::setPlayingFrame(int frame) { scene_->playingFrame = frame; }

void MoviePlayer::updateVideo() {
    if (!playing_.load()) return;
    {
        std::lock_guard lock(videoMutex_);
        if (nextVideoFrame_ > endFrame_) {
            releaseClock();
        } else {
            if (static_cast<int>(videoQueue_.size()) >= videoBufferFrames_) releaseClock();
            const int pending = static_cast<int>(videoWorker_.thread.getTaskCount());
            const int n = videoBufferFrames_ - static_cast<int>(videoQueue_.size()) - pending;
            for (int i = 0; i < std::min(n, maxRequestsPerTick) && nextVideoFrame_ <= endFrame_; ++i) {
                videoWorker_.requestRenderingFrame(
                    RenderTaskType::Playback, nextVideoFrame_,
                    [this](int frame, Media::RenderBuffer& target, Anchor::AnchorList&) { onVideoFrame(frame, target); });
                ++nextVideoFrame_;
            }
        }
    }
    presentFrames();
}

void MoviePlayer::presentFrames() {
    for (int pass = 0; pass < maxFramesPerTick; ++pass) {
        std::lock_guard lock(videoMutex_);
        if (videoQueue_.empty()) return;
        const int frame = videoQueue_.front().frame;
        const double due = secondsOfFrame(frame);
        const double now = clockSeconds();
        if (due > now) {
            if (due > now + presentAhead) return;
            while (clockSeconds() < due) clock_->pause();
        } else if (now > secondsOfFrame(frame + 1.0) && videoQueue_.size() > 1) {
            // Its display period has passed and a newer frame waits.
            setPlayingFrame(frame);
            videoQueue_.pop_front();
            continue;
        }
        setPlayingFrame(frame);
        if (eventService_) eventService_->renderVideoFrame.notify(RenderTaskType::Playback, frame);
        videoQueue_.pop_front();
    }
}

const Media::FrameImage* MoviePlayer::presentedFrame() const {
    return videoQueue_.empty() ? nullptr : videoQueue_.front().image.get();
}

// Only the hold of the start is released: after an underrun the sound's
// start lies a second ahead, and moving the clock there would skip a second
// of pictures and start the voice before its blocks are in.
void MoviePlayer::releaseClock() {
    if (clockSeconds() >= startTime_) return;
    if (videoWorker_.thread.getTaskCount() != 0 || audioWorker_.thread.getTaskCount() != 0) return;
    setClock(startTime_);
}

void MoviePlayer::onVideoFrame(int frame, Media::RenderBuffer& buffer) {
    if (!playing_.load()) return;
    std::lock_guard lock(videoMutex_);
    const int due = frameOfSeconds(clockSeconds());
    videoWorker_.setPlaybackPosition(due);
    // Late frames are dropped, unless nothing else is there to show.
    if (frame + 1 < due && !videoQueue_.empty()) return;
    auto image = std::make_unique<Media::FrameImage>();
    image->update(buffer);
    videoQueue_.push_back({frame, std::move(image)});
}

void MoviePlayer::updateAudio() {
    if (!playing_.load()) return;
    requestAudio();
    if (!xaudio_) return;
    if (!xaudio_->isPlaying() && clockSeconds() >= audioStartTime()) xaudio_->play();
    submitBlocks();
}

void MoviePlayer::requestAudio() {
    if (xaudio_ && xaudio_->isPlaying() && (!xaudio_->voice() || xaudio_->voice()->buffersQueued() == 0)) {
        // The sound ran dry: start it again a second later, in step with
        // the clock.
        xaudio_->stop();
        xaudio_->clearBuffer();
        audioWorker_.thread.removeTask(playbackTask);
        audioWorker_.thread.waitAllTasks();
        std::lock_guard lock(audioMutex_);
        audioQueue_.clear();
        audioStartTime_ = clockSeconds() + underrunDelay;
        nextAudioFrame_ = frameOfSeconds(audioStartTime_);
        levelMeter.clear();
    }
    std::lock_guard lock(audioMutex_);
    if (nextAudioFrame_ > endFrame_) return;
    const int pending = static_cast<int>(audioWorker_.thread.getTaskCount());
    const int n = audioBufferFrames_ - static_cast<int>(audioQueue_.size()) - pending;
    for (int i = 0; i < std::min(n, maxRequestsPerTick) && nextAudioFrame_ <= endFrame_; ++i) {
        audioWorker_.requestRenderingFrame(RenderTaskType::Playback, nextAudioFrame_,
                                           [this](int frame, Media::AudioBuffer& buffer) { onAudioBlock(frame, buffer); });
        ++nextAudioFrame_;
    }
}

void MoviePlayer::submitBlocks() {
    std::lock_guard lock(audioMutex_);
    while (!audioQueue_.empty() && xaudio_->voice()) {
        xaudio_->releasePlayedBuffers();
        if (xaudio_->heldBlockCount() >= Media::XAudio2Service::maxHeldBlocks ||
            xaudio_->heldByteCount() > Media::XAudio2Service::maxHeldBytes)
            return;
        std::unique_ptr<System::AlignedBuffer> block = std::move(audioQueue_.front().block);
        audioQueue_.pop_front();
        xaudio_->submitBuffer(std::move(block));
    }
}

void MoviePlayer::onAudioBlock(int frame, Media::AudioBuffer& buffer) {
    if (!playing_.load()) return;
    levelMeter.measure(frame, buffer);
    const std::uint32_t samples = buffer.channels > 0 ? buffer.samples : 0;
    const std::uint32_t bytes = samples * 2 * static_cast<std::uint32_t>(sizeof(float));
    auto block = std::make_unique<System::AlignedBuffer>();
    block->allocMemory((bytes + System::AlignedBuffer::alignment - 1) / System::AlignedBuffer::alignment *
                       System::AlignedBuffer::alignment);
    block->size = bytes;
    if (samples > 0) {
        // A mono buffer plays on both sides.
        const float* left = buffer.getChannel(0);
        const float* right = buffer.getChannel(buffer.channels > 1 ? 1 : 0);
        float* out = block->as<float>();
        for (std::uint32_t i = 0; i < samples; ++i) {
            out[2 * i] = left[i];
            out[2 * i + 1] = right[i];
        }
    }
    std::lock_guard lock(audioMutex_);
    audioQueue_.push_back({frame, std::move(block)});
}

int MoviePlayer::nextAudioFrame() const {
    std::lock_guard lock(audioMutex_);
    return nextAudioFrame_;
}

double MoviePlayer::audioStartTime() const {
    std::lock_guard lock(audioMutex_);
    return audioStartTime_;
}

}  // namespace Render
