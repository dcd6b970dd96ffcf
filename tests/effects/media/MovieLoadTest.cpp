#include "effects/media/MovieLoad.h"

#include "core/base/Singleton.h"
#include "effect/registry/MediaFileProbe.h"
#include "edit/model/Scene.h"
#include "media/audio/AudioBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "plugin/input/InputService.h"
#include "render/audio/AudioObjectContext.h"
#include "render/audio/AudioSampleRange.h"
#include "render/cache/CacheService.h"

#include "effects/EffectsTestSupport.h"
#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace EffectsTest;

std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

class MovieFile : public EffectGpuTest {
protected:
    MovieFile() {
        scene.videoRate = 10;
        scene.videoScale = 1;
        lone.context.scene = &scene;
        lone.frames.end = 59;
    }
    // Two seconds at 10 fps whose frame n is red n × 10 / 255.
    std::wstring makeMovie() {
        const std::string path = folder.file("movie.avi");
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=black:s=4x4:r=10:d=2 -vf geq=r='N*10':g=0:b=0 "
                                      "-c:v rawvideo -pix_fmt bgr24 " + path));
        return wide(path);
    }
    // The source frame the object shows at its frame, by its red.
    int shownAt(Effect::MovieLoad& movie, int frame) {
        lone.context.frame = frame;
        lone.context.time = frame;
        lone.context.updateSectionPosition();
        std::unique_ptr<Media::ResourceBuffer> picture;
        movie.inputVideo(picture, lone.context);
        if (!picture) return -1;
        return static_cast<int>(std::lround(pixel(*picture, 1, 1)[0] * 255.0f / 10.0f));
    }

    MediaTest::TempFolder folder;
    LoneObjectContext lone;
    Edit::Scene scene{1, 0};
    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
};

TEST_F(MovieFile, FramesFollowTheSpeedTheDirectionAndTheLoop) {
    Effect::MovieLoad movie;
    movie.file.path = makeMovie();
    ASSERT_TRUE(movie.updateMediaInfo());
    EXPECT_DOUBLE_EQ(movie.getMediaInfo().length, 2.0);
    EXPECT_DOUBLE_EQ(movie.getMediaInfo().frameRate, 10.0);
    struct Case {
        double speed;
        bool loop;
        int frame;
        int shown;
    };
    const Case cases[] = {
        {100, false, 0, 0},   {100, false, 7, 7},   {100, false, 19, 19},
        {100, false, 30, 19},  // past the end: the last frame stays
        {200, false, 5, 10},  {200, false, 9, 18},  {200, false, 12, 19},
        {-100, false, 0, 19}, {-100, false, 5, 15}, {-100, false, 19, 1},
        {100, true, 25, 5},   {100, true, 40, 0},
        {-100, true, 10, 10}, {-100, true, 13, 7},  {-100, true, 30, 10},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "speed " << k.speed << (k.loop ? " loop" : "") << " frame " << k.frame);
        movie.speed.setValue(k.speed, 0);
        movie.loop.value = k.loop;
        EXPECT_EQ(shownAt(movie, k.frame), k.shown);
    }
}

TEST_F(MovieFile, ThePlayRangeAndAnAnimatedPositionChooseTheSeconds) {
    Effect::MovieLoad movie;
    movie.file.path = makeMovie();
    // 再生範囲 from 0.5 to 1.5 seconds, looped.
    movie.position.setValue(0.5, 0);
    movie.position.setValue(1.5, 1);
    movie.loop.value = true;
    EXPECT_EQ(shownAt(movie, 0), 5);
    EXPECT_EQ(shownAt(movie, 9), 14);
    EXPECT_EQ(shownAt(movie, 10), 5);
    // A range of no length shows its start.
    movie.position.setValue(0.5, 1);
    EXPECT_EQ(shownAt(movie, 7), 5);
    // Another movement makes the item's own value the position.
    movie.position.setMovement(*EffectTest::Movements::install().linear);
    movie.position.setValue(1.2, 0);
    movie.position.setValue(0.2, 1);
    movie.loop.value = false;
    EXPECT_FALSE(movie.isDerived());
    EXPECT_EQ(shownAt(movie, 0), 12);
    lone.context.updateSectionPosition();
    EXPECT_DOUBLE_EQ(movie.getPlaybackRate(lone.context), -1.0);  // the value falls: backwards
}

