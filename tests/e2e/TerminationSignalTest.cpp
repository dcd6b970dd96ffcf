#include "e2e/ProgramRun.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A session that ends (SIGTERM) or a terminal that is closed (SIGHUP) or
// interrupted (SIGINT) ends the program in order: the exit code is 0 and the
// settings file is written, as after closing the main window.
TEST(TerminationSignalTest, EndsTheProgramInOrder) {
    TestSupport::VirtualDisplay display;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        char pattern[] = "/tmp/movane2-signal-XXXXXX";
        const fs::path home = mkdtemp(pattern);
        {
            E2E::ProgramRun program({{"DISPLAY", display.name()}, {"XDG_DATA_HOME", home.string()}});
            bool shown = false;
            for (int i = 0; i < 500 && !shown; ++i) {
                shown = !E2E::commandOutput("DISPLAY=" + display.name() +
                                            " xdotool search --classname '^movane2Manager$' 2>/dev/null")
                             .empty();
                if (!shown) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            ASSERT_TRUE(shown) << program.output();
            program.signal(signal);
            EXPECT_EQ(program.wait(10000), 0) << program.output();
        }
        EXPECT_TRUE(fs::exists(home / "movane2" / "movane2.ini"));
        fs::remove_all(home);
    }
}

}  // namespace
