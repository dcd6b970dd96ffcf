// The player with a clock of the test's own: buffer sizes from the
// settings, frames presented when the clock reaches them, late frames
// dropped, the cursor after stop, the sound blocks handed to the output in
// order, underruns and a failing sound device.
#include "PlayerFixture.h"

#include "core/event/EventService.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace {

using PlayerTest::PlayerFixture;

class MoviePlayerTest : public PlayerFixture {
protected:
    // A picture from frame 0 to last; the scene's length follows it.
    void sceneOf(int last, int rate = 30, int scale = 1) {
        scene().videoRate = rate;
        scene().videoScale = scale;
        scene().audioRate = 3000;
        place(0, 0, last);
    }
    double due(int frame) const { return frame * static_cast<double>(scale_) / rate_; }
    void useRate(int rate, int scale) {
        rate_ = rate;
        scale_ = scale;
    }
    // Every presentation happened inside the frame's display period.
    void expectOnTime(std::size_t from = 0) {
        for (std::size_t i = from; i < presented.size(); ++i) {
            EXPECT_GE(presented[i].clock, due(presented[i].frame)) << presented[i].frame;
            EXPECT_LE(presented[i].clock, due(presented[i].frame + 1)) << presented[i].frame;
        }
    }

    int rate_ = 30;
    int scale_ = 1;
};

TEST_F(MoviePlayerTest, BufferSizesFollowTheBufferTime) {
    struct Case {
        int bufferTime, rate, scale, video, audio;
    } cases[] = {
        {0, 30, 1, 2, 30},            // two frames at least, one second of sound at least
        {500, 30000, 1001, 15, 30},   // nearest(14.985) frames
        {2000, 24, 1, 48, 48},        // both follow a long buffer time
        {-100, 60, 1, 2, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bufferTime);
        scene().videoRate = c.rate;
        scene().videoScale = c.scale;
        player.bufferTime = c.bufferTime;
        player.play(false);
        EXPECT_EQ(player.videoBufferFrames(), c.video);
        EXPECT_EQ(player.audioBufferFrames(), c.audio);
        player.stop(false);
    }
}

TEST_F(MoviePlayerTest, OneSecondAtThirtyFramesPresentsEveryFrameOnTime) {
    sceneOf(29);
    player.play(false);
    EXPECT_TRUE(scene().playing);
    // The clock starts a third of a second early.
    EXPECT_NEAR(player.clockSeconds(), -0.333, 1e-6);
    run();

    std::vector<int> all(30);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(presentedFrames(), all);
    expectOnTime();
    // The end of the scene stops playback 0.05 s past its end time, the
    // cursor at the last frame.
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(scene().playing);
    EXPECT_GT(player.clockSeconds(), 29 / 30.0 + 0.05);
    EXPECT_LT(player.clockSeconds(), 29 / 30.0 + 0.05 + 0.025);
    EXPECT_EQ(scene().cursorFrame, 29);
    EXPECT_EQ(playStates, (std::vector<bool>{true, false}));
}

TEST_F(MoviePlayerTest, AtTwentyNineNinetySevenFramesAreShownAtTheirOwnTimes) {
    sceneOf(20, 30000, 1001);
    useRate(30000, 1001);
    scene().cursorFrame = 5;
    player.play(false);
    run();
    std::vector<int> all(16);
    std::iota(all.begin(), all.end(), 5);
    EXPECT_EQ(presentedFrames(), all);
    expectOnTime();
}

TEST_F(MoviePlayerTest, StopReturnsTheCursorToTheStartOrLeavesItAtTheLastFrameShown) {
    sceneOf(100);
    for (bool returnToStart : {true, false}) {
        SCOPED_TRACE(returnToStart);
        presented.clear();
        edit.setCurrentFrame(10);
        player.play(false);
        for (int i = 0; i < 60 && presented.size() < 8; ++i) tick();
        ASSERT_EQ(presented.size(), 8u);
        player.stop(returnToStart);
        EXPECT_FALSE(scene().playing);
        EXPECT_EQ(scene().cursorFrame, returnToStart ? 10 : 17);
        // A stopped player neither ticks nor queues.
        tick();
        EXPECT_EQ(presented.size(), 8u);
    }
}

TEST_F(MoviePlayerTest, PlayingFromTheLastFrameStopsThereAfterTheGrace) {
    sceneOf(40);
    edit.setCurrentFrame(40);
    player.play(false);
    run();
    EXPECT_EQ(presentedFrames(), std::vector<int>{40});
    EXPECT_EQ(scene().cursorFrame, 40);
    EXPECT_GT(player.clockSeconds(), 40 / 30.0 + 0.05);
}

