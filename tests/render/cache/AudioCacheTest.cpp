#include "render/cache/AudioCache.h"

#include "core/base/Exception.h"
#include "render/cache/CacheTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <future>
#include <vector>

namespace {

using Cache::AudioCache;
using Cache::AudioSampleRange;
using CacheTest::plane;

TEST(AudioReadPositionTest, PositionsWorkedOutByHand) {
    struct Case {
        std::int64_t position;
        unsigned rate, sourceRate;
        double startTime, speed;
        int block, index, fraction;
        std::int64_t step;
        bool reverse;
    };
    const Case cases[] = {
        // 1 s at 48 kHz of a 44.1 kHz source: 44100 source samples on.
        {48000, 48000, 44100, 0.0, 1.0, 1, 0, 0, 44100, false},
        // Half a request sample: fraction 24000 of 48000.
        {1, 48000, 24000, 0.0, 1.0, 0, 0, 24000, 24000, false},
        // Start offset 1.5 s after the speed: 8 × 3 + 1.5 × 8 × 8 = 120 in 1/8.
        {3, 8, 8, 1.5, 1.0, 1, 7, 0, 8, false},
        // Half speed: step 4; position 3 is 12/8 of a source sample.
        {3, 8, 8, 0.0, 0.5, 0, 1, 4, 4, false},
        // Reverse takes the absolute step.
        {3, 8, 8, 0.0, -2.0, 0, 6, 0, 16, true},
        // 0.25 × 10 = 2.5 rounds half away from zero to 3.
        {1, 10, 10, 0.0, 0.25, 0, 0, 3, 3, false},
        // An offset before the source's start clamps to 0, and so does a
        // negative position without any offset.
        {2, 8, 8, -1.0, 1.0, 0, 0, 0, 8, false},
        {-3, 8, 8, 0.0, 1.0, 0, 0, 0, 8, false},
        // Speed 0: no step, nothing moves.
        {100, 8, 8, 0.0, 0.0, 0, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << " speed " << c.speed << " start " << c.startTime);
        const Cache::AudioReadPosition p =
            AudioCache::computeReadPosition(c.position, c.rate, c.sourceRate, c.startTime, c.speed);
        EXPECT_EQ(p.block, c.block);
        EXPECT_EQ(p.index, c.index);
        EXPECT_EQ(p.fraction, c.fraction);
        EXPECT_EQ(p.step, c.step);
        EXPECT_EQ(p.reverse, c.reverse);
        EXPECT_EQ(p.blockLength, static_cast<int>(c.sourceRate));
        EXPECT_EQ(p.requestRate, static_cast<int>(c.rate));
    }
}

class AudioCacheTest : public ::testing::Test {
protected:
    AudioCacheTest() {
        // 8 samples a second, three blocks: samples 0 to 23.
        source.add(L"ramp.wav", {});
        source.add(L"mono.wav", {.channels = 1});
        source.add(L"fast.wav", {.rate = 16});
        source.add(L"picture.bmp", {.audio = false});
        cache.setCacheSize(1);
    }

    std::vector<float> read(const wchar_t* name, std::int64_t position, int rate, int count, double start,
                            double speed) {
        const auto out = cache.readAudio(name, 0, AudioSampleRange{position, rate}, count, start, speed);
        if (!out) return {};
        EXPECT_EQ(out->channels, 2);
        EXPECT_EQ(out->samples, static_cast<std::uint32_t>(count));
        return plane(*out, 0);
    }

