// The colour window of the real program: with the window shown, focusing a
// figure makes its colour the target; a drag in the wheel's square writes
// the colour the swatch shows into the saved project, and one Ctrl+Z
// brings the old colour back.
#include "core/CoreTestSupport.h"
#include "e2e/ProjectProgramTest.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

const char* const kProject =
    "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
    "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
    "[0]\r\nlayer=0\r\nframe=0,89\r\n[0.0]\r\neffect.name=図形\r\n[0.1]\r\neffect.name=標準描画\r\n";

// The shipped layout at 1280 × 800 with the timeline and the colour window:
// the figure on the first layer, the swatch's face, the top of the hue
// ring and the inside of the saturation/value square.
constexpr int kObjectX = 120, kObjectY = 68;
constexpr int kSwatchX = 800, kSwatchY = 80;
constexpr int kRingTopX = 897, kRingTopY = 140;

std::string colourLine(const std::string& project) {
    const std::string key = "\r\n色=";
    const std::size_t at = project.find(key);
    if (at == std::string::npos) return {};
    return project.substr(at + key.size(), project.find("\r\n", at + key.size()) - at - key.size());
}

std::string hex(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%06x", rgb & 0xFFFFFF);
    return text;
}

class ColorWindowTest : public E2E::ProjectProgramTest {
protected:
    void SetUp() override {
        std::string ini = E2E::hiddenPanelsIni();
        ini.erase(ini.find("[Window.edit]\r\nhide=1\r\n"), 23);
        ini += "[Window.setting.color]\r\nhide=0\r\n";
        // The ring's top is yellow with the default base angle.
        start(kProject, ini, [](const TestSupport::Screenshot& screen) {
            const std::uint32_t p = screen.pixel(kRingTopX, kRingTopY);
            return (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) > 200 && (p & 0xFF) < 80;
        });
    }
    std::uint32_t swatch() const { return TestSupport::Screenshot(display.name()).pixel(kSwatchX, kSwatchY) & 0xFFFFFF; }
};

TEST_F(ColorWindowTest, AWheelDragColoursTheFocusedFigureAndOneUndoRestoresIt) {
    ASSERT_EQ(swatch(), 0x000000u) << "no target yet";
    // A ring click turns the hue to the right's 150°: the square's top-right
    // corner follows, though nothing is written without a target.
    xdotool("mousemove 1010 255");
    xdotool("click 1");
    ASSERT_TRUE(waitFor([&] {
        const std::uint32_t corner = TestSupport::Screenshot(display.name()).pixel(958, 195);
        return (corner >> 8 & 0xFF) > 200 && (corner >> 16 & 0xFF) < 60;
    }));
    // Focusing the figure makes its white the target; white keeps the hue.
    xdotool("mousemove " + std::to_string(kObjectX) + " " + std::to_string(kObjectY) + " click 1");
    ASSERT_TRUE(waitFor([&] { return swatch() == 0xffffffu; }));

    xdotool("mousemove 900 200");
    xdotool("mousedown 1");
    xdotool("mousemove 920 220");
    xdotool("mousemove 940 240");
    xdotool("mouseup 1");
    ASSERT_TRUE(waitFor([&] { return swatch() != 0xffffffu; }));
    const std::string saved = colourLine(save());
    // The saved colour is the one the swatch shows once the drag ended.
    EXPECT_TRUE(waitFor([&] { return hex(swatch()) == saved; })) << saved << " shown " << hex(swatch());
    const std::uint32_t shown = swatch();
    // Hue 150°: green above red and blue.
    EXPECT_GT(shown >> 8 & 0xFF, shown >> 16 & 0xFF);
    EXPECT_GT(shown >> 8 & 0xFF, shown & 0xFF);

    key("ctrl+z");
    EXPECT_EQ(colourLine(save()), "ffffff");
}

}  // namespace
