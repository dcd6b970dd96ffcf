#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kBackground = 0x102030;
// The colour of INFO lines.
constexpr std::uint32_t kInfo = 0xFFFFFF;

// The real program with the log window's keys in its settings file, on a
// display of the test's own.
class LogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data() / "movane2");
        CoreTest::writeBytes((data() / "movane2" / "style.conf").string(), "[Color]\nBackground=102030\n");
    }

    fs::path data() const { return folder_.path() / "data"; }

    // Starts the program, waits until the 1280 x 720 window's area above
    // the footer shows what check wants (about ten seconds at most), and
    // closes it.
    bool runUntil(const std::function<bool(const TestSupport::Screenshot&)>& check) {
        E2E::ProgramRun program(E2E::testEnvironment(display_.name(), data()));
        const unsigned long window = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
        EXPECT_NE(window, 0u) << program.output();
        if (!window) return false;
        bool seen = false;
        for (int i = 0; i < 100 && !seen; ++i) {
            const TestSupport::Screenshot screen(display_.name());
            seen = !screen.empty() && check(screen);
            if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window));
        EXPECT_EQ(program.wait(10000), 0) << program.output();
        return seen;
    }

    TestSupport::VirtualDisplay display_;
    CoreTest::TempFolder folder_;
};

TEST_F(LogWindowTest, ShownItFillsItsAreaWithStartUpLinesInTheirLevelColour) {
    CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(),
                         E2E::hiddenPanelsIni() + "[Window.log]\r\nhide=0\r\n");
    int text = 0;
    int bottom = 0;
    int background = 0;
    const bool shown = runUntil([&](const TestSupport::Screenshot& screen) {
        // The lines, left of the scroll bar and below the title band.
        text = screen.count(0, 30, 1200, 690, kInfo);
        background = screen.count(0, 30, 1200, 690, kBackground);
        // The newest lines sit at the bottom: the lowest line band has text.
        bottom = screen.count(0, 670, 400, 694, kInfo);
        return text > 300 && bottom > 5;
    });
    EXPECT_TRUE(shown) << text << " text pixels, " << bottom << " in the lowest line";
    // Text on the style's background, not a blank or foreign fill.
    EXPECT_GT(background, 1200 * 660 / 2);
}

TEST_F(LogWindowTest, HiddenByDefault) {
    CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(), E2E::hiddenPanelsIni());
    int text = -1;
    runUntil([&](const TestSupport::Screenshot& screen) {
        text = screen.count(0, 0, 1280, 690, kInfo);
        return screen.count(0, 0, 1280, 690, kBackground) > 1280 * 690 / 2;
    });
    EXPECT_EQ(text, 0);
}

}  // namespace