    CacheTest::StubSource source;
    AudioCache cache;
};

TEST_F(AudioCacheTest, ResampledReadsMatchValuesWorkedOutByHand) {
    struct Case {
        const char* what;
        const wchar_t* name;
        std::int64_t position;
        int rate, count;
        double start, speed;
        std::vector<float> left;
    };
    const float third = 1.0f / 3.0f;
    const std::vector<Case> cases = {
        {"speed 1 copies", L"ramp.wav", 0, 8, 5, 0, 1, {0, 1, 2, 3, 4}},
        {"the start offset selects the first sample", L"ramp.wav", 0, 8, 3, 0.5, 1, {4, 5, 6}},
        {"a block boundary has no gap or repeat", L"ramp.wav", 5, 8, 6, 0, 1, {5, 6, 7, 8, 9, 10}},
        {"two boundaries", L"ramp.wav", 6, 8, 12, 0, 1, {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {"speed 0 is silence", L"ramp.wav", 3, 8, 4, 0, 0, {0, 0, 0, 0}},
        {"an offset before the start clamps", L"ramp.wav", 2, 8, 3, -1, 1, {0, 1, 2}},
        {"a negative position clamps", L"ramp.wav", -3, 8, 3, 0, 1, {0, 1, 2}},
        // Reversed, a read plays the samples just before its position,
        // nearest first: the forward read that ends there, flipped.
        {"reverse plays what lies before the position", L"ramp.wav", 6, 8, 4, 0, -1, {5, 4, 3, 2}},
        {"reverse across a block boundary", L"ramp.wav", 10, 8, 4, 0, -1, {9, 8, 7, 6}},
        {"reverse with a start offset", L"ramp.wav", 0, 8, 3, 2.5, -1, {19, 18, 17}},
        {"reverse is silent before the source's start", L"ramp.wav", 3, 8, 5, 0, -1, {2, 1, 0, 0, 0}},
        {"past the last block is silent", L"ramp.wav", 21, 8, 5, 0, 1, {21, 22, 23, 0, 0}},
        {"reverse leaves a missing block's samples silent in place", L"ramp.wav", 27, 8, 5, 0, -1,
         {0, 0, 0, 23, 22}},
        {"a missing first block is silent throughout", L"ramp.wav", 30, 8, 3, 0, 1, {0, 0, 0}},
        {"interpolating at 0.5x", L"ramp.wav", 0, 8, 6, 0, 0.5, {0, 0.5f, 1, 1.5f, 2, 2.5f}},
        {"interpolating across a boundary", L"ramp.wav", 14, 8, 4, 0, 0.5, {7, 7.5f, 8, 8.5f}},
        {"interpolating from between two samples", L"ramp.wav", 1, 16, 4, 0, 1, {0.5f, 1, 1.5f, 2}},
        {"interpolating reversed", L"ramp.wav", 4, 8, 4, 0, -0.5, {1.5f, 1, 0.5f, 0}},
        {"interpolating without a next sample is silent", L"ramp.wav", 46, 8, 3, 0, 0.5, {0, 0, 0}},
        // The last sample has no next one to lean towards.
        {"interpolating up to the end", L"ramp.wav", 44, 8, 5, 0, 0.5, {22, 22.5f, 0, 0, 0}},
        {"averaging at 2x", L"ramp.wav", 0, 8, 6, 0, 2, {0.5f, 2.5f, 4.5f, 6.5f, 8.5f, 10.5f}},
        {"averaging at 1.5x weighs partial samples", L"ramp.wav", 0, 8, 2, 0, 1.5, {third, 5 * third}},
        {"averaging a faster source at speed 1", L"fast.wav", 0, 8, 3, 0, 1, {0.5f, 2.5f, 4.5f}},
        {"averaging reversed", L"ramp.wav", 3, 8, 3, 0, -2, {4.5f, 2.5f, 0.5f}},
        {"averaging reversed up to the source's start", L"ramp.wav", 2, 8, 3, 0, -2, {2.5f, 0.5f, 0}},
        {"averaging keeps the last whole sample", L"ramp.wav", 10, 8, 4, 0, 2, {20.5f, 22.5f, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<float> left = read(c.name, c.position, c.rate, static_cast<int>(c.left.size()), c.start, c.speed);
        ASSERT_EQ(left.size(), c.left.size());
        for (std::size_t i = 0; i < left.size(); ++i) EXPECT_NEAR(left[i], c.left[i], 1e-5f) << "sample " << i;
    }
}

TEST_F(AudioCacheTest, ChannelsComeFromTheirPlanesAndMonoFillsBoth) {
    const auto stereo = cache.readAudio(L"ramp.wav", 0, {2, 8}, 3, 0, 1);
    ASSERT_TRUE(stereo);
    EXPECT_EQ(plane(*stereo, 0), (std::vector<float>{2, 3, 4}));
    EXPECT_EQ(plane(*stereo, 1), (std::vector<float>{-2, -3, -4}));
    const auto mono = cache.readAudio(L"mono.wav", 0, {2, 8}, 3, 0, 1);
    ASSERT_TRUE(mono);
    EXPECT_EQ(plane(*mono, 0), (std::vector<float>{2, 3, 4}));
    EXPECT_EQ(plane(*mono, 1), (std::vector<float>{2, 3, 4}));
}

TEST_F(AudioCacheTest, ASourceWithoutSoundGivesNoBufferAtAll) {
    EXPECT_FALSE(cache.readAudio(L"picture.bmp", 0, {0, 8}, 4, 0, 1));
    EXPECT_FALSE(cache.readAudio(L"missing.wav", 0, {0, 8}, 4, 0, 1));
    EXPECT_EQ(cache.getSourceRate({L"ramp.wav", 0}), 8);
    EXPECT_EQ(cache.getSourceRate({L"picture.bmp", 0}), 0);
    cache.preloadAudio(L"picture.bmp", 0, {0, 8}, 4, 0, 1);
    cache.cache.worker().waitAllTasks();
    EXPECT_EQ(source.readsOf(L"picture.bmp", 0), 0);
}

TEST_F(AudioCacheTest, BlocksLoadOnceAndFailedBlocksAreTriedAgain) {
    read(L"ramp.wav", 0, 8, 8, 0, 1);
    read(L"ramp.wav", 2, 8, 4, 0, 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 0), 1);
    // The copy fetched block 1 as soon as block 0 was used up.
    EXPECT_EQ(source.readsOf(L"ramp.wav", 1), 1);
    read(L"ramp.wav", 20, 8, 8, 0, 1);
    read(L"ramp.wav", 20, 8, 8, 0, 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 3), 2);  // missing, not remembered
    // One block counts channels × plane bytes (8 floats padded to 32).
    EXPECT_EQ(cache.cache.getTotal(), 3u * 2 * 32);
}

TEST_F(AudioCacheTest, PreloadRequestsEveryBlockUpToTheSampleJustPastTheStretch) {
    // Samples 0 to 7 lie in block 0; the sample just past them opens block 1.
    cache.preloadAudio(L"ramp.wav", 0, {0, 8}, 8, 0, 1);
    cache.cache.worker().waitAllTasks();
    EXPECT_EQ(source.readsOf(L"ramp.wav", 0), 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 1), 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 2), 0);
    // The read that follows loads nothing more.
    read(L"ramp.wav", 0, 8, 7, 0, 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 0), 1);
    // At 2x the same stretch covers blocks 0 to 2.
    cache.preloadAudio(L"ramp.wav", 0, {0, 8}, 8, 0, 2);
    cache.cache.worker().waitAllTasks();
    EXPECT_EQ(source.readsOf(L"ramp.wav", 2), 1);
}

