// The time-control window of the real program on a figure whose linked
// X, Y and Z move under time control: its menu's "制御点を追加" in the middle
// of the plot saves a three-point curve (12 values) on each of them,
// "現在の設定でプリセットを作成" writes that curve as a preset file in the
// data folder's Default folder, and one Ctrl+Z takes the point back; the
// clock icon of a number row opens the hidden window on its item.
#include "core/CoreTestSupport.h"
#include "e2e/ProjectProgramTest.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kProject =
    "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
    "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
    "[0]\r\nlayer=0\r\nframe=0,89\r\nfocus=1\r\n[0.0]\r\neffect.name=図形\r\n[0.1]\r\neffect.name=標準描画\r\n"
    "X=0.00,100.00,直線移動(時間制御),0\r\nY=0.00,0.00,直線移動(時間制御),0\r\n"
    "Z=0.00,0.00,直線移動(時間制御),0\r\nGroup=1\r\n";

// The shipped layout at 1280 × 800 with the timeline and the time-control
// window side by side: the window's plot spans (652, 58)-(1269, 686), its
// first point sits at the bottom-left corner and the preset button is the
// first of the title bar's two buttons.
constexpr int kFirstPointX = 652, kFirstPointY = 686;
constexpr int kMiddleX = 960, kMiddleY = 372;
constexpr int kPresetButtonX = 1246, kPresetButtonY = 38;

// The curve part of an item's line of the saved project ("" when none).
std::string curveOf(const std::string& project, const std::string& item) {
    const std::string key = "\r\n" + item + "=";
    const std::size_t at = project.find(key);
    if (at == std::string::npos) return "?";
    const std::string line = project.substr(at + key.size(), project.find("\r\n", at + key.size()) - at - key.size());
    const std::size_t bar = line.find('|');
    return bar == std::string::npos ? std::string() : line.substr(bar + 1);
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> pieces;
    std::istringstream in(text);
    for (std::string piece; std::getline(in, piece, ',');) pieces.push_back(piece);
    return pieces;
}

class TimeControlWindowTest : public E2E::ProjectProgramTest {
protected:
    // Only the timeline and the time-control window.
    void startBesideTimeline() {
        std::string ini = E2E::hiddenPanelsIni();
        ini.erase(ini.find("[Window.edit]\r\nhide=1\r\n"), 23);
        ini += "[Window.setting.time]\r\nhide=0\r\n";
        // Ready once the focused figure's curve is drawn: its first point
        // in the anchor colour.
        start(kProject, ini, [](const TestSupport::Screenshot& screen) {
            const std::uint32_t p = screen.pixel(kFirstPointX, kFirstPointY);
            return (p >> 16 & 0xFF) > 200 && (p & 0xFF) < 100;
        });
    }

    int visibleWindows() const {
        std::istringstream ids(xdotool("search --onlyvisible --classname movane2"));
        int count = 0;
        for (std::string id; std::getline(ids, id);) count += !id.empty();
        return count;
    }
    // Clicks (button) at the point, waits for the popup menu and picks its
    // first item by keys; then waits for the menu to go unless the item
    // opens a window of its own (the caller waits for that).
    void pickFirstItem(int x, int y, int button, bool opensWindow = false) {
        const int before = visibleWindows();
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " + std::to_string(button));
        ASSERT_TRUE(waitFor([&] { return visibleWindows() > before; })) << "no menu";
        xdotool("key Down Return");
        if (!opensWindow) {
            ASSERT_TRUE(waitFor([&] { return visibleWindows() == before; }));
        }
    }
};

