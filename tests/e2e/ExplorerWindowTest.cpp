// The media explorer in the real program: it opens the folder stored for
// it, enters a folder on a double click and keeps the folder and the sort
// column chosen by header clicks in the settings file.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The column header band, painted in this colour (the style's ButtonBody).
constexpr std::uint32_t kHeader = 0xff00ff;
// x of a header pixel left of the second column's title.
constexpr int kProbeX = 222;

class ExplorerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data() / "movane2");
        fs::create_directories(home() / "media" / "clips");
        for (const char* name : {"take10.png", "take2.png", "take1.png"}) std::ofstream(home() / "media" / name) << "x";
        CoreTest::writeBytes((data() / "movane2" / "style.conf").string(), "[Color]\nButtonBody=ff00ff\n");
        CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(),
                             "[Window.scene.list]\r\nhide=1\r\n[Window.object.list]\r\nhide=1\r\n");
    }
    fs::path data() const { return folder_.path() / "data"; }
    fs::path home() const { return folder_.path() / "home"; }
    void xdotool(const std::string& arguments) { E2E::onDisplay(display_.name(), "xdotool " + arguments); }

    // The header band's top and height, once the view has painted it.
    bool findHeader(int& top, int& height) {
        for (int i = 0; i < 100; ++i) {
            const TestSupport::Screenshot screen(display_.name());
            for (int y = 0; !screen.empty() && y < screen.height(); ++y) {
                if (screen.pixel(kProbeX, y) != kHeader) continue;
                int end = y;
                while (end < screen.height() && screen.pixel(kProbeX, end) == kHeader) ++end;
                top = y;
                height = end - y + 1;  // the band and its bottom border line
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    E2E::ProgramRun start() {
        return E2E::ProgramRun(E2E::testEnvironment(display_.name(), data(), {{"HOME", home().string()}}));
    }

    TestSupport::VirtualDisplay display_;
    CoreTest::TempFolder folder_;
};

TEST_F(ExplorerWindowTest, DoubleClickEntersAFolderAndHeaderClicksKeepTheSortColumn) {
    E2E::ProgramRun program = start();
    const unsigned long window = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
    ASSERT_NE(window, 0u) << program.output();
    int top = 0, row = 0;
    ASSERT_TRUE(findHeader(top, row)) << program.output();
    // The home folder holds "media" alone: the first row.
    const std::string first = std::to_string(top + row + row / 2);
    xdotool("mousemove 40 " + first + " click --repeat 2 --delay 60 1");
    // Two clicks on the name header: ascending, then descending.
    const std::string header = std::to_string(top + row / 2);
    xdotool("mousemove 30 " + header + " click 1");
    xdotool("mousemove 30 " + header + " click 1");
    EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window));
    ASSERT_EQ(program.wait(10000), 0) << program.output();

    const std::string ini = CoreTest::readBytes((data() / "movane2" / "movane2.ini").string());
    const std::string media = (home() / "media").string();
    EXPECT_NE(ini.find("FolderPath=" + media + "\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("SortColumn={B725F130-47EF-101A-A5F1-02608C9EEBAC} 10\r\nSortDirection=-1\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find("ColumnNum=3\r\n"), std::string::npos) << ini;
}

TEST_F(ExplorerWindowTest, TheContextMenuBookmarksTheFolderUnderItsLastNameInExplorerIni) {
    E2E::ProgramRun program = start();
    const unsigned long window = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
    ASSERT_NE(window, 0u) << program.output();
    int top = 0, row = 0;
    ASSERT_TRUE(findHeader(top, row)) << program.output();
    // Below the rows, on the view: the panel's menu, whose first item adds
    // the folder; the name prompt comes prefilled with the folder's name.
    xdotool("mousemove 60 " + std::to_string(top + 6 * row) + " click 3");
    xdotool("key --delay 100 Down Return");
    ASSERT_NE(E2E::waitForWindow(display_.name(), "--name 'ブックマークの追加'"), 0u) << program.output();
    xdotool("key Return");
    EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window));
    ASSERT_EQ(program.wait(10000), 0) << program.output();
    EXPECT_EQ(CoreTest::readBytes((data() / "movane2" / "explorer.ini").string()),
              "[bookmark.0]\r\nname=home\r\npath=" + home().string() + "\r\n");
}

// What a person sees of the first explorer in a fixture folder: the
// back, forward and parent buttons and the names in natural order (the
// path, which differs from run to run, and the date column left out),
// compared with committed pictures.
TEST_F(ExplorerWindowTest, TheButtonsAndTheNamesInNaturalOrderLookAsTheReference) {
    E2E::ProgramRun program = start();
    const unsigned long window = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
    ASSERT_NE(window, 0u) << program.output();
    int top = 0, row = 0;
    ASSERT_TRUE(findHeader(top, row)) << program.output();
    xdotool("mousemove 40 " + std::to_string(top + row + row / 2) + " click --repeat 2 --delay 60 1");
    // clips, take1.png, take2.png, take10.png: the fourth row fills.
    const int listHeight = row * 5;
    const auto compare = [&](const std::string& name, int x, int y, int width, int height) {
        const std::string shot = (folder_.path() / (name + ".png")).string();
        const std::string reference = MOVANE2_SOURCE_DIR "/tests/data/e2e/explorer-" + name + ".png";
        int difference = -1;
        for (int i = 0; i < 50 && difference != 0; ++i) {
            E2E::onDisplay(display_.name(), "import -window root -crop " + std::to_string(width) + "x" +
                                                std::to_string(height) + "+" + std::to_string(x) + "+" +
                                                std::to_string(y) + " +repage png:" + shot);
            if (std::getenv("MOVANE2_UPDATE_PICTURES")) fs::copy_file(shot, reference, fs::copy_options::overwrite_existing);
            difference = std::atoi(
                E2E::onDisplay(display_.name(), "compare -metric AE -fuzz 10% " + shot + " " + reference + " null: 2>&1")
                    .c_str());
            if (difference > 40) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            else break;
        }
        // Within 40 pixels, each within 10% of the reference's colour.
        EXPECT_LE(difference, 40) << name << " " << shot;
    };
    compare("buttons", 0, top - row - 4, 72, row);
    compare("names", 0, top, 160, listHeight);
    EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window));
    ASSERT_EQ(program.wait(10000), 0) << program.output();
}

}  // namespace
