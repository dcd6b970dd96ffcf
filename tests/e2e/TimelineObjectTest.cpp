// The timeline's object area in the real program: objects drawn by type at
// their frames, an object dragged by the mouse (saved, and taken back by
// one undo), and files dropped from a drag source of our own.
#include "core/CoreTestSupport.h"
#include "e2e/DragSourceRun.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kVideo = 0xff0000;
constexpr std::uint32_t kAudio = 0x00ff00;
constexpr std::uint32_t kFilter = 0x0000ff;
// Rows of the shipped layout.
constexpr int kRow = 28;

bool waitUntil(const std::function<bool()>& done, int ms = 10000) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

// A project of a movie (frames 0..59, layer 1), a sound (0..59, layer 2)
// and a blur filter (60..89, layer 3), opened by the real program with
// object colours of its own.
class TimelineObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path movie = root_.path() / "movie.mp4";
        const fs::path sound = root_.path() / "sound.wav";
        E2E::commandOutput("ffmpeg -loglevel error -y -f lavfi -i color=c=gray:s=64x48:r=30 -f lavfi -i sine=f=440 "
                           "-t 2 -pix_fmt yuv420p -shortest " + movie.string());
        E2E::commandOutput("ffmpeg -loglevel error -y -f lavfi -i sine=f=220 -t 2 " + sound.string());
        std::ofstream(project(), std::ios::binary)
            << "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
               "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
            << "[0]\r\nlayer=0\r\nframe=0,59\r\n[0.0]\r\neffect.name=動画ファイル\r\nファイル=" << movie.string()
            << "\r\n[0.1]\r\neffect.name=映像再生\r\n"
            << "[1]\r\nlayer=1\r\nframe=0,59\r\n[1.0]\r\neffect.name=音声ファイル\r\nファイル=" << sound.string()
            << "\r\n[1.1]\r\neffect.name=音声再生\r\n"
            << "[2]\r\nlayer=2\r\nframe=60,89\r\n[2.0]\r\neffect.name=ぼかし\r\n";
        fs::create_directories(data());
        std::ofstream(data() / "movane2.ini", std::ios::binary) << "[Edit]\r\nEditResume=1\r\n";
        std::ofstream(data() / "style.conf", std::ios::binary)
            << "[Color]\r\nObjectVideo=ff0000,ff0000\r\nObjectAudio=00ff00,00ff00\r\n"
               "ObjectVideoFilter=0000ff,0000ff\r\nObjectVideoSelect=ffff00\r\nObjectAudioSelect=00ffff\r\n";
    }

    fs::path project() const { return root_.path() / "film.mvp2"; }
    fs::path data() const { return root_.path() / "home" / "movane2"; }
    std::string resume() const { return CoreTest::readBytes((data() / "resume.mvp2").string()); }

    void start() {
        const std::vector<std::string> arguments{project().string()};
        program_ = std::make_unique<E2E::ProgramRun>(
            E2E::testEnvironment(display_.name(), (root_.path() / "home")),
            arguments);
        window_ = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window_, 0u) << program_->output();
        // The object area's origin, from the filter's box: its first pixel
        // column is frame 60, its top 6 pixels into the third row.
        ASSERT_TRUE(waitUntil([&] {
            const TestSupport::Screenshot screen(display_.name());
            for (int y = 0; y < screen.height() && !found_; ++y)
                for (int x = 0; x < screen.width() && !found_; ++x)
                    if (screen.pixel(x, y) == kFilter && screen.pixel(x + 1, y + 1) == kFilter) {
                        areaX_ = x - 60;
                        areaY_ = y - 6 - 2 * kRow;
                        found_ = true;
                    }
            return found_;
        })) << "no movie box on the screen";
    }

    // Closes the program; after an edit it asks whether the edit may go,
    // and OK (the box's default button) lets it end.
    void close(bool edited = true) {
        ASSERT_TRUE(E2E::sendDeleteWindow(display_.name(), window_));
        if (edited) {
            const unsigned long box = messageBox();
            ASSERT_NE(box, 0u) << program_->output();
            E2E::onDisplay(display_.name(), "xdotool windowfocus --sync " + std::to_string(box) + " key Return");
        }
        ASSERT_EQ(program_->wait(10000), 0) << program_->output();
    }
    unsigned long messageBox() const {
        for (int i = 0; i < 250; ++i) {
            std::istringstream ids(E2E::onDisplay(display_.name(), "xdotool search --onlyvisible --name '^Movane Quorin2$'"));
            for (std::string id; std::getline(ids, id);)
                if (!id.empty() && std::stoul(id) != window_) return std::stoul(id);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return 0;
    }

    void xdotool(const std::string& command) { E2E::onDisplay(display_.name(), "xdotool " + command); }
    // A point of the area: x pixels right of frame 0, in the row of the layer.
    std::string at(int x, int layer, int dy = 14) const {
        return std::to_string(areaX_ + x) + " " + std::to_string(areaY_ + layer * kRow + dy);
    }
    // The share of a box's pixels (frames [from, to) of the layer) in a colour.
    double share(const TestSupport::Screenshot& screen, int from, int to, int layer, std::uint32_t rgb) const {
        const int top = areaY_ + layer * kRow + 6;
        const int bottom = areaY_ + layer * kRow + 17;  // above the sound band of a movie
        return double(screen.count(areaX_ + from, top, areaX_ + to, bottom, rgb)) / ((to - from) * (bottom - top));
    }
    // Drags the filter's body by dx pixels with the left button.
    void dragFilter(int dx) {
        xdotool("mousemove " + at(75, 2));
        xdotool("mousedown 1");
        for (int step = 10; step <= dx; step += 10) xdotool("mousemove " + at(75 + step, 2));
        xdotool("mouseup 1");
    }
    bool filterAt(int from) {
        return waitUntil([&] {
            const TestSupport::Screenshot screen(display_.name());
            return share(screen, from, from + 30, 2, kFilter) > 0.4 &&
                   screen.count(areaX_ + from - 10, areaY_ + 2 * kRow + 6, areaX_ + from, areaY_ + 3 * kRow, kFilter) == 0;
        });
    }

    TestSupport::VirtualDisplay display_;
    E2E::TempFolder root_;
    std::unique_ptr<E2E::ProgramRun> program_;
    unsigned long window_ = 0;
    int areaX_ = 0;
    int areaY_ = 0;
    bool found_ = false;
};

