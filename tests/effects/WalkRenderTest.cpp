// Built-in effects rendered through the real walk, the program's standard
// drawing and sound output, with media made by ffmpeg.
#include "effects/basic/BasicTransform.h"
#include "effects/media/FigureLoad.h"
#include "effects/media/ImageLoad.h"
#include "effects/media/MovieLoad.h"
#include "effects/media/SceneLoad.h"

#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"
#include "render/service/RenderSceneSource.h"

#include "effects/EffectsTestSupport.h"
#include "media/LogCapture.h"
#include "media/MediaFixtures.h"
#include "render/audio/AudioWalkFixture.h"
#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using EffectsTest::InstalledEffects;

std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

class WalkedEffects : public InstalledEffects, public WalkTest::WalkFixture {
protected:
    WalkedEffects() : WalkFixture(8, true) {
        Cache::setSceneSource(&scenes);
        scene().videoRate = 10;
        scene().videoScale = 1;
    }
    ~WalkedEffects() override { Cache::setSceneSource(nullptr); }

    template <class Kind>
    Kind& placeInput(const wchar_t* name, int layer, int start, int end, Edit::Scene* into = nullptr) {
        Edit::Scene& target = into ? *into : scene();
        Edit::ObjectPointer object = target.createObject(name, layer, start, end);
        target.updateLayerObject();
        return dynamic_cast<Kind&>(*object->effectList[0]);
    }
    // A red 四角形 of the size at x in the scene.
    Effect::FigureLoad& placeSquare(Edit::Scene& into, int layer, int start, int end, int size, int x,
                                    const char* colour) {
        auto& figure = placeInput<Effect::FigureLoad>(L"図形", layer, start, end, &into);
        figure.figure.value = 2;
        figure.size.setValue(size, 0);
        figure.color.fromString(colour);
        Edit::ObjectPointer object = into.getLayerObjectList(layer).getObjectAtFrame(start);
        dynamic_cast<Effect::BasicMove&>(*object->addEffect(L"座標", 0, nullptr)).x.setValue(x, 0);
        return figure;
    }
    // The red channel at a pixel in steps of 10 (or 20) of 255: which
    // source frame or file a picture shows.
    int shownAt(const std::vector<MediaTest::Rgba>& pixels, int x, int y, int step) {
        return static_cast<int>(std::lround(at(pixels, x, y)[0] * 255.0f / static_cast<float>(step)));
    }

    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
    Render::RenderSceneSource scenes{worker};
    MediaTest::TempFolder folder;
};

TEST_F(WalkedEffects, AFigureIsMovedAndScaledByTheBasicEffects) {
    Edit::ObjectPointer object = scene().createObject(L"図形", 0, 0, 40);
    scene().updateLayerObject();
    auto& figure = dynamic_cast<Effect::FigureLoad&>(*object->effectList[0]);
    figure.figure.value = 2;  // 四角形, filled
    figure.size.setValue(8, 0);
    figure.color.fromString("ff0000");
    auto& move = dynamic_cast<Effect::BasicMove&>(*object->addEffect(L"座標", 0, nullptr));
    move.x.setValue(10, 0);
    auto& scale = dynamic_cast<Effect::BasicScale&>(*object->addEffect(L"拡大率", 0, nullptr));
    scale.scale.setValue(200, 0);

    const std::vector<MediaTest::Rgba> pixels = render(5);
    // 16 x 16 centred at (42, 18) of the 64 x 36 frame: columns 34 to 49,
    // rows 10 to 25; the enlarged picture is filtered, so its outermost
    // pixels are partly covered.
    MediaTest::expectNear(at(pixels, 36, 12), {1, 0, 0, 1});
    MediaTest::expectNear(at(pixels, 47, 23), {1, 0, 0, 1});
    EXPECT_GT(at(pixels, 34, 10)[3], 0.3f);
    EXPECT_GT(at(pixels, 49, 25)[3], 0.3f);
    EXPECT_LT(at(pixels, 33, 18)[3], 0.01f);
    EXPECT_LT(at(pixels, 50, 18)[3], 0.01f);
    EXPECT_LT(at(pixels, 42, 9)[3], 0.01f);
    EXPECT_LT(at(pixels, 42, 26)[3], 0.01f);
}

