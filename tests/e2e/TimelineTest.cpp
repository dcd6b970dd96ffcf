// The timeline of the real program with a project named on its command
// line: the ruler's labels and the layer names show, and the layer header's
// click, drag and menu change the saved project, each undone by one Ctrl+Z
// back to the same bytes; a Shift drag on the ruler selects a range that
// the ruler's menu clears.
#include "core/CoreTestSupport.h"
#include "e2e/ProjectProgramTest.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

// A figure on layer index 2 and two on index 3 (the file counts layers
// from 0, as the timeline does).
const char* const kProject =
    "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
    "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
    "[0]\r\nlayer=2\r\nframe=0,89\r\n[0.0]\r\neffect.name=図形\r\n[0.1]\r\neffect.name=標準描画\r\n"
    "[1]\r\nlayer=3\r\nframe=20,150\r\n[1.0]\r\neffect.name=図形\r\n[1.1]\r\neffect.name=標準描画\r\n"
    "[2]\r\nlayer=3\r\nframe=200,260\r\n[2.0]\r\neffect.name=図形\r\n[2.1]\r\neffect.name=標準描画\r\n";

// The client area starts below the menu bar; the ruler is 24 high, the
// header column 80 wide and a layer row 28 high (the shipped style).
constexpr int kMenuBar = 28;
constexpr int kRulerTop = kMenuBar;
constexpr int kRowsTop = kMenuBar + 24;
constexpr int kRow = 28;
constexpr std::uint32_t kLayerHeader = 0x2d2d30;

int rowY(int row) { return kRowsTop + row * kRow + kRow / 2; }

// Pixels of the rectangle lighter than the dark style's faces: text.
int textPixels(const TestSupport::Screenshot& screen, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const std::uint32_t p = screen.pixel(x, y);
            if (((p >> 16) & 255) > 0x80 && ((p >> 8) & 255) > 0x80 && (p & 255) > 0x80) ++n;
        }
    return n;
}

class TimelineTest : public E2E::ProjectProgramTest {
protected:
    void SetUp() override {
        // The timeline alone in the window.
        std::string ini = E2E::hiddenPanelsIni();
        ini.erase(ini.find("[Window.edit]\r\nhide=1\r\n"), 23);
        start(kProject, ini, [](const TestSupport::Screenshot& screen) {
            return screen.pixel(70, rowY(0)) == kLayerHeader && screen.pixel(70, rowY(9)) == kLayerHeader;
        });
    }

    // The pixel right and below a point stops showing the timeline: the
    // popup menu opened there.
    void rightClickRowForMenu(int row) {
        xdotool("mousemove 40 " + std::to_string(rowY(row)) + " click 3");
        ASSERT_TRUE(waitFor([&] {
            const TestSupport::Screenshot screen(display.name());
            return textPixels(screen, 60, rowY(row) + 4, 100, rowY(row) + 14) > 300;
        }));
    }
};

TEST_F(TimelineTest, TheRulerLabelsEveryHundredFramesAndTheRowsShowTheLayerNames) {
    const TestSupport::Screenshot screen(display.name());
    // One pixel a frame: "00:00:00.00" at x 80 and "00:00:03.33" at x 180
    // in the ruler's upper half, nothing between them.
    EXPECT_GT(textPixels(screen, 81, kRulerTop, 140, kRulerTop + 12), 60);
    EXPECT_GT(textPixels(screen, 181, kRulerTop, 240, kRulerTop + 12), 60);
    EXPECT_EQ(textPixels(screen, 145, kRulerTop, 178, kRulerTop + 12), 0);
    // A major tick at x 180 (the panel may sit a pixel in) reaching up to
    // the middle, minor ones every ten pixels to three quarters.
    constexpr std::uint32_t background = 0x1e1e1e;
    const auto tickAt = [&](int x0, int x1, int y) {
        for (int x = x0; x <= x1; ++x)
            if (screen.pixel(x, y) != background) return true;
        return false;
    };
    EXPECT_TRUE(tickAt(180, 181, kRulerTop + 13));
    EXPECT_TRUE(tickAt(190, 191, kRulerTop + 19));
    EXPECT_FALSE(tickAt(190, 191, kRulerTop + 15));
    EXPECT_FALSE(tickAt(183, 188, kRulerTop + 20));
    // "Layer1" ... in every row, from 4 pixels in; the row's right part is
    // bare.
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_GT(textPixels(screen, 4, rowY(row) - 7, 50, rowY(row) + 7), 40);
        EXPECT_EQ(textPixels(screen, 60, rowY(row) - 7, 76, rowY(row) + 7), 0);
    }
    // "Layer10" is wider than "Layer9".
    EXPECT_GT(textPixels(screen, 40, rowY(9) - 7, 60, rowY(9) + 7),
              textPixels(screen, 40, rowY(8) - 7, 60, rowY(8) + 7));
}

