// The preview's handles in the real program: dragging the position handle
// of 座標 moves the object by the pointer offset at the preview's zoom and
// one undo puts the saved project back byte for byte; the context menu
// selects the object under the pointer, copies the picture to the
// clipboard with and without transparency, and shows the XY grid.
#include "core/CoreTestSupport.h"
#include "e2e/PictureProgramTest.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

using E2E::kRed;
using E2E::valueIn;
using E2E::writeFile;

class PreviewHandleTest : public E2E::PictureProgramTest {
protected:
    PreviewHandleTest() : PictureProgramTest("handle") {
        // The picture at 100 %: one pixel of the preview is one of the scene.
        writeFile(root / "home" / "movane2" / "movane2.ini", "[Window.preview]\r\nDisplayZoom=100\r\n");
        // An image on layer 1 for 100 frames with 座標, in focus.
        writeFile(project,
                  "[project]\r\nversion=2001802\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nvideo.width=640\r\n"
                  "video.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n[0]\r\nlayer=0\r\n"
                  "focus=1\r\nframe=0,99\r\n[0.0]\r\neffect.name=画像ファイル\r\nファイル=" +
                      (root / "red.png").string() +
                      "\r\n[0.1]\r\neffect.name=座標\r\n[0.2]\r\neffect.name=標準描画\r\n");
    }
    // Opens the context menu at the point and picks its n-th usable item.
    void menuItem(int x, int y, int n) const {
        onDisplay("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 3");
        // The menu's white body under the pointer.
        ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) { return s.pixel(x + 20, y + 8) == 0xFFFFFF; }));
        std::string keys;
        for (int i = 0; i < n; ++i) keys += " Down";
        onDisplay("xdotool key" + keys + " Return");
    }
    // The clipboard's PNG as identify describes it: "width height
    // has-alpha".
    std::string clipboardPicture(const std::string& previous) const {
        std::string described;
        waitFor([&] {
            described = onDisplay("xclip -selection clipboard -t image/png -o 2>/dev/null | identify -format '%w %h %A' - "
                                  "2>/dev/null");
            return !described.empty() && described != previous;
        });
        return described;
    }
};

TEST_F(PreviewHandleTest, DragUndoAndTheContextMenu) {
    E2E::ProgramRun program({{"DISPLAY", display.name()}, {"XDG_DATA_HOME", (root / "home").string()}},
                            std::vector<std::string>{project.string()});
    ASSERT_NE(E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'"), 0u) << program.output();

    // The picture: its red square, 64 pixels wide at 100 %, and the handle
    // at its centre.
    int left = 0, right = 0, top = 0, bottom = 0;
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) {
        left = right = top = bottom = -1;
        for (int y = 30; y < 690; y += 1)
            for (int x = 260; x < 980; x += 1)
                if (s.pixel(x, y) == kRed) {
                    if (left < 0 || x < left) left = x;
                    right = std::max(right, x);
                    if (top < 0) top = y;
                    bottom = y;
                }
        return left > 0 && right - left > 32;
    })) << program.output();
    const int cx = (left + right) / 2, cy = (top + bottom) / 2;

    const std::string original = CoreTest::readBytes(project.string());
    const std::string saved = saveChanged(original);
    // The loaded object keeps its output right after the input.
    ASSERT_EQ(valueIn(saved, "0.2", "effect.name"), "座標") << saved;
    ASSERT_EQ(valueIn(saved, "0.2", "X"), "0.00") << saved;

    // 50 pixels to the right, in steps.
    onDisplay("xdotool mousemove " + std::to_string(cx) + " " + std::to_string(cy) + " mousedown 1 mousemove " +
              std::to_string(cx + 10) + " " + std::to_string(cy) + " mousemove " + std::to_string(cx + 30) + " " +
              std::to_string(cy) + " mousemove " + std::to_string(cx + 50) + " " + std::to_string(cy) + " mouseup 1");
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) {
        return s.pixel(right + 45, cy) == kRed && s.pixel(left + 5, cy) != kRed;
    }));
    const std::string moved = saveChanged(saved);
    EXPECT_EQ(valueIn(moved, "0.2", "X"), "50.00") << moved;
    EXPECT_EQ(valueIn(moved, "0.2", "Y"), "0.00");
    EXPECT_EQ(valueIn(moved, "0.1", "X"), "0.00");  // the output's position stays

    onDisplay("xdotool key ctrl+z");
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) { return s.pixel(right + 45, cy) != kRed; }));
    EXPECT_EQ(saveChanged(moved), saved);

    // On empty picture: nothing to select; the copies are the second and
    // first usable items, after the greyed paste.
    const int emptyX = cx - 200, emptyY = cy - 120;
    menuItem(emptyX, emptyY, 2);
    const std::string transparent = clipboardPicture("");
    EXPECT_EQ(transparent, "640 360 True") << program.output();
    menuItem(emptyX, emptyY, 1);
    EXPECT_EQ(clipboardPicture(transparent), "640 360 False");

    // The XY grid: its centre lines cross the picture's middle.
    menuItem(emptyX, emptyY, 3);
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) {
        return s.pixel(cx, cy - 150) != s.pixel(cx - 7, cy - 150) && s.pixel(cx - 200, cy) != s.pixel(cx - 200, cy - 7);
    }));

    // On the handle: the object is selected before the menu opens, and its
    // outline turns to the selection colour.
    onDisplay("xdotool mousemove " + std::to_string(cx) + " " + std::to_string(cy) + " click 3");
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) { return s.pixel(cx + 20, cy + 8) == 0xFFFFFF; }));
    onDisplay("xdotool key Escape mousemove 300 600");
    EXPECT_TRUE(screenShows([&](const TestSupport::Screenshot& s) {
        return s.count(left - 2, top - 2, left + 2, bottom + 2, 0xFFFF40) > 10;
    }));

    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'")));
    ASSERT_EQ(program.wait(10000), 0) << program.output();
    EXPECT_EQ(valueIn(CoreTest::readBytes((root / "home" / "movane2" / "movane2.ini").string()), "Render.video", "GridXY"),
              "1");
}

}  // namespace
