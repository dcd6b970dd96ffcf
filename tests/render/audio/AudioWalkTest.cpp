// The audio walk: frame-to-sample boundaries, a rendered run of frames
// against the signal worked out here, nested group gains, the reach of a
// time control, scenes that contain themselves, one-second scene blocks
// and on-demand buffers.
#include "AudioWalkFixture.h"

#include "edit/scope/EditScope.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using AudioTest::signalLeft;
using AudioTest::signalRight;

TEST(AudioSampleRangeTest, FramesOwnTheSamplesBetweenRoundedBoundaries) {
    struct Case {
        int sampleRate, rate, scale;
        std::vector<std::int64_t> starts;  // S(0), S(1), ...
    } cases[] = {
        {48000, 30000, 1001, {0, 1602, 3203, 4805, 6406}},
        {44100, 30, 1, {0, 1470, 2940, 4410, 5880}},
        {48000, 24, 1, {0, 2000, 4000}},
        // 44100 × 1001 / 30000 = 1471.47: 1471, 2943 (2942.94), 4414 (4414.41)
        {44100, 30000, 1001, {0, 1471, 2943, 4414}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sampleRate << " at " << c.rate << "/" << c.scale);
        for (std::size_t f = 0; f < c.starts.size(); ++f)
            EXPECT_EQ(Render::sampleOfFrame(c.sampleRate, static_cast<std::int64_t>(f), c.rate, c.scale), c.starts[f]);
    }
    // Counts of 1601 or 1602 that add up exactly over any run of frames.
    std::int64_t sum = 0;
    for (int f = 1000; f < 1300; ++f) {
        const Render::AudioSampleRange range = Render::frameSampleRange(48000, 30000, 1001, f, 1000);
        EXPECT_TRUE(range.count == 1601 || range.count == 1602) << f;
        EXPECT_EQ(range.offset, sum);
        sum += range.count;
    }
    EXPECT_EQ(sum, Render::sampleOfFrame(48000, 1300, 30000, 1001) - Render::sampleOfFrame(48000, 1000, 30000, 1001));
    // Halves round away from zero: 44100 × 1 / 8 = 5512.5.
    EXPECT_EQ(Render::sampleOfFrame(44100, 1, 8, 1), 5513);
}

class AudioWalkTest : public ::testing::Test, public AudioTest::AudioWalkFixture {};

TEST_F(AudioWalkTest, ThirtyFramesAtHalfVolumePannedRightAreSampleExact) {
    scene().videoRate = 30000;
    scene().videoScale = 1001;
    scene().audioRate = 48000;
    Edit::ObjectPointer object = placeSignal(0, 3, 100);
    outputOf(object).volume.setValue(50, 0);
    outputOf(object).pan.setValue(100, 0);
    std::vector<float> left;
    std::vector<float> right;
    for (int f = 0; f < 30; ++f) {
        auto mix = render(f);
        left.insert(left.end(), mix[0].begin(), mix[0].end());
        right.insert(right.end(), mix[1].begin(), mix[1].end());
    }
    ASSERT_EQ(left.size(), 48048u);  // S(30)
    const std::int64_t objectStart = Render::sampleOfFrame(48000, 3, 30000, 1001);
    for (std::size_t n = 0; n < left.size(); ++n) {
        ASSERT_EQ(left[n], 0.0f) << n;
        const auto i = static_cast<std::int64_t>(n);
        const float expected = i < objectStart ? 0.0f : signalRight(i - objectStart) * 0.5f;
        ASSERT_EQ(right[n], expected) << n;
    }
}

TEST_F(AudioWalkTest, TwoNestedGroupControlsAtHalfGiveAQuarter) {
    scene().videoRate = 30;
    scene().audioRate = 44100;
    placeGroup(0, 0, 10, 0.5f, 0.5f, 0);
    placeGroup(1, 0, 10, 0.5f, 0.5f, 2);
    placeSignal(2, 0, 10);
    const auto mix = render(2);
    ASSERT_EQ(mix[0].size(), 1470u);
    for (std::size_t i = 0; i < mix[0].size(); ++i) {
        const auto n = static_cast<std::int64_t>(2940 + i);
        ASSERT_EQ(mix[0][i], signalLeft(n) * 0.25f) << i;
        ASSERT_EQ(mix[1][i], signalRight(n) * 0.25f) << i;
    }
}

