// The object settings window in the real program: a project whose focus
// object carries filters opens with one block per effect; the enable
// check, dragging a filter's header, the gauge menu and the block menu
// change the project the program writes when it closes.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kBackground = 0x1E1E1E;
constexpr std::uint32_t kText = 0xD4D4D4;
// The column the block separators are looked for in (left of every row's
// margin).
constexpr int kColumn = 3;

std::string projectText(const std::string& frames, const std::vector<std::string>& filters) {
    std::string text =
        "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
        "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
        "[0]\r\nlayer=0\r\nframe=" + frames + "\r\nfocus=1\r\n[0.0]\r\neffect.name=図形\r\n[0.1]\r\neffect.name=標準描画\r\n";
    for (std::size_t i = 0; i < filters.size(); ++i)
        text += "[0." + std::to_string(i + 2) + "]\r\neffect.name=" + filters[i] + "\r\n";
    return text;
}

class SettingWindowTest : public ::testing::Test {
protected:
    fs::path data() const { return folder_.path() / "data"; }

    void start(const std::string& project) {
        fs::create_directories(data() / "movane2");
        // Only the settings window in the main window; the project comes
        // back in the resume file when the program closes.
        std::string ini = E2E::hiddenPanelsIni();
        const std::string setting = "[Window.setting]\r\nhide=1\r\n";
        ini.erase(ini.find(setting), setting.size());
        CoreTest::writeBytes((data() / "movane2" / "movane2.ini").string(), ini + "[Edit]\r\nEditResume=1\r\n");
        const fs::path file = folder_.path() / "film.mvp2";
        CoreTest::writeBytes(file.string(), project);
        const std::vector<std::string> arguments{file.string()};
        program_ = std::make_unique<E2E::ProgramRun>(
            E2E::testEnvironment(display_.name(), data()),
            arguments);
        window_ = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window_, 0u) << program_->output();
    }

    // The tops of the blocks on the screen: each begins with a separator
    // two pixels high in the background colour.
    static std::vector<int> blockTops(const TestSupport::Screenshot& screen) {
        std::vector<int> tops;
        for (int y = 1; y + 2 < screen.height(); ++y) {
            if (screen.pixel(kColumn, y - 1) != kBackground && screen.pixel(kColumn, y) == kBackground &&
                screen.pixel(kColumn, y + 1) == kBackground && screen.pixel(kColumn, y + 2) != kBackground)
                tops.push_back(y);
        }
        return tops;
    }

    // Waits (about ten seconds at most) until the screen shows `count` blocks.
    std::vector<int> waitForBlocks(std::size_t count) {
        std::vector<int> tops;
        for (int i = 0; i < 100; ++i) {
            const TestSupport::Screenshot screen(display_.name());
            tops = blockTops(screen);
            if (tops.size() == count) return tops;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return tops;
    }

    // The rightmost pixel in the text colour on the header row of the block
    // at top: the enable check, the first switch from the right.
    int enableCheckX(int top) {
        const TestSupport::Screenshot screen(display_.name());
        for (int x = screen.width() - 1; x > 0; --x)
            for (int y = top + 4; y < top + 20; ++y)
                if (screen.pixel(x, y) == kText) return x;
        return -1;
    }

    void xdo(const std::string& arguments) { E2E::onDisplay(display_.name(), "xdotool " + arguments); }

    // Closes the program and returns the chain of the saved object: its
    // effect names, with " off" after a disabled one.
    std::vector<std::string> closeAndReadChain(std::string* frames = nullptr) {
        EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window_));
        // The edited project asks whether it may be discarded: OK.
        const unsigned long box = questionBox();
        EXPECT_NE(box, 0u) << program_->output();
        if (box) xdo("windowfocus --sync " + std::to_string(box) + " key Return");
        EXPECT_EQ(program_->wait(10000), 0) << program_->output();
        std::istringstream lines(CoreTest::readBytes(data() / "movane2" / "resume.mvp2"));
        std::vector<std::string> chain;
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("effect.name=", 0) == 0) chain.push_back(line.substr(12));
            if (line == "effect.disable=1" && !chain.empty()) chain.back() += " off";
            if (frames && line.rfind("frame=", 0) == 0) *frames = line.substr(6);
        }
        return chain;
    }

    // A visible window with the program's title that is not the main window.
    unsigned long questionBox() {
        for (int i = 0; i < 500; ++i) {
            std::istringstream ids(E2E::onDisplay(display_.name(), "xdotool search --onlyvisible --name '^Movane Quorin2$'"));
            for (std::string id; std::getline(ids, id);)
                if (!id.empty() && std::stoul(id) != window_) return std::stoul(id);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return 0;
    }

    // The number of the program's visible windows: a popup menu adds one.
    int visibleWindows() {
        std::istringstream ids(E2E::onDisplay(display_.name(), "xdotool search --onlyvisible --classname movane2"));
        int count = 0;
        for (std::string id; std::getline(ids, id);) count += !id.empty();
        return count;
    }
    // Right-clicks at the point, waits for the popup menu, picks its item
    // by keys and waits for the menu to go.
    void pickFromMenu(int x, int y, const std::string& keys) {
        const int before = visibleWindows();
        xdo("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 3");
        for (int i = 0; i < 200 && visibleWindows() == before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_GT(visibleWindows(), before) << "no menu";
        xdo("key " + keys);
        for (int i = 0; i < 200 && visibleWindows() != before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    using Chain = std::vector<std::string>;

    CoreTest::TempFolder folder_;
    TestSupport::VirtualDisplay display_;
    std::unique_ptr<E2E::ProgramRun> program_;
    unsigned long window_ = 0;
};

TEST_F(SettingWindowTest, TheFocusObjectShowsThreeBlocksAndTheEnableCheckTurnsAFilterOff) {
    start(projectText("0,99", {"ぼかし", "透明度"}));
    const std::vector<int> tops = waitForBlocks(3);
    ASSERT_EQ(tops.size(), 3u) << program_->output();

    // The first block's title: the input, then its output in brackets.
    const std::string shot = (folder_.path() / "header.png").string();
    E2E::onDisplay(display_.name(), "import -window root -crop 160x22+0+" + std::to_string(tops[0] + 2) +
                                        " +repage png:" + shot);
    const std::string reference = MOVANE2_SOURCE_DIR "/tests/data/settings/first-header.png";
    if (std::getenv("MOVANE2_UPDATE_PICTURES")) fs::copy_file(shot, reference, fs::copy_options::overwrite_existing);
    const std::string difference =
        E2E::onDisplay(display_.name(), "compare -metric AE -fuzz 10% " + shot + " " + reference + " null: 2>&1");
    EXPECT_LE(std::atoi(difference.c_str()), 40) << difference << " " << shot;

    const int x = enableCheckX(tops[1]);
    ASSERT_GT(x, 0);
    xdo("mousemove " + std::to_string(x - 3) + " " + std::to_string(tops[1] + 12) + " click 1");
    // The check goes dark.
    for (int i = 0; i < 100 && enableCheckX(tops[1]) == x; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(closeAndReadChain(), (Chain{"図形", "標準描画", "ぼかし off", "透明度"}));
}

// The shortcuts reach the program while a field of the window is being
// typed in: Ctrl+S ends the field's edit and saves, Ctrl+Z undoes.
TEST_F(SettingWindowTest, CtrlSAndCtrlZWorkWhileAFieldHasTheFocus) {
    start(projectText("0,99", {"ぼかし", "透明度"}));
    const std::vector<int> tops = waitForBlocks(3);
    ASSERT_EQ(tops.size(), 3u) << program_->output();
    const fs::path file = folder_.path() / "film.mvp2";
    const auto saveAndRead = [&](const std::string& keys) {
        fs::remove(file);
        xdo("key " + keys + " ctrl+s");
        for (int i = 0; i < 100 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return fs::exists(file) ? CoreTest::readBytes(file.string()) : std::string();
    };
    const int x = enableCheckX(tops[1]);
    ASSERT_GT(x, 0);
    xdo("mousemove " + std::to_string(x - 3) + " " + std::to_string(tops[1] + 12) + " click 1");
    // The colour row's text field (above the last row of the first block)
    // takes the keys.
    xdo("mousemove 188 " + std::to_string(tops[1] - 36) + " click 1");
    xdo("type --delay 30 ff8000");
    const std::string saved = saveAndRead("");
    EXPECT_NE(saved.find("\r\neffect.disable=1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\n色=ff8000\r\n"), std::string::npos) << saved;
    // The typed colour is one step, the check another.
    const std::string once = saveAndRead("ctrl+z");
    EXPECT_NE(once.find("\r\n色=ffffff\r\n"), std::string::npos) << once;
    EXPECT_NE(once.find("\r\neffect.disable=1\r\n"), std::string::npos) << once;
    const std::string twice = saveAndRead("ctrl+z");
    EXPECT_EQ(twice.find("effect.disable=1"), std::string::npos) << twice;
    // Saved: the program closes without asking.
    EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window_));
    EXPECT_EQ(program_->wait(10000), 0) << program_->output();
}

TEST_F(SettingWindowTest, DraggingAFiltersHeaderAboveAnotherSwapsThem) {
    start(projectText("0,99", {"ぼかし", "透明度"}));
    const std::vector<int> tops = waitForBlocks(3);
    ASSERT_EQ(tops.size(), 3u) << program_->output();
    const int from = tops[2] + 12;
    xdo("mousemove 100 " + std::to_string(from) + " mousedown 1");
    for (int y = from; y >= tops[1] + 2; y -= 4) xdo("mousemove 100 " + std::to_string(y));
    xdo("mousemove 100 " + std::to_string(tops[1] + 2) + " mouseup 1");
    // The blocks trade places on the screen at once.
    const std::vector<int> after = waitForBlocks(3);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(closeAndReadChain(), (Chain{"図形", "標準描画", "透明度", "ぼかし"}));
}

TEST_F(SettingWindowTest, TheGaugeMenuSpacesTheMidPointsEvenly) {
    start(projectText("0,10,20,30,99", {}));
    const std::vector<int> tops = waitForBlocks(1);
    ASSERT_EQ(tops.size(), 1u) << program_->output();
    // Over the gauge, above the first block. The first two items are greyed
    // with the cursor at the start.
    pickFromMenu(300, tops[0] - 20, "Down Return");
    std::string frames;
    closeAndReadChain(&frames);
    EXPECT_EQ(frames, "0,25,50,75,99");
}

TEST_F(SettingWindowTest, CopyAndPasteFromTheBlockMenuPutTheCopyAfterTheBlock) {
    start(projectText("0,99", {"ぼかし", "透明度", "回転"}));
    const std::vector<int> tops = waitForBlocks(4);
    ASSERT_EQ(tops.size(), 4u) << program_->output();
    // The block menu of ぼかし: add, remove, cut, copy.
    pickFromMenu(100, tops[1] + 12, "Down Down Down Down Return");
    // The block menu of 回転: add, remove, cut, copy, paste.
    pickFromMenu(100, tops[3] + 12, "Down Down Down Down Down Return");
    EXPECT_EQ(closeAndReadChain(), (Chain{"図形", "標準描画", "ぼかし", "透明度", "回転", "ぼかし"}));
}

}  // namespace
