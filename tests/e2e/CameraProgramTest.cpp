// The camera control in the real program: a right drag on the preview
// orbits the camera (the picture it sees changes, the saved position
// moves) and one undo puts the saved project back byte for byte; the
// camera icon switches to the free view, which shows the camera's white
// frustum and leaves the camera's items alone.
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

// A saved number, NaN when the key is missing.
double number(const std::string& text) { return text.empty() ? std::nan("") : std::stod(text); }

class CameraProgramTest : public E2E::PictureProgramTest {
protected:
    CameraProgramTest() : PictureProgramTest("camera") {
        writeFile(root / "home" / "movane2" / "movane2.ini",
                  "[Window.preview]\r\nDisplayZoom=100\r\n[Render.video]\r\nCameraGrid=0\r\n");
        // A camera on layer 1, in focus, over an image on layer 2.
        writeFile(project,
                  "[project]\r\nversion=2001802\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nvideo.width=640\r\n"
                  "video.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n[0]\r\nlayer=0\r\n"
                  "focus=1\r\nframe=0,99\r\n[0.0]\r\neffect.name=カメラ制御\r\n[1]\r\nlayer=1\r\nframe=0,99\r\n"
                  "[1.0]\r\neffect.name=画像ファイル\r\nファイル=" +
                      (root / "red.png").string() + "\r\n[1.1]\r\neffect.name=標準描画\r\n");
    }
    // The red columns on a row.
    static int redWidth(const TestSupport::Screenshot& s, int y) { return s.count(200, y, 1100, y + 1, kRed); }
};

TEST_F(CameraProgramTest, ARightDragOrbitsTheCameraAsOneUndoStepAndTheIconSwitchesToTheFreeView) {
    E2E::ProgramRun program({{"DISPLAY", display.name()}, {"XDG_DATA_HOME", (root / "home").string()}},
                            std::vector<std::string>{project.string()});
    ASSERT_NE(E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'"), 0u) << program.output();

    // At the camera's defaults the picture keeps its 64 pixels.
    int left = 0, right = 0, top = 0, bottom = 0;
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) {
        left = right = top = bottom = -1;
        for (int y = 30; y < 690; ++y)
            for (int x = 200; x < 1100; ++x)
                if (s.pixel(x, y) == kRed) {
                    if (left < 0 || x < left) left = x;
                    right = std::max(right, x);
                    if (top < 0) top = y;
                    bottom = y;
                }
        return left > 0 && right - left > 32;
    })) << program.output();
    EXPECT_NEAR(right - left + 1, 64, 2);
    const int cx = (left + right) / 2, cy = (top + bottom) / 2;
    // A row clear of the focus axis through the middle.
    const int row = cy - 12;

    const std::string saved = saveChanged(CoreTest::readBytes(project.string()));
    ASSERT_EQ(valueIn(saved, "0.0", "Z"), "-1024.00") << saved;

    // 400 pixels to the right turn the eye by 72° about the target: the
    // picture is seen from the side, narrower.
    const int from = cx - 200, at = cy + 120;
    onDisplay("xdotool mousemove " + std::to_string(from) + " " + std::to_string(at) + " mousedown 3 mousemove " +
              std::to_string(from + 100) + " " + std::to_string(at) + " mousemove " + std::to_string(from + 250) + " " +
              std::to_string(at) + " mousemove " + std::to_string(from + 400) + " " + std::to_string(at) +
              " mouseup 3");
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) {
        const int width = redWidth(s, row);
        return width > 5 && width < 40;
    }));
    const std::string orbited = saveChanged(saved);
    // Eye = 1024 (sin(π + 2π/5), 0, cos(π + 2π/5)) = (-973.89, 0, -316.43).
    EXPECT_NEAR(number(valueIn(orbited, "0.0", "X")), -973.89, 0.05) << orbited;
    EXPECT_NEAR(number(valueIn(orbited, "0.0", "Z")), -316.43, 0.05);

    onDisplay("xdotool key ctrl+z");
    ASSERT_TRUE(screenShows([&](const TestSupport::Screenshot& s) { return std::abs(redWidth(s, row) - 64) <= 2; }));
    EXPECT_EQ(saveChanged(orbited), saved);

    // The icon at the picture's top right corner: free view shows the
    // camera's frustum from the same place, white lines from the eye.
    const int iconX = cx + 320 - 16, iconY = cy - 180 + 16;
    const auto whiteish = [&](const TestSupport::Screenshot& s) {
        int found = 0;
        for (int y = cy - 170; y < cy + 170; y += 2)
            for (int x = cx - 310; x < cx + 310; x += 2) {
                const std::uint32_t p = s.pixel(x, y);
                const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
                if (r > 90 && std::abs(r - g) < 6 && std::abs(g - b) < 6) ++found;
            }
        return found;
    };
    const int before = whiteish(TestSupport::Screenshot(display.name()));
    onDisplay("xdotool mousemove " + std::to_string(iconX) + " " + std::to_string(iconY) + " click 1");
    // Orbit the free view away so the camera's frustum comes into sight.
    onDisplay("xdotool mousemove " + std::to_string(from) + " " + std::to_string(at) + " mousedown 3 mousemove " +
              std::to_string(from + 60) + " " + std::to_string(at + 30) + " mousemove " + std::to_string(from + 120) +
              " " + std::to_string(at + 60) + " mouseup 3");
    EXPECT_TRUE(screenShows([&](const TestSupport::Screenshot& s) { return whiteish(s) > before + 40; }));
    // The camera itself did not move; the scene keeps the free view's camera.
    const std::string freeView = saveChanged(saved);
    EXPECT_EQ(valueIn(freeView, "0.0", "X"), valueIn(saved, "0.0", "X")) << freeView;
    EXPECT_EQ(valueIn(freeView, "0.0", "Z"), "-1024.00");

    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'")));
    ASSERT_EQ(program.wait(10000), 0) << program.output();
    EXPECT_EQ(valueIn(CoreTest::readBytes((root / "home" / "movane2" / "movane2.ini").string()), "Render.video",
                      "CameraFreeView"),
              "1");
}

}  // namespace