TEST_F(AudioWalkTest, AGroupControlGovernsOnlyItsLayers) {
    scene().videoRate = 30;
    scene().audioRate = 3000;  // 100 samples a frame
    placeGroup(0, 0, 10, 0.5f, 0.25f, 1);
    placeSignal(1, 0, 10);
    placeSignal(2, 0, 10);
    const auto mix = render(0);
    ASSERT_EQ(mix[0].size(), 100u);
    for (std::int64_t n = 0; n < 100; ++n) {
        EXPECT_EQ(mix[0][static_cast<std::size_t>(n)], signalLeft(n) * 0.5f + signalLeft(n));
        EXPECT_EQ(mix[1][static_cast<std::size_t>(n)], signalRight(n) * 0.25f + signalRight(n));
    }
}

// A time control on layer 3 governing 2 layers: layers 4 and 5 are looked
// up 10 frames later, layer 6 at the frame itself, even when the lookup of
// layer 6 at the later frame would find an object.
TEST_F(AudioWalkTest, ATimeControlMovesTheFrameOfItsLayersOnly) {
    scene().videoRate = 30;
    scene().audioRate = 3000;
    Edit::ObjectPointer time = scene().createObject(AudioTest::kTime, 3, 0, 100);
    scene().updateLayerObject();
    auto& shift = dynamic_cast<AudioTest::TimeShift&>(*time->effectList[0]);
    shift.shift = 10;
    shift.range = 2;
    time->layerRangeControl = true;
    Edit::ObjectPointer governed = placeSignal(4, 10, 20);
    outputOf(governed).pan.setValue(100, 0);  // right only
    Edit::ObjectPointer later = placeSignal(6, 10, 20);  // would sound if the shift leaked
    Edit::ObjectPointer own = placeSignal(7, 0, 5);
    outputOf(own).pan.setValue(-100, 0);  // left only
    (void)later;
    const auto mix = render(0);
    ASSERT_EQ(mix[0].size(), 100u);
    for (std::int64_t n = 0; n < 100; ++n) {
        EXPECT_EQ(mix[0][static_cast<std::size_t>(n)], signalLeft(n)) << n;
        EXPECT_EQ(mix[1][static_cast<std::size_t>(n)], signalRight(n)) << n;  // frame 10 is the object's first
    }
}

TEST_F(AudioWalkTest, ASceneThatPlaysItselfIsSilentWithAWarning) {
    scene().videoRate = 30;
    scene().audioRate = 3000;
    scene().createObject(AudioTest::kScene, 0, 0, 10);
    scene().updateLayerObject();
    placeSignal(1, 0, 10);
    const auto mix = render(0);
    ASSERT_EQ(mix[0].size(), 100u);
    EXPECT_EQ(mix[0][5], signalLeft(5));  // the walk itself goes on
    std::vector<std::string> warnings;
    for (const auto& line : env.log.of(System::Log::WARN))
        if (line.tag == "Render::RenderWorkerBase::RenderSection::RenderSection") warnings.push_back(line.text);
    EXPECT_FALSE(warnings.empty());
    for (const auto& w : warnings) EXPECT_EQ(w, "recursive scene. index=0 num=1");
}

// Block 1 at 48000 samples and 30000/1001 frames: B = 48000, first frame
// 29 (S = 46446), copied from its sample 1554 on.
TEST_F(AudioWalkTest, SceneBlocksHoldOneSecondOfTheMix) {
    scene().videoRate = 30000;
    scene().videoScale = 1001;
    scene().audioRate = 48000;
    placeSignal(0, 0, 200);
    scene().totalLength = 200;
    std::promise<std::shared_ptr<Media::AudioBlockBuffer>> result;
    worker.thread.pushTask(0, [&] {
        worker.createSceneAudioBlock(scene(), 1, [&](std::shared_ptr<Media::AudioBlockBuffer> block) {
            result.set_value(std::move(block));
        });
    });
    const std::shared_ptr<Media::AudioBlockBuffer> block = result.get_future().get();
    ASSERT_TRUE(block);
    ASSERT_EQ(block->samples, 48000u);
    for (std::uint32_t i = 0; i < block->samples; ++i) {
        ASSERT_EQ(block->getChannel(0)[i], signalLeft(48000 + i)) << i;
        ASSERT_EQ(block->getChannel(1)[i], signalRight(48000 + i)) << i;
    }
}