TEST_F(WalkedEffects, AnImageFileIsShownAtItsPositionAndScale) {
    const std::string path = folder.file("green.png");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=0x00ff00:s=4x2 -frames:v 1 -pix_fmt rgba " + path));
    auto& image = placeInput<Effect::ImageLoad>(L"画像ファイル", 0, 0, 40);
    image.file.path = wide(path);
    Edit::ObjectPointer object = objectAt(0, 0);
    dynamic_cast<Effect::BasicMove&>(*object->addEffect(L"座標", 0, nullptr)).y.setValue(-10, 0);
    dynamic_cast<Effect::BasicScale&>(*object->addEffect(L"拡大率", 0, nullptr)).scale.setValue(300, 0);

    const std::vector<MediaTest::Rgba> pixels = render(3);
    // 12 x 6 centred at (32, 8): columns 26 to 37, rows 5 to 10 (the
    // green as ffmpeg wrote it).
    MediaTest::expectNear(at(pixels, 28, 6), {0, 1, 0, 1}, 0.01f);
    MediaTest::expectNear(at(pixels, 36, 9), {0, 1, 0, 1}, 0.01f);
    EXPECT_LT(at(pixels, 25, 8)[3], 0.01f);
    EXPECT_LT(at(pixels, 38, 8)[3], 0.01f);
    EXPECT_LT(at(pixels, 32, 4)[3], 0.01f);
    EXPECT_LT(at(pixels, 32, 11)[3], 0.01f);
}

TEST_F(WalkedEffects, ANumberedSequenceShowsTheFileOfEachFrameAndTheNearestLowerInGaps) {
    // img_0003 to img_0010 without img_0005; red n × 20 / 255.
    for (int n = 3; n <= 10; ++n) {
        if (n == 5) continue;
        char name[32], colour[16];
        std::snprintf(name, sizeof name, "img_%04d.png", n);
        std::snprintf(colour, sizeof colour, "0x%02x0000", n * 20);
        ASSERT_TRUE(MediaTest::ffmpeg(std::string("-f lavfi -i color=c=") + colour +
                                      ":s=2x2 -frames:v 1 -pix_fmt rgba " + folder.file(name)));
    }
    auto& image = placeInput<Effect::ImageLoad>(L"画像ファイル", 0, 0, 40);
    image.file.path = wide(folder.file("img_0003.png"));
    image.sequence.value = true;
    // The object's frame picks the number: below the first shows the first.
    for (const auto& [frame, shown] : {std::pair{0, 3}, {3, 3}, {4, 4}, {5, 4}, {6, 6}, {12, 10}}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(shownAt(render(frame), 32, 18, 20), shown);
    }
}

TEST_F(WalkedEffects, AMovieShowsTheSourceFrameForItsSpeedDirectionAndLoop) {
    // Two seconds at 10 fps whose frame n is red n × 10 / 255.
    const std::string path = folder.file("movie.avi");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=black:s=4x4:r=10:d=2 -vf geq=r='N*10':g=0:b=0 "
                                  "-c:v rawvideo -pix_fmt bgr24 " + path));
    auto& movie = placeInput<Effect::MovieLoad>(L"動画ファイル", 0, 0, 59);
    movie.file.path = wide(path);
    struct Case {
        double speed;
        bool loop;
        int frame;
        int shown;
    };
    for (const Case& k : {Case{100, false, 7, 7}, Case{100, false, 30, 19}, Case{200, false, 5, 10},
                          Case{-100, false, 0, 19}, Case{-100, false, 5, 15}, Case{100, true, 25, 5},
                          Case{-100, true, 13, 7}}) {
        SCOPED_TRACE(testing::Message() << k.speed << (k.loop ? " loop " : " ") << k.frame);
        movie.speed.setValue(k.speed, 0);
        movie.loop.value = k.loop;
        EXPECT_EQ(shownAt(render(k.frame), 32, 18, 10), k.shown);
    }
}