TEST_F(AudioCacheTest, AReversedPreloadRequestsTheBlocksBeforeThePosition) {
    // Samples 12 to 15 are played backwards from position 16: block 1, and
    // block 2 where the walk ends.
    cache.preloadAudio(L"ramp.wav", 0, {16, 8}, 4, 0, -1);
    cache.cache.worker().waitAllTasks();
    EXPECT_EQ(source.readsOf(L"ramp.wav", 0), 0);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 1), 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 2), 1);
    EXPECT_EQ(read(L"ramp.wav", 16, 8, 4, 0, -1), (std::vector<float>{15, 14, 13, 12}));
    EXPECT_EQ(source.readsOf(L"ramp.wav", 1), 1);
    EXPECT_EQ(source.readsOf(L"ramp.wav", 2), 1);
}

TEST_F(AudioCacheTest, TracksAreReadUnderTheirTrackNames) {
    source.add(L":2ramp.wav", {});
    EXPECT_TRUE(cache.readAudio(L"ramp.wav", 2, {0, 8}, 2, 0, 1));
    EXPECT_EQ(source.readsOf(L":2ramp.wav", 0), 1);
    EXPECT_THROW(cache.readAudio(L"ramp.wav", 51, {0, 8}, 2, 0, 1), System::Exception);
    EXPECT_THROW(cache.preloadAudio(L"ramp.wav", 51, {0, 8}, 2, 0, 1), System::Exception);
}