TEST_F(MovieFile, FilesThatDoNotOpenShowNothingAndAreRefused) {
    Effect::MovieLoad movie;
    EXPECT_EQ(shownAt(movie, 0), -1);
    EXPECT_STREQ(movie.getDisplayName(), L"動画ファイル");
    const std::wstring path = makeMovie();
    Effect::EffectEvent drop;
    drop.code = Effect::EffectEvent::FileDropped;
    drop.path = path.c_str();
    EXPECT_TRUE(movie.effectEvent(drop));
    EXPECT_STREQ(movie.getDisplayName(), L"movie.avi");
    EXPECT_EQ(movie.withAudio.value, 0);  // no sound in the file
    EXPECT_EQ(movie.getTrackCount(0), 0);
    EXPECT_EQ(shownAt(movie, 3), 3);

    movie.file.path = wide(folder.file("movie.txt"));
    Effect::EffectEvent changed;
    changed.code = Effect::EffectEvent::ItemChanged;
    changed.item = &movie.file;
    EXPECT_FALSE(movie.effectEvent(changed));
    EXPECT_TRUE(movie.file.path.empty());
    EXPECT_EQ(shownAt(movie, 3), -1);
}

TEST_F(MovieFile, SoundIsReadFromTheSecondTheFrameStandsFor) {
    const std::string path = folder.file("tone.wav");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=8000:duration=2.5 "
                                  "-ac 2 -c:a pcm_s16le " + path));
    const std::string raw = folder.file("tone.raw");
    ASSERT_TRUE(MediaTest::ffmpeg("-i " + path + " -f f32le -c:a pcm_f32le " + raw));
    const std::vector<std::uint8_t> bytes = MediaTest::readFile(raw);
    std::vector<float> reference(bytes.size() / 4);
    std::memcpy(reference.data(), bytes.data(), reference.size() * 4);

    Effect::AudioLoad sound;
    sound.file.path = wide(path);
    ASSERT_TRUE(sound.updateMediaInfo());
    EXPECT_DOUBLE_EQ(sound.getMediaInfo().length, 2.5);
    System::Singleton<Cache::CacheService>::getInstance()->audioCache.setCacheSize(16);
    // The audio walk's record of a frame of a 10 fps scene at 8000 Hz.
    Render::AudioObjectContext audio;
    audio.scene = &scene;
    audio.setObjectFrames(lone.frames);
    const auto read = [&](int frame) {
        audio.frame = frame;
        audio.time = frame;
        audio.updateSectionPosition();
        audio.sampleRange = Render::frameSampleRange(8000, 10, 1, frame, lone.frames.start);
        std::unique_ptr<Media::AudioBuffer> block;
        sound.preloadAudio(audio);
        sound.inputAudio(block, audio);
        return block;
    };
    struct Case {
        double speed;
        int frame;
        int position;  // the source sample at the frame's media position
        int step;      // source samples per output sample, below 0 backwards
    };
    // Frame 5 owns object samples 4000 to 4799; at 200 % each sample is the
    // mean of the two source samples it spans. Backwards, the 2.5 s file
    // starts at its end: frame f stands at 2.5 - f / 10 s (× speed) and
    // plays the samples just before that, nearest first, so frame 0 plays
    // 19999 down to 19200 and frame 24 ends on sample 0.
    for (const Case& k : {Case{100, 5, 4000, 1}, Case{100, 12, 9600, 1}, Case{200, 5, 8000, 2},
                          Case{-100, 0, 20000, -1}, Case{-100, 5, 16000, -1}, Case{-100, 24, 800, -1},
                          Case{-200, 5, 12000, -2}}) {
        SCOPED_TRACE(testing::Message() << k.speed << " " << k.frame);
        sound.speed.setValue(k.speed, 0);
        const auto block = read(k.frame);
        ASSERT_TRUE(block);
        EXPECT_EQ(block->samples, 800u);
        const int width = std::abs(k.step);
        for (int j = 0; j < 800; j += 7) {
            // The source samples output j spans, counted from the lowest.
            const int first = k.step > 0 ? k.position + k.step * j : k.position + k.step * (j + 1);
            float expected = 0;
            for (int i = 0; i < width; ++i) expected += reference[2 * (first + i)];
            EXPECT_NEAR(block->getChannel(0)[j], expected / width, 1e-4f) << j;
        }
    }
    // Backwards, the frame standing at the file's start has nothing before
    // it to play.
    sound.speed.setValue(-100, 0);
    EXPECT_FALSE(read(25));
    // Past the end of a range that does not loop nothing is played.
    sound.speed.setValue(100, 0);
    EXPECT_FALSE(read(30));
}

}  // namespace

