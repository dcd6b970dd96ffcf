// The preview window of the real program: a project named on the command
// line shows its cursor frame fitted into the picture area, the play
// button plays it (the scene's sound reaches SDL's file device and the
// level meter lights), Space stops it, a drag on the volume button is kept
// in the settings, and two images dropped from the test's drag source land
// on the first free layers of the saved project.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "media/MediaFixtures.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::uint32_t kOutside = 0x141414;     // style: OutsideDisplay
constexpr std::uint32_t kBackground = 0x1e1e1e;  // style: Background
constexpr std::uint32_t kRedLit = 0xff3030;      // style: LevelMeterRed, lit
constexpr std::uint32_t kRedUnlit = 0x4a1515;
constexpr int kMeterWidth = 36;  // style: LevelMeterWidth
constexpr int kRowHeight = 32;   // style: PlayerControlHeight

// The picture: red across, green down, blue constant, so every pixel of a
// scaled copy says where in the frame it came from.
std::uint8_t sourceRed(double x) { return static_cast<std::uint8_t>(std::lround(x * 255.0 / (kWidth - 1))); }
std::uint8_t sourceGreen(double y) { return static_cast<std::uint8_t>(std::lround(y * 255.0 / (kHeight - 1))); }

int channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

class PreviewWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data() / "movane2");
        std::vector<std::uint8_t> rgb;
        rgb.reserve(static_cast<std::size_t>(kWidth) * kHeight * 3);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                rgb.push_back(sourceRed(x));
                rgb.push_back(sourceGreen(y));
                rgb.push_back(128);
            }
        std::ofstream(file("picture.rgb"), std::ios::binary)
            .write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
        ASSERT_TRUE(MediaTest::ffmpeg("-f rawvideo -pix_fmt rgb24 -s 1920x1080 -i " + file("picture.rgb") + " " +
                                      file("picture.png")));
        // A full-scale tone of three seconds on both sides.
        ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i \"aevalsrc=sin(440*2*PI*t)|sin(440*2*PI*t):s=44100:d=3\" -c:a pcm_s16le " +
                                      file("tone.wav")));
        std::ofstream(file("film.mvp2"), std::ios::binary)
            << "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
               "video.width=1920\r\nvideo.height=1080\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
               "[0]\r\nlayer=0\r\nframe=0,89\r\n[0.0]\r\neffect.name=画像ファイル\r\nファイル="
            << file("picture.png")
            << "\r\n[0.1]\r\neffect.name=標準描画\r\n[1]\r\nlayer=1\r\nframe=0,89\r\n[1.0]\r\n"
               "effect.name=音声ファイル\r\nファイル="
            << file("tone.wav") << "\r\n[1.1]\r\neffect.name=音声再生\r\n音量=100.00\r\n左右=0.00\r\n";
        // Only the preview in the window; the meter moves only while
        // playing, so what lights it is the playback.
        std::string ini = E2E::hiddenPanelsIni();
        const std::string preview = "[Window.preview]\r\nhide=1\r\n";
        ini.erase(ini.find(preview), preview.size());
        CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(),
                             ini + "[Player]\r\nLevelMeterOnlyPlayback=1\r\n");
    }

    fs::path data() const { return folder_.path() / "data"; }
    std::string file(const char* name) const { return (folder_.path() / name).string(); }

    void start() {
        const std::vector<std::string> arguments{file("film.mvp2")};
        program_ = std::make_unique<E2E::ProgramRun>(
            E2E::testEnvironment(display_.name(), data(), {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", file("device.raw")}}),
            arguments);
        window_ = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window_, 0u) << program_->output();
    }
    void close() {
        ASSERT_TRUE(E2E::sendDeleteWindow(display_.name(), window_));
        EXPECT_EQ(program_->wait(10000), 0) << program_->output();
    }
    void xdotool(const std::string& arguments) const { E2E::onDisplay(display_.name(), "xdotool " + arguments); }

    // Waits (about ten seconds at most) until a screenshot passes.
    bool waitForScreen(const std::function<bool(const TestSupport::Screenshot&)>& check) const {
        for (int i = 0; i < 100; ++i) {
            const TestSupport::Screenshot screen(display_.name());
            if (!screen.empty() && check(screen)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Drops the files (a space-separated list) from the test's drag source
    // on the picture and waits until the source saw the drop taken.
    void dropOnPicture(const std::string& files) {
        const std::string source = std::string(MOVANE2_BINARY_DIR "/tests/drag_source --at 1000,100 ") + files +
                                   " > " + file("source.out") + " 2>&1 & echo $!";
        const std::string pid = E2E::onDisplay(display_.name(), source);
        ASSERT_NE(E2E::waitForWindow(display_.name(), "--classname '^movane2DragSource$'"), 0u);
        xdotool("mousemove 1040 130 mousedown 1 mousemove 1030 130 mousemove 1000 140");
        xdotool("mousemove 600 300");
        xdotool("mousemove 610 310");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        xdotool("mousemove 620 320 mouseup 1");
        bool ended = false;
        for (int i = 0; i < 100 && !ended; ++i) {
            ended = CoreTest::readBytes(file("source.out")).find("end copy") != std::string::npos;
            if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_TRUE(ended) << CoreTest::readBytes(file("source.out"));
        std::system(("kill " + pid).c_str());
    }
    // Saved over the project (Ctrl+S), then the program closes unasked.
    std::string saveAndClose() {
        const std::string before = CoreTest::readBytes(file("film.mvp2"));
        xdotool("mousemove 600 300 key ctrl+s");
        for (int i = 0; i < 100 && CoreTest::readBytes(file("film.mvp2")) == before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        close();
        return CoreTest::readBytes(file("film.mvp2"));
    }
    // Waits until the picture area is laid out.
    void waitForPicture() {
        Area area;
        ASSERT_TRUE(waitForScreen([&](const TestSupport::Screenshot& screen) {
            area = findArea(screen);
            return area.bottom > area.top + 100;
        })) << program_->output();
    }

    // The picture area: from the first OutsideDisplay row of the left
    // border column down to the player row, less the meter on the right.
    struct Area {
        int top = -1;
        int bottom = -1;
        int width = 1280 - kMeterWidth;
    };
    static Area findArea(const TestSupport::Screenshot& screen) {
        Area area;
        for (int y = 0; y < screen.height() && area.bottom < 0; ++y) {
            const std::uint32_t p = screen.pixel(1, y);
            if (area.top < 0 && p == kOutside) area.top = y;
            else if (area.top >= 0 && p != kOutside) area.bottom = y;
        }
        return area;
    }
    // A hash of a rectangle's pixels.
    static std::uint64_t hashOf(const TestSupport::Screenshot& screen, int left, int top, int right, int bottom) {
        std::uint64_t h = 1469598103934665603ull;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) h = (h ^ screen.pixel(x, y)) * 1099511628211ull;
        return h;
    }

    TestSupport::VirtualDisplay display_;
    CoreTest::TempFolder folder_;
    std::unique_ptr<E2E::ProgramRun> program_;
    unsigned long window_ = 0;
};

TEST_F(PreviewWindowTest, TheCursorFrameIsFittedIntoThePictureArea) {
    start();
    Area area;
    // The frame is in once the middle of the area shows the picture's blue.
    ASSERT_TRUE(waitForScreen([&](const TestSupport::Screenshot& screen) {
        area = findArea(screen);
        return area.bottom > area.top + 100 &&
               channel(screen.pixel(area.width / 2, (area.top + area.bottom) / 2), 0) == 128;
    })) << program_->output();
    const int W = area.width;
    const int H = area.bottom - area.top;
    EXPECT_EQ(area.bottom, 720 - 24 - kRowHeight);  // the row above the footer

    // Where the picture must lie: the frame fitted, centred across.
    ASSERT_GE(static_cast<long long>(kHeight) * W, static_cast<long long>(kWidth) * H) << "a wide area";
    const double scaled = static_cast<double>(kWidth) * H / kHeight;
    const double left = (W - scaled) / 2;

    const TestSupport::Screenshot screen(display_.name());
    // The bands at both sides are the outside colour; the picture begins
    // within a pixel of where it must.
    const int middle = area.top + H / 2;
    EXPECT_EQ(screen.pixel(static_cast<int>(left) - 2, middle), kOutside);
    EXPECT_EQ(screen.pixel(static_cast<int>(left + scaled) + 2, middle), kOutside);
    EXPECT_NE(screen.pixel(static_cast<int>(left) + 2, middle), kOutside);

    // Against the frame scaled on the CPU: each screen pixel shows the
    // source at its centre's place (the gradients are linear, so any
    // averaging filter gives that value). Tolerance: 3 levels on average,
    // 10 at most, 2 px away from the edges.
    double total = 0;
    int worst = 0;
    int n = 0;
    for (int y = area.top + 2; y < area.bottom - 2; y += 3)
        for (int x = static_cast<int>(std::ceil(left)) + 2; x < static_cast<int>(left + scaled) - 2; x += 3) {
            const double sx = (x + 0.5 - left) * kWidth / scaled - 0.5;
            const double sy = (y - area.top + 0.5) * kHeight / H - 0.5;
            const std::uint32_t p = screen.pixel(x, y);
            const int dr = std::abs(channel(p, 16) - sourceRed(std::clamp(sx, 0.0, kWidth - 1.0)));
            const int dg = std::abs(channel(p, 8) - sourceGreen(std::clamp(sy, 0.0, kHeight - 1.0)));
            const int db = std::abs(channel(p, 0) - 128);
            total += dr + dg + db;
            worst = std::max({worst, dr, dg, db});
            n += 3;
        }
    ASSERT_GT(n, 10000);
    EXPECT_LE(total / n, 3.0);
    EXPECT_LE(worst, 10);
    close();
}

TEST_F(PreviewWindowTest, PlayingShowsTheFramesSoundsTheSceneAndLightsTheMeterSpaceStops) {
    start();
    Area area;
    ASSERT_TRUE(waitForScreen([&](const TestSupport::Screenshot& screen) {
        area = findArea(screen);
        return area.bottom > area.top + 100 &&
               channel(screen.pixel(area.width / 2, (area.top + area.bottom) / 2), 0) == 128;
    })) << program_->output();
    const int rowMiddle = area.bottom + kRowHeight / 2;
    // The left bar's topmost pixels: its red zone, unlit before playback.
    const int meterX = 1280 - kMeterWidth + 8;
    const int meterTop = area.top + 2;
    const TestSupport::Screenshot before(display_.name());
    EXPECT_EQ(before.pixel(meterX, meterTop), kRedUnlit);
    const auto counter = [&](const TestSupport::Screenshot& screen) {
        return hashOf(screen, 6, area.bottom, 100, area.bottom + kRowHeight);
    };

    // The play button: the first of the eight, 10 P - 82 px before the
    // row's right edge less its 6 px margin.
    const int playX = 1280 - 6 - (10 * kRowHeight - 82) + (kRowHeight - 12) / 2;
    xdotool("mousemove " + std::to_string(playX) + " " + std::to_string(rowMiddle) + " click 1");
    // The tone is full scale: the meter's top lights red.
    EXPECT_TRUE(waitForScreen([&](const TestSupport::Screenshot& screen) {
        return screen.pixel(meterX, meterTop) == kRedLit;
    }));
    // The counter runs: a second later it reads another time.
    const TestSupport::Screenshot first(display_.name());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const TestSupport::Screenshot second(display_.name());
    EXPECT_NE(counter(second), counter(first));

    // Space pauses: the counter comes to stand, and the meter drops to
    // silence.
    xdotool("key space");
    std::uint64_t last = 0;
    EXPECT_TRUE(waitForScreen([&](const TestSupport::Screenshot& screen) {
        const std::uint64_t now = counter(screen);
        const bool standing = now == last && screen.pixel(meterX, meterTop) == kRedUnlit;
        last = now;
        if (!standing) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return standing;
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const TestSupport::Screenshot later(display_.name());
    EXPECT_EQ(counter(later), last);
    EXPECT_NE(counter(later), counter(before));  // paused where it was, not back at the start
    close();

    // The device got the tone: float stereo, both sides the source's
    // samples in order from the scene's first sample on. A device that ran
    // dry on a loaded machine plays silence in between and goes on where
    // it stopped, so silent samples are passed over.
    const std::vector<std::uint8_t> bytes = MediaTest::readFile(file("device.raw"));
    std::vector<float> played(bytes.size() / 4);
    std::memcpy(played.data(), bytes.data(), played.size() * 4);
    int n = 0;
    for (std::size_t i = 0; i + 1 < played.size() && n < 22050; i += 2) {
        // Sample n + 1 of the tone (sample 0 is silent), as 16-bit PCM;
        // the tone itself is silent every 2205 samples.
        const double wanted = std::lround(std::sin(440 * 2 * M_PI * (n + 1) / 44100.0) * 32767.0) / 32768.0;
        if (played[i] == 0.0f && played[i + 1] == 0.0f && wanted != 0.0) continue;
        ASSERT_NEAR(played[i + 1], wanted, 1.5 / 32768) << n;
        ASSERT_EQ(played[i], played[i + 1]) << n;
        ++n;
    }
    EXPECT_EQ(n, 22050) << "less than half a second was played";
}

TEST_F(PreviewWindowTest, TheVolumeDraggedOnItsButtonIsKeptInTheSettings) {
    start();
    Area area;
    ASSERT_TRUE(waitForScreen([&](const TestSupport::Screenshot& screen) {
        area = findArea(screen);
        return area.bottom > area.top + 100;
    })) << program_->output();
    // The volume button: the right area begins 2 P - 34 px before the
    // row's right edge less its margin.
    const int x = 1280 - 6 - (2 * kRowHeight - 34) + (kRowHeight - 20) / 2;
    const int y = area.bottom + kRowHeight / 2;
    // From 100 down by 41 px: 100 + trunc(41 / -2) = 80.
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " mousedown 1");
    for (int step = 10; step <= 40; step += 10)
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y + step));
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y + 41) + " mouseup 1");
    close();
    const std::string ini = CoreTest::readBytes((data() / "movane2" / "movane2.ini").string());
    EXPECT_NE(ini.find("[Player]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\r\nVolume=80\r\n"), std::string::npos) << ini;
}

TEST_F(PreviewWindowTest, TwoDroppedImagesGoOnTheFirstFreeLayersAtTheCursor) {
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=red:s=64x36 -frames:v 1 " + file("a.png")));
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=blue:s=64x36 -frames:v 1 " + file("b.png")));
    start();
    waitForPicture();
    dropOnPicture(file("a.png") + " " + file("b.png"));

    const std::string saved = saveAndClose();
    // At the cursor (frame 0) on layers 2 and 3; the last one made has the
    // focus.
    const std::size_t two = saved.find("[2]\r\nlayer=2\r\nframe=0,");
    const std::size_t three = saved.find("[3]\r\nlayer=3\r\nfocus=1\r\nframe=0,");
    ASSERT_NE(two, std::string::npos) << saved;
    ASSERT_NE(three, std::string::npos) << saved;
    EXPECT_NE(saved.find("ファイル=" + file("a.png"), two), std::string::npos) << saved;
    EXPECT_NE(saved.find("ファイル=" + file("b.png"), three), std::string::npos) << saved;
    EXPECT_EQ(saved.find("[4]"), std::string::npos) << saved;
}

// The timeline's option to separate a dropped movie's sound holds for drops
// on the preview too.
TEST_F(PreviewWindowTest, AMovieDroppedWithTheSeparateOptionGetsItsSoundOnTheNextLayer) {
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i testsrc=s=64x36:r=30:d=1 -f lavfi -i sine=f=440:d=1 "
                                  "-c:v mjpeg -c:a pcm_s16le " + file("clip.avi")));
    const std::string ini = (data() / "movane2" / "movane2.ini").string();
    CoreTest::writeBytes(ini, CoreTest::readBytes(ini) + "[Edit]\r\nSeparateVideoAudio=1\r\n");
    start();
    waitForPicture();
    dropOnPicture(file("clip.avi"));

    const std::string saved = saveAndClose();
    const std::size_t movie = saved.find("[2]\r\nlayer=2\r\n");
    const std::size_t sound = saved.find("[3]\r\nlayer=3\r\n");
    ASSERT_NE(movie, std::string::npos) << saved;
    ASSERT_NE(sound, std::string::npos) << saved;
    // The picture keeps the movie drawn without sound; the sound plays the
    // same file on the layer below.
    const std::string movieChain = saved.substr(movie, sound - movie);
    const std::string soundChain = saved.substr(sound);
    EXPECT_NE(movieChain.find("effect.name=標準描画"), std::string::npos) << saved;
    EXPECT_NE(soundChain.find("effect.name=動画ファイル"), std::string::npos) << saved;
    EXPECT_NE(soundChain.find("ファイル=" + file("clip.avi")), std::string::npos) << saved;
    EXPECT_NE(soundChain.find("effect.name=音声再生"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("[4]"), std::string::npos) << saved;
}

}  // namespace