TEST_F(MoviePlayerTest, FillingTheBufferHoldsTheClockUntilTheFramesAreThere) {
    sceneOf(29);
    edit.setCurrentFrame(3);
    player.play(true);
    EXPECT_LT(player.clockSeconds(), -590.0);
    tick();  // four frames asked for: the queue is not yet full
    EXPECT_LT(player.clockSeconds(), -590.0);
    for (int i = 0; i < 10 && player.clockSeconds() < 0; ++i) tick();
    // Released to the start frame's time once 15 frames wait and nothing is queued.
    EXPECT_NEAR(player.clockSeconds(), 0.1 + 0.012, 1e-6);
    run();
    EXPECT_EQ(presentedFrames().front(), 3);
    EXPECT_EQ(presentedFrames().back(), 29);
    EXPECT_EQ(presented.size(), 27u);
}

// A render that stalls for a quarter of a second: the late frame is shown
// because nothing newer waits, the frames whose time passed meanwhile are
// never shown, and playback goes on in step.
TEST_F(MoviePlayerTest, AStalledRenderDropsTheFramesItMissed) {
    sceneOf(45);
    auto [gate, draw] = place<PlayerTest::Gate>(1, 0, 45);
    (void)draw;
    gate->frame = 10;
    PlayerTest::Gate::setOpen(false);
    player.bufferTime = 0;  // two frames ahead
    player.play(false);
    for (int i = 0; i < 200 && !PlayerTest::Gate::isHolding(); ++i) tick();
    ASSERT_TRUE(PlayerTest::Gate::isHolding());
    for (int i = 0; i < 20; ++i) tick();
    const int dueAtRelease = static_cast<int>(std::lround(player.clockSeconds() * 30));
    openGate();
    run();

    const std::vector<int> frames = presentedFrames();
    ASSERT_GE(frames.size(), 13u);
    for (int f = 0; f <= 10; ++f) EXPECT_EQ(frames[static_cast<std::size_t>(f)], f);
    // Frame 10 came late and alone.
    EXPECT_GT(presented[10].clock, due(11));
    // Nothing between 10 and the frame due at the release.
    EXPECT_GE(frames[11], dueAtRelease);
    for (std::size_t i = 12; i < frames.size(); ++i) EXPECT_EQ(frames[i], frames[i - 1] + 1);
    EXPECT_EQ(frames.back(), 45);
    // The first frame after the gap may come late too, when nothing newer
    // waits yet; from the next one on playback is in step.
    expectOnTime(12);
    EXPECT_EQ(scene().cursorFrame, 45);
}

// The user-interface thread misses a second of ticks after frame 5, with
// frames 6 to 19 waiting (half a second ahead). Worked out by hand, one
// line a tick from frame time 35.0:
//   drops 6-9 (the playing frame follows); frames 20-23 arrive past their
//   time while others wait: thrown away, the worker now skips frames below 36
//   drops 10-13; 24-27 skipped      drops 14-17; 28-31 skipped
//   drops 18; 19 is alone: shown late; 32-34 skipped, 35 arrives in time
//   35 is alone: shown late; 36-39 arrive
//   36's period has passed and 37 waits: 36 dropped, 37 shown; on time from here
TEST_F(MoviePlayerTest, AfterMissedTicksLateFramesAreDroppedFourATick) {
    sceneOf(90);
    player.play(false);
    for (int i = 0; i < 100 && (presented.empty() || presented.back().frame < 5); ++i) tick();
    ASSERT_EQ(presented.back().frame, 5);
    clock->advance(1.0);
    const std::size_t before = presented.size();
    tick();
    EXPECT_EQ(presented.size(), before);
    EXPECT_EQ(scene().playingFrame, 9);
    run();

    std::vector<int> expected{0, 1, 2, 3, 4, 5, 19, 35};
    for (int f = 37; f <= 90; ++f) expected.push_back(f);
    EXPECT_EQ(presentedFrames(), expected);
    expectOnTime(8);
    EXPECT_EQ(scene().cursorFrame, 90);
}

TEST_F(MoviePlayerTest, EditsAndSceneChangesStopPlayback) {
    sceneOf(100);
    auto* events = System::Singleton<Event::EventService>::getInstance();
    player.play(false);
    for (int i = 0; i < 40; ++i) tick();
    const int shown = scene().playingFrame;
    std::shared_ptr<Edit::Object> object = objectAt(0, 0);
    events->objectUpdate.notify(object);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(scene().cursorFrame, shown);

    player.play(false);
    EXPECT_TRUE(player.isPlaying());
    events->sceneChange.notify(scene().id);
    EXPECT_FALSE(player.isPlaying());

    // The edit service's hook stops without returning to the start.
    edit.hooks.stopPlayback = [this] { player.stop(false); };
    player.play(false);
    for (int i = 0; i < 40; ++i) tick();
    const int now = scene().playingFrame;
    edit.hooks.stopPlayback();
    EXPECT_EQ(scene().cursorFrame, now);
    edit.hooks.stopPlayback = nullptr;
}