TEST_F(WalkedEffects, ASceneObjectShowsTheNestedSceneAtItsMediaTime) {
    Edit::Scene& nested = *edit.project.getOrCreateScene(1);
    nested.width = 16;
    nested.height = 16;
    nested.videoRate = 10;
    nested.videoScale = 1;
    // A red square for the first half second, a blue one for two seconds.
    placeSquare(nested, 0, 0, 4, 4, -4, "ff0000");
    placeSquare(nested, 1, 0, 19, 4, 4, "0000ff");
    auto& source = placeInput<Effect::SceneLoad>(L"シーン", 0, 0, 40);
    source.scene.value = 1;
    // The nested frame sits at columns 24 to 39, rows 10 to 25; the red
    // square at 26 to 29, the blue one at 34 to 37, rows 16 to 19.
    struct Case {
        double speed;
        int frame;
        bool red;
    };
    for (const Case& k : {Case{100, 2, true}, Case{100, 7, false}, Case{200, 2, true}, Case{200, 3, false},
                          Case{-100, 19, true}, Case{-100, 10, false}}) {
        SCOPED_TRACE(testing::Message() << k.speed << " " << k.frame);
        source.speed.setValue(k.speed, 0);
        const std::vector<MediaTest::Rgba> pixels = render(k.frame);
        MediaTest::expectNear(at(pixels, 35, 17), {0, 0, 1, 1});
        if (k.red)
            MediaTest::expectNear(at(pixels, 27, 17), {1, 0, 0, 1});
        else
            EXPECT_LT(at(pixels, 27, 17)[3], 0.01f);
        EXPECT_LT(at(pixels, 31, 17)[3], 0.01f);
    }
}

// The registry's blur needs the GPU device.
class WalkedSound : public MediaTest::GpuTest, public InstalledEffects, public AudioTest::AudioWalkFixture {
protected:
    // Three seconds of a stereo tone at 8000 Hz; its samples (interleaved)
    // as ffmpeg decodes them.
    std::vector<float> makeTone(const std::string& path) {
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=8000:duration=3 "
                                      "-ac 2 -c:a pcm_s16le " + path));
        const std::string raw = path + ".raw";
        EXPECT_TRUE(MediaTest::ffmpeg("-i " + path + " -f f32le -c:a pcm_f32le " + raw));
        const std::vector<std::uint8_t> bytes = MediaTest::readFile(raw);
        std::vector<float> reference(bytes.size() / 4);
        std::memcpy(reference.data(), bytes.data(), reference.size() * 4);
        return reference;
    }

    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
    MediaTest::TempFolder folder;
};

TEST_F(WalkedSound, AnAudioFileReachesTheMixAtTheSamplesOfEachFrame) {
    const std::string path = folder.file("tone.wav");
    const std::vector<float> reference = makeTone(path);
    ASSERT_FALSE(reference.empty());

    scene().videoRate = 10;
    scene().videoScale = 1;
    scene().audioRate = 8000;
    // The object starts at frame 4 and its media at 0.5 s: frame f plays
    // from source sample 4000 + (f - 4) × 800.
    Edit::ObjectPointer object = scene().createObject(L"音声ファイル", 0, 4, 30);
    scene().updateLayerObject();
    auto& sound = dynamic_cast<Effect::AudioLoad&>(*object->effectList[0]);
    sound.file.path = wide(path);
    sound.position.setValue(0.5, 0);
    for (int frame : {4, 9}) {
        SCOPED_TRACE(frame);
        const auto mix = render(frame);
        ASSERT_EQ(mix[0].size(), 800u);
        const std::size_t first = 4000 + static_cast<std::size_t>(frame - 4) * 800;
        for (std::size_t j = 0; j < 800; j += 13) {
            EXPECT_NEAR(mix[0][j], reference[2 * (first + j)], 1e-4f) << j;
            EXPECT_NEAR(mix[1][j], reference[2 * (first + j) + 1], 1e-4f) << j;
        }
    }
    // Before the object nothing plays.
    const auto before = render(2);
    for (float sample : before[0]) ASSERT_EQ(sample, 0.0f);
}