TEST_F(TimelineTest, HeaderClickDragInsertAndDeleteEachUndoToTheSameBytes) {
    const std::string original = save();
    ASSERT_EQ(original.find("[layer."), std::string::npos) << original;

    // A click on Layer2's header hides it.
    xdotool("mousemove 40 " + std::to_string(rowY(1)) + " click 1");
    std::string changed = save();
    EXPECT_NE(changed.find("[layer.0]\r\nlayer=1\r\nhide=1\r\n"), std::string::npos) << changed;
    key("ctrl+z");
    EXPECT_EQ(save(), original);

    // Layer 3 (index 2, one figure) dragged onto row 5: it becomes index 5,
    // the layers between move up.
    xdotool("mousemove 40 " + std::to_string(rowY(2)) + " mousedown 1");
    xdotool("mousemove 40 " + std::to_string(rowY(3)));
    xdotool("mousemove 40 " + std::to_string(rowY(5)) + " mouseup 1");
    changed = save();
    EXPECT_NE(changed.find("layer=5\r\nframe=0,89\r\n"), std::string::npos) << changed;
    EXPECT_NE(changed.find("layer=2\r\nframe=20,150\r\n"), std::string::npos) << changed;
    key("ctrl+z");
    EXPECT_EQ(save(), original);

    // Insert above layer 0 from the header's menu (its fifth item).
    rightClickRowForMenu(0);
    key("Down Down Down Down Down Return");
    changed = save();
    EXPECT_NE(changed.find("layer=3\r\nframe=0,89\r\n"), std::string::npos) << changed;
    key("ctrl+z");
    EXPECT_EQ(save(), original);

    // Delete layer index 3 with its two figures (the sixth item).
    rightClickRowForMenu(3);
    key("Down Down Down Down Down Down Return");
    changed = save();
    EXPECT_EQ(changed.find("frame=20,150"), std::string::npos) << changed;
    EXPECT_EQ(changed.find("frame=200,260"), std::string::npos) << changed;
    EXPECT_NE(changed.find("frame=0,89"), std::string::npos) << changed;
    key("ctrl+z");
    EXPECT_EQ(save(), original);
}

TEST_F(TimelineTest, AShiftDragOnTheRulerSelectsARangeThatTheRulerMenuClears) {
    // The band fills the ruler's lower half over the selected frames.
    constexpr std::uint32_t background = 0x1e1e1e;
    const auto bandShown = [&] {
        const TestSupport::Screenshot screen(display.name());
        return screen.pixel(155, kRulerTop + 20) != background;
    };
    ASSERT_FALSE(bandShown());
    xdotool("windowfocus --sync " + std::to_string(window));
    xdotool("mousemove 130 " + std::to_string(kRulerTop + 12) + " keydown shift mousedown 1");
    xdotool("mousemove 200 " + std::to_string(kRulerTop + 12));
    xdotool("mousemove 280 " + std::to_string(kRulerTop + 12) + " mouseup 1 keyup shift");
    ASSERT_TRUE(waitFor(bandShown));
    // Outside the range the lower half is shaded another way.
    {
        const TestSupport::Screenshot screen(display.name());
        EXPECT_NE(screen.pixel(700, kRulerTop + 20), screen.pixel(155, kRulerTop + 20));
        EXPECT_NE(screen.pixel(700, kRulerTop + 20), background);
    }

    // The ruler's menu: its first item ends the selection.
    xdotool("mousemove 600 " + std::to_string(kRulerTop + 12) + " click 3");
    ASSERT_TRUE(waitFor([&] {
        const TestSupport::Screenshot screen(display.name());
        return textPixels(screen, 620, kRulerTop + 20, 660, kRulerTop + 30) > 300;
    }));
    key("Down Return");
    EXPECT_TRUE(waitFor([&] { return !bandShown(); }));
}

}  // namespace
