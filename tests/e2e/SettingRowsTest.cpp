// The parameter rows of the object settings window in the real program: a
// number typed and dragged, undone with Ctrl+Z, a movement chosen from the
// label's menu, a colour typed and picked from the bare root window, a
// picture chosen through the file row's chooser; each
// checked in the project file the program saves.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class SettingRows : public ::testing::Test {
protected:
    // A project of one focused object of the input effect, shown through
    // the standard output.
    void writeProject(const std::string& input) {
        project = root.path() / "film.mvp2";
        std::ofstream(project, std::ios::binary)
            << "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
               "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
               "[0]\r\nlayer=1\r\nframe=0,89\r\nfocus=1\r\n[0.0]\r\neffect.name="
            << input << "\r\n[0.1]\r\neffect.name=標準描画\r\n";
    }

    void SetUp() override {
        const fs::path data = root.path() / "home" / "movane2";
        fs::create_directories(data);
        // The settings window floats at a known place of the screen.
        std::ofstream(data / "movane2.ini", std::ios::binary)
            << "[Window.setting]\r\nfloating=1\r\nx=100\r\ny=100\r\nw=420\r\nh=500\r\nhide=0\r\n";
    }

    void xdo(const std::string& arguments) { E2E::onDisplay(display.name(), "xdotool " + arguments); }
    // A point of the settings window.
    std::string at(int x, int y) const {
        return "mousemove --window " + std::to_string(settings) + " " + std::to_string(x) + " " + std::to_string(y);
    }
    // The pixel of the screen at (x, y) as rrggbb.
    std::string pixel(int x, int y) {
        const std::string text = E2E::onDisplay(
            display.name(), "import -window root -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
                                " -depth 8 txt:- | tail -1");
        const std::size_t hash = text.find('#');
        if (hash == std::string::npos) return {};
        std::string rgb = text.substr(hash + 1, 6);
        for (char& c : rgb) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return rgb;
    }
    // Ctrl+S with the pointer over the main window (without a window
    // manager the keyboard follows the pointer), then the saved file's line
    // of the key.
    bool savedLine(const std::string& line) {
        xdo("mousemove 640 150 key ctrl+s");
        for (int i = 0; i < 250; ++i) {
            const std::string text = CoreTest::readBytes(project);
            if (text.find("\r\n" + line + "\r\n") != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    std::string saved() const { return CoreTest::readBytes(project); }

    std::unique_ptr<E2E::ProgramRun> start();
    void finish(E2E::ProgramRun& program);

    E2E::TempFolder root;
    fs::path project;
    unsigned long window = 0;
    TestSupport::VirtualDisplay display;
    unsigned long settings = 0;
};

std::unique_ptr<E2E::ProgramRun> SettingRows::start() {
    const std::vector<std::string> arguments{project.string()};
    auto program = std::make_unique<E2E::ProgramRun>(
        std::map<std::string, std::string>{{"DISPLAY", display.name()},
                                           {"XDG_DATA_HOME", (root.path() / "home").string()},
                                           {"FONTCONFIG_FILE", MOVANE2_SOURCE_DIR "/tests/data/fonts/fonts.conf"}},
        arguments);
    window = E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
    settings = E2E::waitForWindow(display.name(), "--name 'オブジェクト設定'");
    return program;
}

void SettingRows::finish(E2E::ProgramRun& program) {
    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
    xdo("mousemove 640 150");
    program.wait(10000);
    EXPECT_EQ(program.output().find("ERROR"), std::string::npos) << program.output();
}

TEST_F(SettingRows, NumbersMovementsAndColoursEditedInTheRowsReachTheSavedFile) {
    writeProject("図形");
    const std::unique_ptr<E2E::ProgramRun> program = start();
    ASSERT_NE(window, 0u) << program->output();
    ASSERT_NE(settings, 0u) << program->output();
    // The rows are up once the colour swatch shows the figure's white.
    bool ready = false;
    for (int i = 0; i < 100 && !ready; ++i) {
        ready = pixel(100 + 286, 100 + 452) == "ffffff";
        if (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(ready) << pixel(100 + 286, 100 + 452) << program->output();

    // X: a click on the slider opens its entry.
    xdo(at(263, 78) + " click 1");
    xdo("type --delay 30 12.5");
    xdo("key Return");
    ASSERT_TRUE(savedLine("X=12.50")) << saved();
    xdo("key ctrl+z");
    ASSERT_TRUE(savedLine("X=0.00")) << saved();

    // A drag of 7 pixels: X spans 2,000,000.00 in steps of 0.01 over the
    // 1280-pixel screen, at most 10 units a pixel, snapped to whole units:
    // 70.00.
    // Each step waits until the program has seen the last one.
    xdo(at(263, 78) + " sleep 0.2 mousedown 1 sleep 0.2 " + at(267, 78) + " sleep 0.2 " + at(270, 78) +
        " sleep 0.2 mouseup 1");
    ASSERT_TRUE(savedLine("X=70.00")) << saved();
    xdo("key ctrl+z");
    ASSERT_TRUE(savedLine("X=0.00")) << saved();

    // The label's movement menu: the second movement, 直線移動, for the
    // linked X, Y and Z.
    xdo(at(60, 78) + " click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xdo("key Down Down Return");
    ASSERT_TRUE(savedLine("X=0.00,0.00,直線移動,0")) << saved();
    EXPECT_NE(saved().find("\r\nY=0.00,0.00,直線移動,0\r\n"), std::string::npos) << saved();

    // 色: typed, then picked from the bare root below the main window.
    xdo(at(188, 452) + " click 1");
    xdo("type --delay 30 ff8000");
    xdo("key Return");
    ASSERT_TRUE(savedLine("色=ff8000")) << saved();
    E2E::onDisplay(display.name(), "xsetroot -solid '#00ff00'");
    xdo(at(262, 452) + " click 1");
    xdo("mousemove 640 770");
    xdo("click 1");
    ASSERT_TRUE(savedLine("色=00ff00")) << saved();
    finish(*program);
}

// The file row's button opens the chooser; the PNG chosen there is what the
// image object draws in the preview and keeps in the saved file.
TEST_F(SettingRows, APictureChosenThroughTheFileRowIsDrawnAndSaved) {
    const fs::path picture = root.path() / "red.png";
    ASSERT_EQ(std::system(("ffmpeg -loglevel error -y -f lavfi -i color=c=red:s=320x180 -frames:v 1 '" +
                           picture.string() + "'").c_str()),
              0);
    writeProject("画像ファイル");
    const std::unique_ptr<E2E::ProgramRun> program = start();
    ASSERT_NE(window, 0u) << program->output();
    ASSERT_NE(settings, 0u) << program->output();

    xdo(at(63, 366) + " click 1");
    const auto focused = [&]() -> unsigned long {
        const std::string focus = E2E::onDisplay(display.name(), "xdotool getwindowfocus");
        return focus.empty() ? 0 : std::stoul(focus);
    };
    unsigned long chooser = 0;
    for (int i = 0; i < 200 && !chooser; ++i) {
        const unsigned long focus = focused();
        if (focus && focus != window && focus != settings) chooser = focus;
        else std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(chooser, 0u) << "no file chooser";
    // The chooser is fitted to the screen after it maps: type once it keeps
    // its size.
    std::string last;
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const std::string now = E2E::onDisplay(display.name(), "xdotool getwindowgeometry " + std::to_string(chooser));
        if (now == last && !now.empty()) break;
        last = now;
    }
    // The location entry opened by its key, not by a typed '/': that one
    // opens it later and the keys typed meanwhile are lost.
    xdo("key ctrl+l");
    xdo("type --delay 20 '" + picture.string() + "'");
    // The chooser may miss a Return pressed right after the typing.
    for (int i = 0; i < 5 && focused() == chooser; ++i) {
        xdo("key Return");
        for (int wait = 0; wait < 20 && focused() == chooser; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // Inside the picture, right of the floating settings window and clear
    // of the handles drawn at the object's centre; red within what the
    // picture's round trip through ffmpeg leaves.
    const auto isRed = [](const std::string& rgb) {
        if (rgb.size() != 6) return false;
        const unsigned long value = std::stoul(rgb, nullptr, 16);
        return (value >> 16) >= 0xf0 && ((value >> 8) & 0xff) <= 0x10 && (value & 0xff) <= 0x10;
    };
    bool red = false;
    for (int i = 0; i < 100 && !red; ++i) {
        red = isRed(pixel(680, 280));
        if (!red) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(red) << pixel(680, 280);
    ASSERT_TRUE(savedLine("ファイル=" + picture.string())) << saved();
    finish(*program);
}

}  // namespace
