#pragma once
// Plays the current scene in real time in the preview. Frames and audio
// blocks are rendered ahead through the render workers' playback requests;
// a 12 ms tick on the user-interface thread presents each frame when the
// clock reaches it (dropping frames that are late while newer ones wait),
// hands the audio blocks to the sound output, and stops at the end of the
// scene. The level of every audio block is measured for the level meter.
//
// play, stop and the tick run on the user-interface thread; the video
// callback on "RenderVideoWorker", the audio callback on
// "RenderAudioWorker". stop waits for the running playback tasks of both,
// so no callback of a stopped playback queues anything afterwards.
#include "core/file/Config.h"
#include "core/thread/SyncTimer.h"
#include "edit/model/Scene.h"
#include "media/image/FrameImage.h"
#include "render/player/LevelMeter.h"
#include "render/player/PlayerClock.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

namespace Edit {
class EditService;
}  // namespace Edit
namespace Event {
class EventService;
}  // namespace Event
namespace Media {
class AudioBuffer;
class RenderBuffer;
class XAudio2Service;
}  // namespace Media
namespace System {
class AlignedBuffer;
}  // namespace System

namespace Render {

class RenderAudioWorker;
class RenderVideoWorker;

class MoviePlayer {
public:
    // Loads "Player" and listens for object edits and scene changes, which
    // stop playback. Without a clock the system's monotonic clock is used.
    MoviePlayer(Edit::EditService* editService, RenderVideoWorker& videoWorker, RenderAudioWorker& audioWorker,
                Media::XAudio2Service* xaudio, std::unique_ptr<PlayerClock> clock = nullptr);
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // From the cursor to the end of the current scene; with fillBuffer the
    // clock waits until the first frames and blocks are rendered. Nothing
    // while playing.
    void play(bool fillBuffer);
    // Back to the frame playback began at, or left at the last presented
    // frame. Nothing unless playing.
    void stop(bool returnToStart);
    bool isPlaying() const { return playing_.load(); }

    // One tick: video step, audio step, the end of the scene. A failure of
    // the sound output stops playback and is shown; the program goes on.
    void onTimer();
    void updateVideo();
    void updateAudio();

    // Seconds of scene time on the clock.
    double clockSeconds() const;
    void setClock(double seconds);

    // Inside a rendered-video-frame listener only: the frame presented.
    const Media::FrameImage* presentedFrame() const;

    // Read by the tests and the preview while playing.
    int videoBufferFrames() const { return videoBufferFrames_; }
    int audioBufferFrames() const { return audioBufferFrames_; }
    int nextAudioFrame() const;
    double audioStartTime() const;

    LevelMeter levelMeter;

    // "Player"
    int volume = 100;
    int bufferTime = 500;
    int visibleLevelMeter = 1;
    int levelMeterOnlyPlayback = 0;
    int levelMeterThresholdRed = -3;
    int levelMeterThresholdYellow = -20;

private:
    struct VideoFrame {
        int frame;
        std::unique_ptr<Media::FrameImage> image;
    };
    struct AudioBlock {
        int frame;
        std::unique_ptr<System::AlignedBuffer> block;
    };

    void requestAudio();
    void releaseClock();
    void presentFrames();
    void submitBlocks();
    void onVideoFrame(int frame, Media::RenderBuffer& buffer);
    void onAudioBlock(int frame, Media::AudioBuffer& buffer);
    double secondsOfFrame(double frame) const;
    int frameOfSeconds(double seconds) const;
    void setPlayingFrame(int frame);

    Edit::EditService* editService_;
    Event::EventService* eventService_;
    Media::XAudio2Service* xaudio_;
    RenderVideoWorker& videoWorker_;
    RenderAudioWorker& audioWorker_;

    System::Config config_{"Player"};
    System::Config::Int volumeParameter_{config_, "Volume", &volume, 100};
    System::Config::Int bufferTimeParameter_{config_, "BufferTime", &bufferTime, 500};
    System::Config::Int visibleLevelMeterParameter_{config_, "VisibleLevelMeter", &visibleLevelMeter, 1};
    System::Config::Int levelMeterOnlyPlaybackParameter_{config_, "LevelMeterOnlyPlayback",
                                                         &levelMeterOnlyPlayback, 0};
    System::Config::Int levelMeterThresholdRedParameter_{config_, "LevelMeterThresholdRed",
                                                         &levelMeterThresholdRed, -3};
    System::Config::Int levelMeterThresholdYellowParameter_{config_, "LevelMeterThresholdYellow",
                                                            &levelMeterThresholdYellow, -20};
    System::Config::Scope scope_{config_};

    mutable std::mutex videoMutex_;
    mutable std::mutex audioMutex_;

    // The scene being played, and its rate while it plays.
    Edit::ScenePointer scene_;
    int rate_ = 30;
    int scale_ = 1;
    std::atomic<bool> playing_{false};

    int nextVideoFrame_ = 0;   // videoMutex_
    int nextAudioFrame_ = 0;   // audioMutex_
    int startFrame_ = 0;
    int endFrame_ = 0;
    double audioStartTime_ = 0.0;  // audioMutex_
    double startTime_ = 0.0;       // the scene time playback began at
    double endTime_ = 0.0;
    int videoBufferFrames_ = 2;
    int audioBufferFrames_ = 2;

    std::deque<VideoFrame> videoQueue_;  // videoMutex_
    std::deque<AudioBlock> audioQueue_;  // audioMutex_

    std::unique_ptr<PlayerClock> clock_;
    std::atomic<std::int64_t> clockStart_{0};
    Sync::Timer timer_;
};

}  // namespace Render
