// The Settings menu in the real program, driven by keys and clicks through
// xdotool as a person would: the backup history dialog shortening the
// recent list, the language dialog switching the menu titles and back,
// and the AVI writer's format dialog reached from the export's save
// dialog, whose choice is what the file holds.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

class SettingMenuProgramTest : public ::testing::Test {
protected:
    // Starts the program on its data folder (with the built-in texts), on
    // the project when one is given.
    void start(const std::string& projectText = {}) {
        fs::create_directories(data());
        std::ofstream(data() / "movane2.ini", std::ios::binary) << "[Translate]\r\nLanguage=\r\n";
        std::vector<std::string> arguments;
        if (!projectText.empty()) {
            std::ofstream(root.path() / "film.mvp2", std::ios::binary) << projectText;
            arguments.push_back((root.path() / "film.mvp2").string());
        }
        program = std::make_unique<E2E::ProgramRun>(
            E2E::testEnvironment(display.name(), root.path() / "home", {{"GSETTINGS_BACKEND", "memory"}}), arguments);
        window = E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window, 0u) << program->output();
    }
    // Closes the program as the window manager's close box does; it must
    // end cleanly without an error logged.
    void close() {
        ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
        EXPECT_EQ(program->wait(10000), 0) << program->output();
        EXPECT_EQ(program->output().find("ERROR"), std::string::npos) << program->output();
        program.reset();
    }
    void TearDown() override {
        if (program) close();
    }

    fs::path data() const { return root.path() / "home" / "movane2"; }
    std::string xdo(const std::string& arguments) const { return E2E::onDisplay(display.name(), "xdotool " + arguments); }
    // Keys to the main window.
    void keys(const std::string& names) const {
        xdo("windowfocus --sync " + std::to_string(window));
        xdo("key --delay 30 " + names);
    }
    // Opens the n-th item (1 first) of the Settings menu from the keyboard.
    void settingsItem(int n) const {
        std::string down;
        for (int i = 0; i < n; ++i) down += " Down";
        keys("F10 Right Right Right" + down + " Return");
    }
    // The visible window with the title, other than those given.
    unsigned long dialog(const std::string& title, unsigned long other = 0) const {
        for (int i = 0; i < 250; ++i) {
            std::istringstream ids(xdo("search --onlyvisible --name '^" + title + "$'"));
            for (unsigned long id = 0; ids >> id;)
                if (id != other && id != window) return id;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return 0;
    }
    bool gone(unsigned long id) const {
        for (int i = 0; i < 250; ++i) {
            if (xdo("search --onlyvisible --name '.'").find(std::to_string(id)) == std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    // Width and height of a window.
    std::pair<int, int> size(unsigned long id) const {
        std::istringstream shell(xdo("getwindowgeometry --shell " + std::to_string(id)));
        int width = 0, height = 0;
        for (std::string line; std::getline(shell, line);) {
            if (line.rfind("WIDTH=", 0) == 0) width = std::atoi(line.c_str() + 6);
            if (line.rfind("HEIGHT=", 0) == 0) height = std::atoi(line.c_str() + 7);
        }
        return {width, height};
    }
    // Waits until the window keeps its size (a chooser is fitted to the
    // screen after it maps).
    void settle(unsigned long id) const {
        std::pair<int, int> last = size(id);
        for (int i = 0; i < 50; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::pair<int, int> now = size(id);
            if (now == last && now.first > 0) return;
            last = now;
        }
    }
    // A click at a point given from the window's bottom-right corner.
    void clickFromCorner(unsigned long id, int right, int bottom) const {
        const auto [width, height] = size(id);
        xdo("mousemove --window " + std::to_string(id) + " " + std::to_string(width - right) + " " +
            std::to_string(height - bottom) + " click 1");
    }
    // A settings dialog's OK button sits at its bottom-right corner.
    void pressOk(unsigned long id) const { clickFromCorner(id, 60, 24); }

    // The menu bar compared with a committed picture: at most 40 pixels
    // differ by more than 10%.
    void expectMenuBar(const std::string& name) const {
        const std::string shot = (root.path() / (name + ".png")).string();
        E2E::onDisplay(display.name(), "import -window root -crop 300x26+0+0 +repage png:" + shot);
        const std::string reference = MOVANE2_SOURCE_DIR "/tests/data/dialogs/" + name + ".png";
        if (std::getenv("MOVANE2_UPDATE_PICTURES")) fs::copy_file(shot, reference, fs::copy_options::overwrite_existing);
        const std::string difference =
            E2E::onDisplay(display.name(), "compare -metric AE -fuzz 10% " + shot + " " + reference + " null: 2>&1");
        EXPECT_LE(std::atoi(difference.c_str()), 40) << difference << " " << shot;
    }

    CoreTest::TempFolder root;
    TestSupport::VirtualDisplay display;
    std::unique_ptr<E2E::ProgramRun> program;
    unsigned long window = 0;
};

TEST_F(SettingMenuProgramTest, ThreeProjectsInTheHistoryLeaveThreeRecentEntries) {
    fs::create_directories(data());
    CoreTest::writeBytes((data() / "history.ini").string(),
                         "[project]\r\n1=/p/e.mvp2\r\n2=/p/d.mvp2\r\n3=/p/c.mvp2\r\n4=/p/b.mvp2\r\n5=/p/a.mvp2\r\n");
    start();
    settingsItem(8);
    const unsigned long box = dialog("バックアップ履歴の設定");
    ASSERT_NE(box, 0u) << program->output();
    settle(box);
    // The last row, "ファイル履歴の最大数".
    clickFromCorner(box, 162, 60);
    xdo("key ctrl+a");
    xdo("type 3");
    pressOk(box);
    ASSERT_TRUE(gone(box));
    close();
    EXPECT_NE(CoreTest::readBytes((data() / "movane2.ini").string()).find("\r\nHistoryFileMax=3\r\n"),
              std::string::npos);
    EXPECT_EQ(CoreTest::readBytes((data() / "history.ini").string()),
              "[project]\r\n1=/p/e.mvp2\r\n2=/p/d.mvp2\r\n3=/p/c.mvp2\r\n");
}

TEST_F(SettingMenuProgramTest, ALanguageFileChangesTheMenuTitlesAndDefaultBringsJapaneseBack) {
    fs::create_directories(data() / "Language");
    CoreTest::writeBytes((data() / "Language" / "test.mvl2").string(),
                         "[Menu]\nファイル=File\n編集=Edit\n表示=View\n設定=Settings\nその他=Other\n");
    start();
    expectMenuBar("menu-japanese");
    settingsItem(14);
    unsigned long box = dialog("言語の設定");
    ASSERT_NE(box, 0u) << program->output();
    settle(box);
    // The list has the focus: End picks its last choice, the test file.
    xdo("key End");
    pressOk(box);
    ASSERT_TRUE(gone(box));
    expectMenuBar("menu-test-language");

    settingsItem(14);
    box = dialog("言語の設定");
    ASSERT_NE(box, 0u) << program->output();
    settle(box);
    xdo("key Home");
    pressOk(box);
    ASSERT_TRUE(gone(box));
    expectMenuBar("menu-japanese");
    close();
    EXPECT_NE(CoreTest::readBytes((data() / "movane2.ini").string()).find("[Translate]\r\nLanguage=\r\n"),
              std::string::npos);
}

TEST_F(SettingMenuProgramTest, TheAviWritersSettingsButtonChoosesTheFormatWritten) {
    start("[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
          "video.width=160\r\nvideo.height=90\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
          "[0]\r\nlayer=1\r\nframe=0,9\r\n[0.0]\r\neffect.name=図形\r\n[0.1]\r\neffect.name=標準描画\r\n");
    // ファイル › ファイル出力 › AVIファイル出力.
    keys("F10 Down Down Down Down Down Down Down Down Right Return");
    const unsigned long chooser = dialog("AVIファイル出力");
    ASSERT_NE(chooser, 0u) << program->output();
    const fs::path out = root.path() / "out.avi";
    // The name box has the focus when the chooser opens.
    xdo("type --delay 10 '" + out.string() + "'");
    // The strip's settings button, left of the filter list.
    settle(chooser);
    clickFromCorner(chooser, 176, 69);
    const unsigned long format = dialog("AVIファイル出力", chooser);
    ASSERT_NE(format, 0u) << program->output();
    settle(format);
    // Video (focused) to its last choice, YUY2; the audio list opened and
    // its last choice, PCM(float)32bit, taken.
    xdo("key End");
    clickFromCorner(format, 168, 57);
    xdo("key --delay 50 End Return");
    pressOk(format);
    ASSERT_TRUE(gone(format));
    // Return in the name box saves.
    xdo("mousemove --window " + std::to_string(chooser) + " 600 33 click 1");
    xdo("key Return");
    for (int i = 0; i < 250 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(40));
    ASSERT_TRUE(fs::exists(out)) << program->output();
    const std::string streams = E2E::commandOutput(
        "ffprobe -v error -show_entries stream=codec_tag_string,pix_fmt,sample_fmt -of compact=p=0 '" + out.string() +
        "'");
    EXPECT_EQ(streams, "codec_tag_string=YUY2|pix_fmt=yuyv422\ncodec_tag_string=[3][0][0][0]|sample_fmt=flt\n");
}

}  // namespace