TEST_F(AudioWalkTest, TheLastSceneBlockEndsWithTheScene) {
    scene().videoRate = 30;
    scene().audioRate = 3000;
    placeSignal(0, 0, 100);
    scene().totalLength = 44;  // frames 30..44 of block 1: 1500 samples
    std::promise<std::shared_ptr<Media::AudioBlockBuffer>> result;
    worker.thread.pushTask(0, [&] {
        worker.createSceneAudioBlock(scene(), 1, [&](std::shared_ptr<Media::AudioBlockBuffer> block) {
            result.set_value(std::move(block));
        });
    });
    const std::shared_ptr<Media::AudioBlockBuffer> block = result.get_future().get();
    ASSERT_TRUE(block);
    ASSERT_EQ(block->samples, 3000u);
    for (std::uint32_t i = 0; i < 3000; ++i)
        ASSERT_EQ(block->getChannel(0)[i], i < 1500 ? signalLeft(3000 + i) : 0.0f) << i;
}

TEST_F(AudioWalkTest, RenderingBuffersAreSetWhenRenderedAndWhenDropped) {
    scene().videoRate = 30;
    scene().audioRate = 3000;
    placeSignal(0, 0, 10);
    auto buffer = worker.createRenderingBuffer(scene(), 1);
    buffer->wait();
    ASSERT_EQ(buffer->buffer.samples, 100u);
    EXPECT_EQ(buffer->buffer.getChannel(0)[3], signalLeft(103));
    worker.thread.stop();
    auto dropped = worker.createRenderingBuffer(scene(), 1);
    dropped->wait();  // returns: the task was dropped unrun
    EXPECT_EQ(dropped->buffer.samples, 0u);
}

TEST_F(AudioWalkTest, ARenderingBufferOfASceneDeletedBeforeItsTaskRunsStaysEmpty) {
    Edit::Scene& nested = *edit.project.getOrCreateScene(3);
    nested.videoRate = 30;
    nested.audioRate = 3000;
    nested.createObject(AudioTest::kSoundFile, 0, 0, 10);
    nested.updateLayerObject();
    std::promise<void> gate;
    worker.thread.pushTask(3, [open = gate.get_future().share()] { open.wait(); });
    auto buffer = worker.createRenderingBuffer(nested, 1);
    {
        Edit::EditScope scope(edit);
        edit.project.deleteScene(3);
    }
    gate.set_value();
    buffer->wait();
    EXPECT_EQ(buffer->buffer.samples, 0u);
}

TEST_F(AudioWalkTest, APreviewRequestReplacesTheQueuedOnes) {
    scene().videoRate = 30;
    scene().audioRate = 3000;
    std::promise<void> gate;
    std::shared_future<void> open = gate.get_future().share();
    worker.thread.pushTask(3, [open] { open.wait(); });
    std::vector<int> done;
    std::mutex mutex;
    auto record = [&](int frame, Media::AudioBuffer&) {
        std::lock_guard lock(mutex);
        done.push_back(frame);
    };
    worker.requestRenderingFrame(Render::RenderTaskType::Preview, 1, record);
    worker.requestRenderingFrame(Render::RenderTaskType::Playback, 2, record);
    worker.requestRenderingFrame(Render::RenderTaskType::Preview, 3, record);
    worker.requestRenderingFrame(Render::RenderTaskType::OneShot, 4, record);
    worker.requestRenderingFrame(Render::RenderTaskType::Preview, 5, record);
    gate.set_value();
    worker.thread.waitAllTasks();
    EXPECT_EQ(done, (std::vector<int>{2, 4, 5}));
}

}  // namespace