TEST_F(WalkedSound, AMovieWithoutSoundIsSilentAndSaysSoAtMostOnce) {
    const std::string path = folder.file("mute.avi");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=red:s=4x4:r=10:d=2 -c:v rawvideo -pix_fmt bgr24 " + path));
    scene().videoRate = 10;
    scene().videoScale = 1;
    scene().audioRate = 8000;
    Edit::ObjectPointer object = scene().createObject(L"動画ファイル", 0, 0, 19);
    scene().updateLayerObject();
    auto& movie = dynamic_cast<Effect::MovieLoad&>(*object->effectList[0]);
    movie.file.path = wide(path);

    MediaTest::LogCapture log;
    for (int frame = 0; frame < 6; ++frame) {
        const auto mix = render(frame);
        ASSERT_EQ(mix[0].size(), 800u);
        for (float sample : mix[0]) ASSERT_EQ(sample, 0.0f);
    }
    EXPECT_LE(log.of(System::Log::ERROR).size(), 1u);

    // Another file is asked again: its sound plays.
    const std::string loud = folder.file("loud.avi");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=red:s=4x4:r=10:d=2 -f lavfi -i sine=sample_rate=8000 -t 2 "
                                  "-c:v rawvideo -pix_fmt bgr24 -c:a pcm_s16le " + loud));
    movie.file.path = wide(loud);
    movie.invalidateMediaInfo();
    const auto mix = render(3);
    EXPECT_GT(*std::max_element(mix[0].begin(), mix[0].end()), 0.1f);
}

TEST_F(WalkedSound, AnExtremeSpeedInAProjectFilePlaysAtTheEndOfTheSpeedRange) {
    const std::string path = folder.file("tone.wav");
    const std::vector<float> reference = makeTone(path);
    ASSERT_FALSE(reference.empty());
    struct Case {
        const char* speed;  // as written in the file
        int step;           // source samples per output sample, below 0 backwards
        int position;       // the source sample frame 0 stands at
    };
    // 2000 % at most either way: frame 0 averages 20 source samples per
    // sample, forwards from the start or backwards from the end (3 s).
    for (const Case& k : {Case{"1000000", 20, 0}, Case{"-1e300", -20, 24000}}) {
        SCOPED_TRACE(k.speed);
        const std::string project = folder.file("speed.mvp2");
        std::ofstream(project, std::ios::binary)
            << "[project]\r\n[scene.0]\r\nscene=0\r\nvideo.width=64\r\nvideo.height=36\r\nvideo.rate=10\r\n"
               "video.scale=1\r\naudio.rate=8000\r\n[0]\r\nlayer=0\r\nframe=0,59\r\n[0.0]\r\n"
               "effect.name=音声ファイル\r\n再生位置=0.000,0.000,再生範囲,0\r\n再生速度="
            << k.speed << "\r\nファイル=" << path << "\r\nトラック=0\r\nループ再生=0\r\n[0.1]\r\n"
            << "effect.name=音声再生\r\n音量=100.00\r\n左右=0.00\r\n";
        ASSERT_TRUE(edit.loadProject(wide(project), false, true));
        Edit::ObjectPointer object = scene().getLayerObjectList(0).getObjectAtFrame(0);
        ASSERT_TRUE(object);
        EXPECT_DOUBLE_EQ(dynamic_cast<Effect::AudioLoad&>(*object->effectList[0]).speed.values[0] / 100.0,
                         k.step * 100.0);

        const auto mix = render(0);
        ASSERT_EQ(mix[0].size(), 800u);
        const int width = std::abs(k.step);
        for (int j = 0; j < 800; j += 9) {
            const int first = k.step > 0 ? k.position + k.step * j : k.position + k.step * (j + 1);
            float expected = 0;
            for (int i = 0; i < width; ++i) expected += reference[2 * static_cast<std::size_t>(first + i)];
            EXPECT_NEAR(mix[0][j], expected / width, 1e-4f) << j;
        }
    }
}

}  // namespace