TEST_F(TimelineObjectTest, BoxesSpanTheirFramesInTheirTypeColours) {
    start();
    const TestSupport::Screenshot screen(display_.name());
    // At one pixel per frame a box spans xAt(start) .. xAt(end + 1).
    EXPECT_GT(share(screen, 0, 60, 0, kVideo), 0.6);
    EXPECT_GT(share(screen, 0, 60, 1, kAudio), 0.6);
    EXPECT_GT(share(screen, 60, 90, 2, kFilter), 0.6);
    EXPECT_EQ(share(screen, 60, 100, 0, kVideo), 0.0);
    EXPECT_EQ(share(screen, 60, 100, 1, kAudio), 0.0);
    EXPECT_EQ(share(screen, 40, 60, 2, kFilter), 0.0);
    EXPECT_EQ(share(screen, 90, 120, 2, kFilter), 0.0);
    // The filter's first pixel column and its last one.
    EXPECT_EQ(screen.pixel(areaX_ + 60, areaY_ + 2 * kRow + 10), kFilter);
    EXPECT_EQ(screen.pixel(areaX_ + 89, areaY_ + 2 * kRow + 10), kFilter);
    close(false);
}

TEST_F(TimelineObjectTest, DraggingAnObjectMovesItAndOneUndoTakesItBack) {
    start();
    dragFilter(50);
    ASSERT_TRUE(filterAt(110));
    close();
    const std::string moved = resume();
    EXPECT_NE(moved.find("[2]\r\nlayer=2\r\nfocus=1\r\nframe=110,139\r\n"), std::string::npos) << moved;

    found_ = false;
    start();
    dragFilter(50);
    ASSERT_TRUE(filterAt(110));
    xdotool("key ctrl+z");
    EXPECT_TRUE(filterAt(60));
    close();
    std::string back = moved;
    back.replace(back.find("frame=110,139"), 13, "frame=60,89");
    EXPECT_EQ(resume(), back);
}

TEST_F(TimelineObjectTest, ACtrlRubberBandSelectsWhatItCoversWhileCtrlIsDown) {
    start();
    // From empty space right of the sound back over the movie and the sound.
    xdotool("keydown ctrl");
    xdotool("mousemove " + at(150, 1, 20));
    xdotool("mousedown 1");
    xdotool("mousemove " + at(100, 1, 10));
    xdotool("mousemove " + at(30, 0, 10));
    const auto selected = [&] {
        const TestSupport::Screenshot screen(display_.name());
        return share(screen, 0, 60, 0, 0xffff00) > 0.6 && share(screen, 0, 60, 1, 0x00ffff) > 0.6 &&
               share(screen, 60, 90, 2, kFilter) > 0.6;
    };
    EXPECT_TRUE(waitUntil(selected));
    // The selection lasts while Ctrl is down and goes when it comes up.
    xdotool("mouseup 1");
    EXPECT_TRUE(waitUntil(selected));
    xdotool("keyup ctrl");
    EXPECT_TRUE(waitUntil([&] {
        const TestSupport::Screenshot screen(display_.name());
        return share(screen, 0, 60, 0, kVideo) > 0.6 && share(screen, 0, 60, 1, kAudio) > 0.6;
    }));
    close(false);
}