// The sound of frames 0.. in order, interleaved left and right, from the
// frame the voice starts at; the level meter gets one record a frame.
TEST_F(MoviePlayerTest, SoundBlocksReachTheOutputInOrderInterleaved) {
    sceneOf(60);
    scene().createObject(AudioTest::kSoundFile, 1, 0, 60);
    scene().updateLayerObject();
    player.play(false);
    // The voice starts in the tick that finds the clock at the start (the
    // clock is released to it once the first frames wait).
    for (int i = 0; i < 60 && !output.isPlaying(); ++i) {
        step();
        EXPECT_EQ(output.isPlaying(), player.clockSeconds() >= 0.0) << player.clockSeconds();
        clock->advance(0.012);
    }
    for (int i = 0; i < 10; ++i) tick();
    EXPECT_TRUE(output.isPlaying());
    ASSERT_GE(output.blocks.size(), 30u);
    std::vector<float> sound;
    for (const auto& block : output.blocks) {
        EXPECT_EQ(block.size(), 2u * 100u);  // 100 samples a frame at 3000 Hz
        sound.insert(sound.end(), block.begin(), block.end());
    }
    for (std::size_t n = 0; n < sound.size() / 2; ++n) {
        ASSERT_EQ(sound[2 * n], AudioTest::signalLeft(static_cast<std::int64_t>(n))) << n;
        ASSERT_EQ(sound[2 * n + 1], AudioTest::signalRight(static_cast<std::int64_t>(n))) << n;
    }
    const auto records = player.levelMeter.records();
    ASSERT_GE(records.size(), 30u);
    for (std::size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].frame, static_cast<int>(i));
    player.stop(false);
    EXPECT_TRUE(player.levelMeter.records().empty());
    EXPECT_FALSE(output.isPlaying());
}

// The voice runs dry: the sound starts again one second later, from the
// frame due then, while the pictures go on at the clock's own pace.
TEST_F(MoviePlayerTest, AnUnderrunRestartsTheSoundOneSecondLater) {
    sceneOf(200);
    player.play(false);
    for (int i = 0; i < 60; ++i) tick();
    ASSERT_TRUE(output.isPlaying());
    ASSERT_NE(output.voice(), nullptr);
    output.stop();
    output.clearBuffer();
    output.play();  // started, with nothing queued
    const std::size_t blocks = output.blocks.size();
    step();
    const double now = player.clockSeconds();
    EXPECT_FALSE(output.isPlaying());
    EXPECT_DOUBLE_EQ(player.audioStartTime(), now + 1.0);
    const int restart = static_cast<int>(std::lround((now + 1.0) * 30));
    // Four blocks asked for at once from the frame due a second later.
    EXPECT_EQ(player.nextAudioFrame(), restart + 4);
    const auto records = player.levelMeter.records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records.front().frame, restart);
    clock->advance(0.012);
    for (int i = 0; i < 200 && !output.isPlaying(); ++i) {
        const double before = player.clockSeconds();
        step();
        // The clock goes on at its own pace: a tick, at most a frame's wait.
        EXPECT_LT(player.clockSeconds() - before, 0.017);
        EXPECT_EQ(output.isPlaying(), player.clockSeconds() >= now + 1.0);
        clock->advance(0.012);
    }
    EXPECT_TRUE(output.isPlaying());
    const std::vector<int> frames = presentedFrames();
    for (std::size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i], frames[i - 1] + 1);
    EXPECT_GT(output.blocks.size(), blocks);
    EXPECT_TRUE(player.isPlaying());
}

// The sound device fails (the file behind SDL's file driver is full, which
// SDL takes for a lost device): playback stops with the error shown and
// logged, the program goes on, and the next play opens the device again.
TEST_F(MoviePlayerTest, AFailingSoundDeviceStopsPlaybackWithTheErrorShown) {
    TestSupport::useTestDisplay();
    TestSupport::MessageBoxWatcher boxes;
    sceneOf(1000);
    setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
    edit.setCurrentFrame(4);
    player.play(false);
    for (int i = 0; i < 2000 && player.isPlaying(); ++i) tick();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(scene().playing);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const std::string& text = boxes.boxes[0].text;
    EXPECT_TRUE(text.find("sourceVoice->Start") != std::string::npos ||
                text.find("sourceVoice->SubmitSourceBuffer") != std::string::npos)
        << text;
    EXPECT_EQ(scene().cursorFrame, scene().playingFrame);
    EXPECT_EQ(output.voice(), nullptr);

    setenv("SDL_DISKAUDIOFILE", (testing::TempDir() + "player-device.raw").c_str(), 1);
    edit.setCurrentFrame(4);
    player.play(false);
    for (int i = 0; i < 60; ++i) tick();
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(output.isPlaying());
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

}  // namespace
