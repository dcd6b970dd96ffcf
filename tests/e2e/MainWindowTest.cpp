#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using E2E::commandOutput;

const std::string kCaption = "Movane Quorin2 [" MOVANE2_VERSION "] : Application Exception";

// The real program on a display of the test's own.
class MainWindowTest : public ::testing::Test {
protected:
    std::string onDisplay(const std::string& command) const {
        return commandOutput("DISPLAY=" + display.name() + " " + command + " 2>/dev/null");
    }

    // The id of the first window of the program's class, 0 until it exists.
    unsigned long waitForMainWindow() const {
        return E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
    }

    // "#RRGGBB" of a screen pixel.
    std::string screenPixel(int x, int y) const {
        const std::string text = onDisplay(
            "import -window root png:- | convert png:- -crop 1x1+" + std::to_string(x) + "+" +
            std::to_string(y) + " -depth 8 txt:-");
        const auto hash = text.find('#', text.find("0,0:"));
        return hash == std::string::npos ? "" : text.substr(hash, 7);
    }

    static std::vector<std::string> traceLines(const std::string& output, const char* prefix) {
        std::vector<std::string> names;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(prefix, 0) == 0) names.push_back(line.substr(std::string(prefix).size()));
        return names;
    }

    TestSupport::VirtualDisplay display;
};

TEST_F(MainWindowTest, ShowsTheMainWindowAndEndsWithZeroWhenClosed) {
    // The panels hidden: the empty docking area shows.
    const E2E::TempFolder data;
    std::filesystem::create_directories(data.path() / "movane2");
    std::ofstream(data.path() / "movane2" / "movane2.ini", std::ios::binary) << E2E::hiddenPanelsIni();
    E2E::ProgramRun program(
        {{"DISPLAY", display.name()}, {"MOVANE2_STARTUP_TRACE", "1"}, {"XDG_DATA_HOME", data.path().string()}});
    const unsigned long window = waitForMainWindow();
    ASSERT_NE(window, 0u) << program.output();
    const std::string id = std::to_string(window);

    EXPECT_EQ(onDisplay("xprop -id " + id + " WM_CLASS"),
              "WM_CLASS(STRING) = \"movane2Manager\", \"movane2Manager\"\n");
    EXPECT_EQ(onDisplay("xprop -id " + id + " _NET_WM_NAME"),
              "_NET_WM_NAME(UTF8_STRING) = \"Movane Quorin2\"\n");
    const std::string geometry = onDisplay("xdotool getwindowgeometry " + id);
    EXPECT_NE(geometry.find("Position: 0,0"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 1280x720"), std::string::npos) << geometry;

    // A dark editor area above the footer bar.
    std::string background;
    for (int i = 0; i < 40 && background != "#1E1E1E"; ++i) background = screenPixel(640, 300);
    EXPECT_EQ(background, "#1E1E1E");
    EXPECT_EQ(screenPixel(640, 719), "#2D2D30");

    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
    EXPECT_EQ(program.wait(10000), 0) << program.output();

    const std::string output = program.output();
    std::vector<std::string> created = traceLines(output, "startup: create ");
    const std::vector<std::string> released = traceLines(output, "startup: release ");
    EXPECT_NE(std::find(created.begin(), created.end(), "Window::WindowService"), created.end())
        << output;
    const auto audio = std::find(created.begin(), created.end(), "Media::XAudio2Service");
    ASSERT_NE(audio, created.end()) << output;
    ASSERT_NE(audio + 1, created.end()) << output;
    EXPECT_EQ(audio[1], "Resource::ResourceService") << output;
    std::reverse(created.begin(), created.end());
    EXPECT_EQ(released, created) << output;
}

TEST(StartUpFailureTest, WithoutADisplayTheFailureIsReportedAndTheExitCodeIsOne) {
    E2E::ProgramRun program({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    EXPECT_EQ(program.wait(10000), 1);
    const std::string output = program.output();
    EXPECT_NE(output.find(kCaption + "\ngtk_init_check() failed."), std::string::npos) << output;
    EXPECT_NE(output.find("[Place]\nwWinMain()"), std::string::npos) << output;
}

}  // namespace
