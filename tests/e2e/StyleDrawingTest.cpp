#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

// The real program with a style of the test in its data folder, on a
// display of the test's own, with the pinned fonts.
class StyleDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data() / "movane2");
        CoreTest::writeBytes((data() / "movane2" / "style.conf").string(),
                             "[Color]\nBackground=304050\nFooter=605040\n");
        CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(), E2E::hiddenPanelsIni());
    }

    fs::path data() const { return folder_.path() / "data"; }

    std::unique_ptr<E2E::ProgramRun> start() {
        return std::make_unique<E2E::ProgramRun>(E2E::testEnvironment(display_.name(), data()));
    }

    unsigned long waitForMainWindow() const {
        return E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
    }

    // The 1280 x 720 window shows the background above the footer, whose
    // top row is footerTop. A shown panel's one-pixel frame lies on that
    // row, so the footer is sampled just below it.
    bool screenShows(std::uint32_t background, std::uint32_t footer, int footerTop = 696) const {
        for (int i = 0; i < 100; ++i) {
            const TestSupport::Screenshot screen(display_.name());
            if (screen.pixel(640, 300) == background && screen.pixel(640, footerTop - 1) == background &&
                screen.pixel(10, footerTop + 1) == footer && screen.pixel(1270, 719) == footer)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Starts the program, checks the colours of its window on the screen,
    // and closes it.
    void runUntilTheScreenShows(std::uint32_t background, std::uint32_t footer, int footerTop = 696) {
        auto program = start();
        const unsigned long window = waitForMainWindow();
        ASSERT_NE(window, 0u) << program->output();
        EXPECT_TRUE(screenShows(background, footer, footerTop)) << program->output();
        ASSERT_TRUE(E2E::sendDeleteWindow(display_.name(), window));
        EXPECT_EQ(program->wait(10000), 0) << program->output();
    }

    std::string logText() const {
        std::string text;
        for (const auto& entry : fs::directory_iterator(data() / "movane2" / "Log"))
            text += CoreTest::readBytes(entry.path().string());
        return text;
    }

    TestSupport::VirtualDisplay display_;
    CoreTest::TempFolder folder_;
};

TEST_F(StyleDrawingTest, TheWindowIsDrawnInTheStylesColoursAndTheFontsAreRegistered) {
    // INFO lines go to the log file too.
    CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(), E2E::hiddenPanelsIni() + "[Logger]\r\nFileLogLevel=2\r\n");
    runUntilTheScreenShows(0x304050, 0x605040);

    const std::string log = logText();
    EXPECT_NE(log.find("register font [Noto Sans CJK JP]*"), std::string::npos) << log;
    EXPECT_NE(log.find("register font [DejaVu Sans]*"), std::string::npos);
    const std::string ini = CoreTest::readBytes((data() / "movane2" / "movane2.ini").string());
    EXPECT_NE(ini.find("[Font.Noto Sans CJK JP]\r\nlabel=\r\n"), std::string::npos) << ini;
}

TEST_F(StyleDrawingTest, AnotherStyleColourChangesThePicture) {
    CoreTest::writeBytes((data() / "movane2" / "style.conf").string(),
                         "[Color]\nBackground=5a1e1e\nFooter=1e5a1e\n");
    runUntilTheScreenShows(0x5a1e1e, 0x1e5a1e);
}

TEST_F(StyleDrawingTest, TheFooterIsAsHighAsTheStyleSays) {
    CoreTest::writeBytes((data() / "movane2" / "style.conf").string(),
                         "[Color]\nBackground=304050\nFooter=605040\n[Layout]\nFooterHeight=40\n");
    runUntilTheScreenShows(0x304050, 0x605040, 720 - 40);
}

// A desktop at 144 dpi (the font resolution its settings daemon announces)
// scales the style's sizes by 1.5: the shipped 24-pixel footer is 36 high.
TEST_F(StyleDrawingTest, OnAHighDpiDesktopTheFooterIsScaled) {
    const fs::path conf = folder_.path() / "xsettingsd.conf";
    CoreTest::writeBytes(conf.string(), "Xft/DPI " + std::to_string(144 * 1024) + "\n");
    const fs::path said = folder_.path() / "xsettingsd.out";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string displayVariable = "DISPLAY=" + display_.name();
    const char* const arguments[] = {"xsettingsd", "-c", conf.c_str(), nullptr};
    const char* const environment[] = {displayVariable.c_str(), nullptr};
    pid_t daemon = -1;
    const int spawned = posix_spawnp(&daemon, "xsettingsd", &actions, nullptr, const_cast<char* const*>(arguments),
                                     const_cast<char* const*>(environment));
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(spawned, 0) << "xsettingsd is not installed";
    const auto announced = [&] {
        return CoreTest::readBytes(said.string()).find("Took ownership") != std::string::npos;
    };
    for (int i = 0; i < 200 && !announced(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(announced()) << CoreTest::readBytes(said.string());
    runUntilTheScreenShows(0x304050, 0x605040, 720 - 36);
    kill(daemon, SIGTERM);
    waitpid(daemon, nullptr, 0);
}

}  // namespace
