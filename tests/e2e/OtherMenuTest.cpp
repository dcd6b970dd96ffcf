// The その他 menu of the real program, driven from the keyboard: a data
// folder goes to the desktop's opener (a stub xdg-open first on PATH that
// writes down its arguments), and the version box shows with the
// product's caption, owned by the main window.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class OtherMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root.path() / "bin");
        const fs::path stub = root.path() / "bin" / "xdg-open";
        CoreTest::writeBytes(stub.string(), "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + opened().string() + ".part'\nmv '" +
                                                opened().string() + ".part' '" + opened().string() + "'\n");
        fs::permissions(stub, fs::perms::owner_all);
        const std::string path = (root.path() / "bin").string() + ":" + std::getenv("PATH");
        program = std::make_unique<E2E::ProgramRun>(
            E2E::testEnvironment(display.name(), root.path() / "home", {{"PATH", path}}));
        window = E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window, 0u) << program->output();
    }
    void TearDown() override {
        if (window) E2E::sendDeleteWindow(display.name(), window);
        EXPECT_EQ(program->wait(10000), 0) << program->output();
        EXPECT_EQ(program->output().find("ERROR"), std::string::npos) << program->output();
    }

    fs::path opened() const { return root.path() / "opened.txt"; }
    std::string run(const std::string& command) const { return E2E::onDisplay(display.name(), command); }
    // F10 opens the bar's first menu; Left wraps round to その他.
    void otherMenu(const std::string& keys) const {
        run("xdotool windowfocus --sync " + std::to_string(window));
        run("xdotool key --delay 80 F10 Left " + keys);
    }
    static bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 100; ++i) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    CoreTest::TempFolder root;
    TestSupport::VirtualDisplay display;
    std::unique_ptr<E2E::ProgramRun> program;
    unsigned long window = 0;
};

TEST_F(OtherMenuTest, TheLogFolderItemHandsTheFolderToTheOpenerAsOneArgument) {
    // プラグイン情報, スクリプト情報, アプリケーションデータ; its ninth item.
    otherMenu("Down Down Down Right Down Down Down Down Down Down Down Down Return");
    ASSERT_TRUE(waitFor([&] { return fs::exists(opened()); })) << program->output();
    EXPECT_EQ(CoreTest::readBytes(opened().string()), "1\n" + (root.path() / "home" / "movane2" / "Log").string() + "/\n");
}

TEST_F(OtherMenuTest, TheVersionBoxHasTheProductCaptionAndBelongsToTheMainWindow) {
    // Up from nothing selected: the last item.
    otherMenu("Up Return");
    // The main window (class movane2Manager) has the same title while no
    // project is open; the box is the program's only other window.
    const std::string boxSearch = "--onlyvisible --classname '^movane2$'";
    const unsigned long box = E2E::waitForWindow(display.name(), boxSearch);
    ASSERT_NE(box, 0u) << program->output();
    EXPECT_EQ(run("xprop -id " + std::to_string(box) + " WM_NAME"), "WM_NAME(STRING) = \"Movane Quorin2\"\n");
    const std::string owner = run("xprop -id " + std::to_string(box) + " WM_TRANSIENT_FOR");
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", window);
    EXPECT_EQ(owner, "WM_TRANSIENT_FOR(WINDOW): window id # " + std::string(hex) + "\n");
    run("xdotool windowfocus --sync " + std::to_string(box) + " key Return");
    EXPECT_TRUE(waitFor([&] { return run("xdotool search " + boxSearch).empty(); }));
}

}  // namespace
