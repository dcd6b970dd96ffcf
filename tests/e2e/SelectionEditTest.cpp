// One row edit reaches every selected object in the real program: with
// Ctrl held, three figures are clicked on the timeline and the focused
// figure's X slider dragged in the docked settings window; the saved
// project holds the new X in all three and one Ctrl+Z restores all three.
#include "e2e/ProjectProgramTest.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string figure(int index, int layer, const char* extra) {
    const std::string n = std::to_string(index);
    return "[" + n + "]\r\nlayer=" + std::to_string(layer) + "\r\nframe=0,89\r\n" + extra + "[" + n +
           ".0]\r\neffect.name=図形\r\n[" + n + ".1]\r\neffect.name=標準描画\r\n";
}

const std::string kProject =
    "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
    "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n" +
    figure(0, 0, "focus=1\r\n") + figure(1, 1, "") + figure(2, 2, "");

// The shipped layout at 1280 × 800 without the explorer: the figures on the
// first three timeline layers, the settings window docked at the lower
// right with X as its first row.
constexpr int kObjectX = 380, kLayerY[] = {537, 565, 593};
constexpr int kSliderX = 1206, kSliderY = 394;

std::vector<std::string> xValues(const std::string& project) {
    std::vector<std::string> values;
    std::istringstream lines(project);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("X=", 0) == 0) values.push_back(line.substr(2, line.find('\r') - 2));
    return values;
}

class SelectionEditTest : public E2E::ProjectProgramTest {};

TEST_F(SelectionEditTest, ASliderDragReachesEverySelectedObjectAndOneUndoRestoresThem) {
    start(kProject, "[Window.explorer:1]\r\nhide=1\r\n", [](const TestSupport::Screenshot& s) {
        // The third figure on the timeline and the X row's label.
        return (s.pixel(kObjectX, kLayerY[2]) & 0xFF) > 0x80 && (s.pixel(1060, kSliderY + 2) & 0xFFFFFF) == 0x3C3C3C;
    });
    xdotool("windowfocus --sync " + std::to_string(window));
    // The selection lasts while Ctrl is held.
    xdotool("keydown ctrl");
    for (const int y : kLayerY)
        xdotool("mousemove " + std::to_string(kObjectX) + " " + std::to_string(y) + " click 1 sleep 0.2");
    // Selected boxes are lighter.
    ASSERT_TRUE(waitFor([&] {
        const TestSupport::Screenshot screen(display.name());
        for (const int y : kLayerY)
            if ((screen.pixel(kObjectX, y) & 0xFF) < 0xC0) return false;
        return true;
    })) << "the three objects are not selected";
    // Seven pixels: 70.00 (see the rows' own test).
    const std::string slider = " " + std::to_string(kSliderY);
    xdotool("mousemove " + std::to_string(kSliderX) + slider + " sleep 0.5 mousedown 1 sleep 0.5 mousemove " +
            std::to_string(kSliderX + 4) + slider + " sleep 0.5 mousemove " + std::to_string(kSliderX + 7) + slider +
            " sleep 0.5 mouseup 1 sleep 0.5");
    xdotool("keyup ctrl");
    EXPECT_EQ(xValues(save()), (std::vector<std::string>{"70.00", "70.00", "70.00"}));
    key("ctrl+z");
    EXPECT_EQ(xValues(save()), (std::vector<std::string>{"0.00", "0.00", "0.00"}));
}

}  // namespace