namespace {

// A file of three video and two sound tracks, or of one of each.
class TrackProbe : public Effect::MediaFileProbe {
public:
    bool isMediaExtension(const std::wstring&) const override { return true; }
    bool probe(const wchar_t*, Streams&) const override { return false; }
    bool getInfo(const std::wstring&, int, Info& out) const override {
        out.video = out.audio = true;
        out.multiTrack = multiTrack;
        out.frameCount = 10;
        out.rate = 10;
        out.scale = 1;
        out.videoTrackCount = multiTrack ? 3 : 1;
        out.audioTrackCount = multiTrack ? 2 : 1;
        out.sampleCount = 8000;
        out.sampleRate = 8000;
        return true;
    }
    bool multiTrack = true;
};

TEST(MultiTrackFile, TheTrackRowAndTheTrackReadFollowTheFile) {
    EffectTest::Movements::install();
    TrackProbe probe;
    Effect::setMediaFileProbe(&probe);
    Effect::MovieLoad movie;
    movie.file.path = L"/media/tracks.avi";
    Effect::AudioLoad sound;
    sound.file.path = L"/media/tracks.avi";
    // The movie counts the larger of its track counts, the sound its own;
    // a value beyond them reads the last track.
    movie.updateItemVisible();
    sound.updateItemVisible();
    EXPECT_TRUE(movie.track.visible);
    EXPECT_EQ(movie.track.maximum, 2);
    EXPECT_EQ(sound.track.maximum, 1);
    movie.track.value = sound.track.value = 5;
    EXPECT_EQ(movie.getTrackIndex(), 2);
    EXPECT_EQ(sound.getTrackIndex(), 1);
    // Separating the sound makes one object per sound track.
    EXPECT_EQ(movie.getTrackCount(1), 2);

    probe.multiTrack = false;
    movie.invalidateMediaInfo();
    movie.updateItemVisible();
    EXPECT_FALSE(movie.track.visible);
    EXPECT_EQ(movie.track.maximum, 0);
    EXPECT_EQ(movie.getTrackIndex(), 0);
    EXPECT_EQ(movie.getTrackCount(1), 1);
    Effect::setMediaFileProbe(nullptr);
}

TEST(MultiTrackFile, AMovieNothingHasReadYetCountsItsSoundTracks) {
    // As right after a project load: the file's information was never read.
    EffectTest::Movements::install();
    TrackProbe probe;
    Effect::setMediaFileProbe(&probe);
    Effect::MovieLoad movie;
    movie.file.fromString("/media/tracks.avi");
    EXPECT_EQ(movie.getTrackCount(1), 2);
    Effect::setMediaFileProbe(nullptr);
}

}  // namespace