TEST_F(TimeControlWindowTest, APointAddedInTheMiddleIsSavedOnEveryLinkedItemAndBecomesAPreset) {
    startBesideTimeline();
    pickFirstItem(kMiddleX, kMiddleY, 3);
    const std::string project = save();
    const std::string curve = curveOf(project, "X");
    const std::vector<std::string> values = split(curve);
    ASSERT_EQ(values.size(), 12u) << project;
    // The end points keep the diagonal's handles; the new point has a flat
    // handle 1 / (2 + 3) long, at the middle of the plot.
    EXPECT_EQ(std::vector<std::string>(values.begin(), values.begin() + 4),
              (std::vector<std::string>{"0", "0", "0.25", "0.25"}));
    EXPECT_NEAR(std::atof(values[4].c_str()), 0.5, 0.01);
    EXPECT_NEAR(std::atof(values[5].c_str()), 0.5, 0.01);
    EXPECT_EQ(std::vector<std::string>(values.begin() + 6, values.end()),
              (std::vector<std::string>{"0.2", "0", "1", "1", "0.25", "0.25"}));
    EXPECT_EQ(curveOf(project, "Y"), curve);
    EXPECT_EQ(curveOf(project, "Z"), curve);

    // The window as drawn: the S-shaped curve through the new point with its
    // flat handle, the pointer away from every point.
    xdotool("mousemove 700 600");
    const std::string shot = (root.path() / "curve.png").string();
    E2E::onDisplay(display.name(), "import -window root -crop 640x672+640+28 +repage png:" + shot);
    const std::string reference = MOVANE2_SOURCE_DIR "/tests/data/settings/time-curve.png";
    if (std::getenv("MOVANE2_UPDATE_PICTURES")) fs::copy_file(shot, reference, fs::copy_options::overwrite_existing);
    const std::string difference =
        E2E::onDisplay(display.name(), "compare -metric AE -fuzz 10% " + shot + " " + reference + " null: 2>&1");
    EXPECT_LE(std::atoi(difference.c_str()), 60) << difference << " " << shot;

    // The preset button's menu holds only the item that makes one.
    pickFirstItem(kPresetButtonX, kPresetButtonY, 1, true);
    const unsigned long dialog = E2E::waitForWindow(display.name(), "--onlyvisible --name 'プリセットを作成 - 時間制御'");
    ASSERT_NE(dialog, 0u) << program->output();
    xdotool("windowfocus --sync " + std::to_string(dialog));
    xdotool("type p1");
    // OK at the bottom right of the dialog.
    std::istringstream geometry(xdotool("getwindowgeometry --shell " + std::to_string(dialog)));
    int x = 0, y = 0, width = 0, height = 0;
    for (std::string line; std::getline(geometry, line);) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (name == "X") x = value;
        if (name == "Y") y = value;
        if (name == "WIDTH") width = value;
        if (name == "HEIGHT") height = value;
    }
    xdotool("mousemove " + std::to_string(x + width - 61) + " " + std::to_string(y + height - 24) + " click 1");
    const fs::path preset = data() / "Default" / "p1.params";
    ASSERT_TRUE(waitFor([&] { return fs::exists(preset); })) << program->output();
    EXPECT_EQ(CoreTest::readBytes(preset.string()), "params=" + curve + "\r\n");

    key("ctrl+z");
    const std::string undone = save();
    EXPECT_EQ(curveOf(undone, "X"), "") << undone;
    EXPECT_EQ(curveOf(undone, "Z"), "") << undone;
}

// The shipped layout with the object settings window floating at (100, 100):
// the clock icon of its Y row opens the hidden time-control window below
// the preview on Y (its curve shared by X and Z).
TEST_F(TimeControlWindowTest, ARowsClockIconOpensTheWindowOnItsItem) {
    const std::string ini = "[Window.setting]\r\nfloating=1\r\nx=100\r\ny=100\r\nw=420\r\nh=500\r\nhide=0\r\n";
    // Ready once the rows are up: the colour row's white swatch.
    start(kProject, ini, [](const TestSupport::Screenshot& screen) {
        return (screen.pixel(100 + 286, 100 + 452) & 0xFFFFFF) == 0xFFFFFFu;
    });
    const auto firstPointShown = [&] {
        const std::uint32_t p = TestSupport::Screenshot(display.name()).pixel(652, 686);
        return (p >> 16 & 0xFF) > 200 && (p & 0xFF) < 100;
    };
    ASSERT_FALSE(firstPointShown());
    xdotool("mousemove 213 200 click 1");
    ASSERT_TRUE(waitFor(firstPointShown)) << program->output();
    pickFirstItem(832, 607, 3);
    const std::string project = save();
    EXPECT_EQ(split(curveOf(project, "Y")).size(), 12u) << project;
    EXPECT_EQ(curveOf(project, "X"), curveOf(project, "Y"));
}

}  // namespace
