// The colour window of the real program: with the window shown, focusing a
// figure makes its colour the target; a drag in the wheel's square writes
// the colour the swatch shows into the saved project, and one Ctrl+Z
// brings the old colour back. The palette grid's cell menu stores the
// colour in the palette file, and the palette switch creates palettes.
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
#include <sstream>
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
// The palette grid's last cell and the palette switch on the title band.
constexpr int kLastCellX = 1260, kLastCellY = 365;
constexpr int kSwitchX = 1243, kSwitchY = 40;

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

    int visibleWindows() const {
        int count = 0;
        std::istringstream ids(xdotool("search --onlyvisible --name '.'"));
        for (std::string id; std::getline(ids, id);) count += !id.empty();
        return count;
    }
    // Opens a popup menu with a click of the button at the point and picks
    // its item by keys once it shows (the callers wait for what the item
    // does: a tooltip may open once the menu has gone).
    void pickFromMenu(int x, int y, int button, const std::string& keys) {
        const int before = visibleWindows();
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        xdotool("mousemove " + std::to_string(x + 1) + " " + std::to_string(y));
        xdotool("click " + std::to_string(button));
        ASSERT_TRUE(waitFor([&] { return visibleWindows() > before; })) << "no menu";
        xdotool("key " + keys);
    }
    // Types into the window of the title once it shows, then Return.
    void answer(const std::string& title, const std::string& text) {
        const unsigned long dialog = E2E::waitForWindow(display.name(), "--onlyvisible --name '^" + title + "$'");
        ASSERT_NE(dialog, 0u) << title;
        const std::string id = std::to_string(dialog);
        if (!text.empty()) xdotool("windowfocus --sync " + id + " type " + text);
        xdotool("windowfocus --sync " + id + " key Return");
    }
    fs::path palette(const std::string& name) const { return data() / "Default" / (name + ".palette"); }
    static std::string line(const std::string& file, const std::string& start) {
        std::istringstream lines(file);
        for (std::string text; std::getline(lines, text);)
            if (text.rfind(start, 0) == 0) return text.substr(0, text.find('\r'));
        return {};
    }
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

TEST_F(ColorWindowTest, TheCellMenuStoresTheColourAndTheSwitchCreatesPalettes) {
    // The generated palette: its last cell is black.
    ASSERT_EQ(line(CoreTest::readBytes(palette("default").string()), "63="), "63=000000");
    xdotool("mousemove " + std::to_string(kObjectX) + " " + std::to_string(kObjectY) + " click 1");
    ASSERT_TRUE(waitFor([&] { return swatch() == 0xffffffu; }));

    // "現在の色を登録", the first item of the cell menu.
    pickFromMenu(kLastCellX, kLastCellY, 3, "Down Return");
    EXPECT_TRUE(waitFor([&] { return line(CoreTest::readBytes(palette("default").string()), "63=") == "63=ffffff"; }));
    EXPECT_EQ(line(CoreTest::readBytes(palette("default").string()), "0="), "0=ffffff|white") << "names stay";

    // The switch lists default, then "新しいパレットを作成".
    pickFromMenu(kSwitchX, kSwitchY, 1, "Down Down Return");
    answer("パレットを作成 - 色設定", "p2");
    ASSERT_TRUE(waitFor([&] { return fs::exists(palette("p2")); }));
    const std::string created = CoreTest::readBytes(palette("p2").string());
    EXPECT_EQ(line(created, "63="), "63=ffffff") << "the colours of the palette shown";
    EXPECT_EQ(line(created, "0="), "0=ffffff") << "no preset names";
    EXPECT_EQ(created.find('|'), std::string::npos);

    // The same name again asks first; Escape keeps the file.
    pickFromMenu(kSwitchX, kSwitchY, 1, "Down Down Down Return");
    answer("パレットを作成 - 色設定", "p2");
    const unsigned long box = E2E::waitForWindow(display.name(), "--onlyvisible --name '^Movane Quorin2$'");
    ASSERT_NE(box, 0u) << "no question before overwriting";
    const std::string pid = std::to_string(box);
    xdotool("windowfocus --sync " + pid + " key Escape");
    ASSERT_TRUE(waitFor([&] { return xdotool("search --onlyvisible --name '^Movane Quorin2$'").empty(); }));
    EXPECT_EQ(CoreTest::readBytes(palette("p2").string()), created);

    // The palette shown is kept when the program closes.
    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
    EXPECT_EQ(program->wait(10000), 0) << program->output();
    program.reset();
    const std::string ini = CoreTest::readBytes((data() / "movane2.ini").string());
    EXPECT_NE(ini.find("[Window.setting.color]\r\nhide=0\r\nColorCircleAngle=60\r\nSelectPalette=p2\r\n"),
              std::string::npos)
        << ini;
}

}  // namespace