TEST_F(TimelineObjectTest, SplitFromTheMenuAtThePointerAndUndo) {
    start();
    // The filter's menu: 切り取り, コピー, (貼り付け greyed), 削除, 複製, 分割.
    xdotool("mousemove " + at(75, 2));
    xdotool("click 3");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    xdotool("key Down Down Down Down Down Return");
    // Two boxes now: the gap of the split shows the row between them.
    EXPECT_TRUE(waitUntil([&] {
        const TestSupport::Screenshot screen(display_.name());
        return screen.pixel(areaX_ + 74, areaY_ + 2 * kRow + 10) == kFilter &&
               screen.pixel(areaX_ + 76, areaY_ + 2 * kRow + 10) == kFilter;
    }));
    close();
    const std::string split = resume();
    EXPECT_NE(split.find("layer=2\r\nframe=60,74\r\n"), std::string::npos) << split;
    EXPECT_NE(split.find("frame=75,89\r\n"), std::string::npos) << split;

    found_ = false;
    start();
    xdotool("mousemove " + at(75, 2));
    xdotool("click 3");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    xdotool("key Down Down Down Down Down Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xdotool("key ctrl+z");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    close();
    const std::string back = resume();
    EXPECT_NE(back.find("frame=60,89\r\n"), std::string::npos) << back;
    EXPECT_EQ(back.find("frame=75,89"), std::string::npos) << back;
}

TEST_F(TimelineObjectTest, DroppedFilesBecomeObjectsOnConsecutiveLayers) {
    for (const char* name : {"a.png", "b.png", "c.png"})
        E2E::commandOutput("ffmpeg -loglevel error -y -f lavfi -i color=c=white:s=32x24 -frames:v 1 " +
                           (root_.path() / name).string());
    std::ofstream(root_.path() / "Shape.OBJECT", std::ios::binary)
        << "[Object]\r\nframe=0,19\r\n[Object.0]\r\neffect.name=図形\r\n[Object.1]\r\neffect.name=標準描画\r\n";
    std::ofstream(root_.path() / "notes.xyz", std::ios::binary) << "nothing reads this";
    start();
    int drops = 0;
    const auto drop = [&](const std::vector<std::string>& files, int x, int layer, const std::string& end) {
        E2E::DragSourceRun source(display_.name(), root_.path() / ("source" + std::to_string(++drops) + ".log"), files,
                                  "600,730");
        ASSERT_TRUE(waitUntil([&] { return source.said("ready"); }));
        xdotool("mousemove 650 760");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        xdotool("mousedown 1 mousemove 640 760 mousemove 600 760");
        xdotool("mousemove " + at(x - 10, layer));
        xdotool("mousemove " + at(x, layer));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        xdotool("mousemove " + at(x, layer));
        xdotool("mouseup 1");
        EXPECT_TRUE(waitUntil([&] { return source.said(end); })) << end << "\n" << source.lines();
    };
    const fs::path& r = root_.path();
    drop({(r / "a.png").string(), (r / "b.png").string(), (r / "c.png").string()}, 300, 3, "end copy");
    // Beside the sound, and beside the filter.
    drop({(r / "Shape.OBJECT").string()}, 500, 1, "end copy");
    drop({(r / "notes.xyz").string()}, 400, 2, "end none");
    close();
    // The focus mark of the newest object aside.
    std::string saved = resume();
    if (const std::size_t focus = saved.find("focus=1\r\n"); focus != std::string::npos) saved.erase(focus, 9);
    for (const char* placed : {"layer=3\r\nframe=300,", "layer=4\r\nframe=300,", "layer=5\r\nframe=300,",
                               "layer=1\r\nframe=500,519\r\n"})
        EXPECT_NE(saved.find(placed), std::string::npos) << placed << "\n" << saved;
    EXPECT_EQ(saved.find("frame=400,"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("layer=6"), std::string::npos) << saved;
    EXPECT_NE(saved.find("a.png"), std::string::npos);
    EXPECT_NE(saved.find("c.png"), std::string::npos);
}

}  // namespace