TEST_F(AudioCacheTest, SceneBlocksComeFromTheirRenderAndReadsNeverRegisterThem) {
    CacheTest::StubScenes scenes;
    scenes.add(2).audioRate = 8;
    // A read without a preload: nothing to wait for, so silence at once,
    // and no render is asked for.
    const auto early = cache.readAudio(L"*2", 0, {0, 8}, 4, 0, 1);
    ASSERT_TRUE(early);
    EXPECT_EQ(plane(*early, 0), (std::vector<float>{0, 0, 0, 0}));
    EXPECT_FALSE(cache.cache.isCachedOrPending({L"*2", 0}));
    EXPECT_TRUE(scenes.audioRequests.empty());

    // The preload asks for blocks 0 and 1 (the sample just past the stretch).
    cache.preloadAudio(L"*2", 0, {4, 8}, 4, 0, 1);
    ASSERT_EQ(scenes.audioRequests.size(), 2u);
    EXPECT_EQ(scenes.audioRequests[0].number, 0);
    EXPECT_EQ(scenes.audioRequests[1].number, 1);
    // A reader waits for the pending blocks until the render hands them over.
    auto reader = std::async(std::launch::async, [&] { return cache.readAudio(L"*2", 0, {4, 8}, 6, 0, 1); });
    scenes.audioRequests[0].done(CacheTest::rampBlock(8, 100));
    scenes.audioRequests[1].done(CacheTest::rampBlock(8, 108));
    const auto read = reader.get();
    ASSERT_TRUE(read);
    EXPECT_EQ(plane(*read, 0), (std::vector<float>{104, 105, 106, 107, 108, 109}));
    // Cached blocks are left alone by the next preload.
    cache.preloadAudio(L"*2", 0, {4, 8}, 4, 0, 1);
    EXPECT_EQ(scenes.audioRequests.size(), 2u);

    // A render that brings nothing ends the wait with silence, and the next
    // preload asks again.
    cache.preloadAudio(L"*2", 0, {16, 8}, 2, 0, 1);
    ASSERT_EQ(scenes.audioRequests.size(), 3u);
    scenes.audioRequests[2].done(nullptr);
    EXPECT_FALSE(cache.cache.isCachedOrPending({L"*2", 2}));
    cache.preloadAudio(L"*2", 0, {16, 8}, 2, 0, 1);
    EXPECT_EQ(scenes.audioRequests.size(), 4u);
    scenes.audioRequests[3].done(CacheTest::rampBlock(8, 0));

    // A render that raises leaves no key behind.
    scenes.fail = true;
    EXPECT_THROW(cache.preloadAudio(L"*2", 0, {40, 8}, 2, 0, 1), std::runtime_error);
    EXPECT_FALSE(cache.cache.isCachedOrPending({L"*2", 5}));

    // Names of no scene read nothing.
    EXPECT_FALSE(cache.readAudio(L"*3", 0, {0, 8}, 2, 0, 1));
    EXPECT_FALSE(cache.readAudio(L"*0", 0, {0, 8}, 2, 0, 1));
    EXPECT_FALSE(cache.readAudio(L"*", 0, {0, 8}, 2, 0, 1));
}

TEST_F(AudioCacheTest, SizesAreClampedAndSetTheLimit) {
    cache.setCacheSize(3);
    EXPECT_EQ(cache.cache.getLimit(), 3u << 20);
    cache.setCacheSize(-5);
    EXPECT_EQ(cache.getCacheSize(), 0);
    EXPECT_EQ(cache.cache.getLimit(), 0u);
    cache.setCacheSize(0x7FFFFFFF);
    EXPECT_EQ(cache.getCacheSize(), Cache::CacheSizeSetting::maxMegabytes);
    EXPECT_EQ(cache.cache.getLimit(), std::uint64_t{Cache::CacheSizeSetting::maxMegabytes} << 20);
}

}  // namespace
