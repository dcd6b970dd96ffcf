// The object list, the scene list, the log window's copy and the window
// title in the real program: driven with xdotool on a display of the
// test's own, checked on the screen, the clipboard, the window's name and
// the project the program writes when it closes (the resume file).
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The shipped style: rows 22 pixels high (a 2-pixel line below each).
constexpr std::uint32_t kBackground = 0x1E1E1E;
constexpr std::uint32_t kRowBody = 0x3C3C3C;
constexpr std::uint32_t kRowSelected = 0x0E639C;
constexpr std::uint32_t kText = 0xD4D4D4;
// The top of the first row (below the menu bar and the title band), found
// on the screen: the current scene's row is highlighted.
int firstRowTop = 0;
int rowY(int row) { return firstRowTop + 22 * row + 10; }
// With only the lists docked (and the log window where shown): the scene
// list at the left, the object list at the right; the enable button ends 3
// pixels before the right edge.
constexpr int kSceneX = 300;
constexpr int kObjectX = 900;
constexpr int kEnableX = 1269;

std::string scene(int index, int id, const char* name, const char* extra = "") {
    return "[scene." + std::to_string(index) + "]\r\nscene=" + std::to_string(id) + "\r\nname=" + name +
           "\r\nvideo.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n" +
           extra;
}

std::string object(int index, int layer, const char* frames, const char* effect, const char* output) {
    const std::string n = std::to_string(index);
    std::string text = "[" + n + "]\r\nlayer=" + std::to_string(layer) + "\r\nframe=" + frames + "\r\n[" + n +
                       ".0]\r\neffect.name=" + effect + "\r\n";
    if (*output) text += "[" + n + ".1]\r\neffect.name=" + output + "\r\n";
    return text;
}

// Three scenes; at scene 0's cursor (frame 10) a figure on layer 0 and a
// blur on layer 2, which holds a second figure after the blur.
std::string threeScenes() {
    return "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n" + scene(0, 0, "Root", "cursor.frame=10\r\n") +
           scene(1, 1, "First") + scene(2, 2, "Second") + object(0, 0, "0,99", "図形", "標準描画") +
           object(1, 2, "5,50", "ぼかし", "") + object(2, 2, "51,99", "図形", "標準描画");
}

class ListPanelsTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(data()); }

    fs::path data() const { return root_.path() / "home" / "movane2"; }
    fs::path project() const { return root_.path() / "film.mvp2"; }

    // The project resumes at exit, so closing the window saves it.
    void start(const std::string& ini, const std::vector<std::string>& arguments = {}) {
        // Every other panel hidden, so the lists keep their places.
        std::string hidden = E2E::hiddenPanelsIni();
        for (const std::string shown : {"[Window.scene.list]\r\nhide=1\r\n", "[Window.object.list]\r\nhide=1\r\n"})
            if (const std::size_t at = hidden.find(shown); at != std::string::npos) hidden.erase(at, shown.size());
        CoreTest::writeBytes((data() / "movane2.ini").string(), hidden + "[Edit]\r\nEditResume=1\r\n" + ini);
        program_ = std::make_unique<E2E::ProgramRun>(
            E2E::testEnvironment(display_.name(), (root_.path() / "home")),
            arguments);
        window_ = E2E::waitForWindow(display_.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window_, 0u) << program_->output();
        ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) {
            for (int y = 0; y < 200; ++y)
                if (s.pixel(100, y) == kRowSelected) return (firstRowTop = y), true;
            return false;
        }));
    }
    void startWithProject(const std::string& text, const std::string& ini = "") {
        CoreTest::writeBytes(project().string(), text);
        start(ini, {project().string()});
    }

    // Closes the program as a window manager would, agreeing to discard a
    // modified project (the resume file keeps it); the resume file.
    std::string closeAndReadResume(bool modified = true) {
        EXPECT_TRUE(E2E::sendDeleteWindow(display_.name(), window_));
        if (modified) {
            // The question box bears the caption, as the main window of an
            // unnamed project does.
            std::string box;
            for (int i = 0; i < 100 && box.empty(); ++i) {
                std::istringstream ids(xdotool("search --onlyvisible --name '^Movane Quorin2$'"));
                for (std::string id; std::getline(ids, id);)
                    if (id != std::to_string(window_)) box = id;
                if (box.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            EXPECT_FALSE(box.empty());
            // OK is the right one of the two buttons along the box's bottom.
            const std::string& id = box;
            const std::string shell = E2E::onDisplay(display_.name(), "xdotool getwindowgeometry --shell " + id);
            const auto number = [&](const char* key) {
                const std::size_t at = shell.find(key);
                return at == std::string::npos ? 0 : std::stoi(shell.substr(at + std::string(key).size()));
            };
            xdotool("mousemove --window " + id + " " + std::to_string(number("WIDTH=") * 3 / 4) + " " +
                    std::to_string(number("HEIGHT=") - 16) + " click 1");
        }
        EXPECT_EQ(program_->wait(10000), 0) << program_->output();
        return CoreTest::readBytes((data() / "resume.mvp2").string());
    }

    void key(const std::string& keys) const {
        xdotool("windowfocus --sync " + std::to_string(window_));
        xdotool("key " + keys);
    }
    // Ctrl+S writes the project to its file (removed first); the saved text.
    std::string save() const {
        fs::remove(project());
        key("ctrl+s");
        for (int i = 0; i < 100 && !fs::exists(project()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return fs::exists(project()) ? CoreTest::readBytes(project().string()) : std::string();
    }

    std::string xdotool(const std::string& command) const {
        return E2E::onDisplay(display_.name(), "xdotool " + command);
    }

    // Waits (about ten seconds at most) until the screen shows what check
    // wants.
    bool waitForScreen(const std::function<bool(const TestSupport::Screenshot&)>& check) const {
        for (int i = 0; i < 100; ++i) {
            const TestSupport::Screenshot screen(display_.name());
            if (!screen.empty() && check(screen)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Text pixels of a row's name.
    static int nameInk(const TestSupport::Screenshot& screen, int x, int row) {
        return screen.count(x - 280, rowY(row) - 10, x - 100, rowY(row) + 10, kText);
    }
    static int enableInk(const TestSupport::Screenshot& screen, int row) {
        return screen.count(kEnableX - 8, rowY(row) - 8, kEnableX + 8, rowY(row) + 8, kText);
    }

    // A press, moves and a release, each a step of its own.
    void drag(int x, int fromY, int toY) const {
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(fromY) + " mousedown 1");
        const int step = toY > fromY ? 6 : -6;
        for (int y = fromY + step; step > 0 ? y < toY : y > toY; y += step)
            xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(toY) + " mouseup 1");
    }

    // The value of the key in the section of the ini text, "" when absent.
    static std::string value(const std::string& ini, const std::string& section, const std::string& key) {
        std::size_t at = ini.find("[" + section + "]\r\n");
        if (at == std::string::npos) return "";
        const std::size_t end = ini.find("\r\n[", at);
        at = ini.find("\r\n" + key + "=", at);
        if (at == std::string::npos || at > end) return "";
        at += key.size() + 3;
        return ini.substr(at, ini.find("\r\n", at) - at);
    }
    // The scene section holding the name.
    static std::string sceneSection(const std::string& ini, const std::string& name) {
        for (int i = 0; i < 10; ++i)
            if (value(ini, "scene." + std::to_string(i), "name") == name) return "scene." + std::to_string(i);
        return "";
    }

    TestSupport::VirtualDisplay display_;
    CoreTest::TempFolder root_;
    std::unique_ptr<E2E::ProgramRun> program_;
    unsigned long window_ = 0;
};

TEST_F(ListPanelsTest, OneRowPerLayerTopFirstAndTheEnableButtonDisablesItsObject) {
    startWithProject(threeScenes());
    // Two rows (layers 0 and 2), not a third for the second object of
    // layer 2; both objects enabled.
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) {
        return s.pixel(kObjectX, rowY(0)) == kRowBody && s.pixel(kObjectX, rowY(1)) == kRowBody &&
               s.pixel(kObjectX, rowY(2)) == kBackground && enableInk(s, 0) > 0 && enableInk(s, 1) > 0;
    }));

    xdotool("mousemove " + std::to_string(kEnableX) + " " + std::to_string(rowY(1)) + " click 1");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) { return enableInk(s, 1) == 0; }));
    EXPECT_EQ(value(save(), "1.0", "effect.disable"), "1");
    // One Ctrl+Z turns it on again, in the file as on the screen.
    key("ctrl+z");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) { return enableInk(s, 1) > 0; }));
    EXPECT_EQ(value(save(), "1.0", "effect.disable"), "");
    xdotool("mousemove " + std::to_string(kEnableX) + " " + std::to_string(rowY(1)) + " click 1");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) { return enableInk(s, 1) == 0; }));

    const std::string saved = closeAndReadResume();
    // The second row was layer 2's blur: only it is switched off.
    EXPECT_EQ(value(saved, "1", "layer"), "2");
    EXPECT_EQ(value(saved, "1.0", "effect.name"), "ぼかし");
    EXPECT_EQ(value(saved, "1.0", "effect.disable"), "1");
    EXPECT_EQ(value(saved, "0.0", "effect.disable"), "");
    EXPECT_EQ(value(saved, "2.0", "effect.disable"), "");
}

TEST_F(ListPanelsTest, ScenesReorderByDraggingButSceneZeroStaysAndAClickSwitches) {
    startWithProject(threeScenes());
    int first = 0;
    int second = 0;
    ASSERT_TRUE(waitForScreen([&](const TestSupport::Screenshot& s) {
        first = nameInk(s, kSceneX, 1);
        second = nameInk(s, kSceneX, 2);
        return s.pixel(kSceneX, rowY(0)) == kRowSelected && s.pixel(kSceneX, rowY(2)) == kRowBody && first > 0 &&
               second > 0 && first != second;
    }));

    // Row 2 dragged above row 1: the two names change places.
    const auto swapped = [&](const TestSupport::Screenshot& s) {
        return nameInk(s, kSceneX, 1) == second && nameInk(s, kSceneX, 2) == first;
    };
    drag(kSceneX, rowY(2), rowY(1) - 6);
    ASSERT_TRUE(waitForScreen(swapped));
    // The drag is one undo step.
    key("ctrl+z");
    ASSERT_TRUE(waitForScreen([&](const TestSupport::Screenshot& s) {
        return nameInk(s, kSceneX, 1) == first && nameInk(s, kSceneX, 2) == second;
    }));
    drag(kSceneX, rowY(2), rowY(1) - 6);
    ASSERT_TRUE(waitForScreen(swapped));
    // The root scene dragged down stays where it is, and the drag does not
    // switch scenes.
    drag(kSceneX, rowY(0), rowY(2) + 10);
    // A click without moving makes the row's scene ("First", now last)
    // current.
    xdotool("mousemove " + std::to_string(kSceneX) + " " + std::to_string(rowY(2)) + " click 1");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) {
        return s.pixel(kSceneX, rowY(2)) == kRowSelected && s.pixel(kSceneX, rowY(0)) != kRowSelected;
    }));

    const std::string saved = closeAndReadResume();
    EXPECT_EQ(sceneSection(saved, "Root"), "scene.0");
    EXPECT_EQ(value(saved, "scene.0", "display.order"), "0");
    EXPECT_EQ(value(saved, sceneSection(saved, "Second"), "display.order"), "1");
    EXPECT_EQ(value(saved, sceneSection(saved, "First"), "display.order"), "2");
    EXPECT_EQ(value(saved, "project", "display.scene"), "1");
}

TEST_F(ListPanelsTest, AMediaFileDroppedOnTheSceneListBecomesASceneNamedAfterIt) {
    const fs::path picture = root_.path() / "clip.png";
    E2E::commandOutput("ffmpeg -loglevel error -y -f lavfi -i color=c=red:s=64x48:d=1 -frames:v 1 '" +
                       picture.string() + "'");
    ASSERT_TRUE(fs::exists(picture));
    start("");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) {
        return s.pixel(kSceneX, rowY(0)) == kRowSelected && s.pixel(kSceneX, rowY(1)) == kBackground;
    }));

    const fs::path said = root_.path() / "drag.out";
    const std::string pid = E2E::onDisplay(display_.name(), MOVANE2_BINARY_DIR "/tests/drag_source --at 900,400 '" +
                                                                picture.string() + "' > '" + said.string() +
                                                                "' 2>&1 & echo $!");
    for (int i = 0; i < 100 && CoreTest::readBytes(said.string()).find("ready") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    xdotool("mousemove 950 450 mousedown 1 mousemove 940 450 mousemove 900 450");
    xdotool("mousemove 300 300");
    xdotool("mousemove 310 300");
    for (int i = 0; i < 100 && CoreTest::readBytes(said.string()).find("action copy") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    xdotool("mouseup 1");

    // The new scene's settings are asked first: OK at the dialog's lower
    // right.
    const unsigned long dialog = E2E::waitForWindow(display_.name(), "--onlyvisible --name '^シーンを作成$'");
    ASSERT_NE(dialog, 0u) << CoreTest::readBytes(said.string());
    xdotool("mousemove --window " + std::to_string(dialog) + " 388 150 click 1");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) {
        return s.pixel(kSceneX, rowY(1)) == kRowSelected && s.pixel(kSceneX, rowY(0)) == kRowBody;
    }));
    if (!pid.empty()) ::kill(static_cast<pid_t>(std::stol(pid)), SIGTERM);

    const std::string saved = closeAndReadResume();
    EXPECT_EQ(sceneSection(saved, "clip"), "scene.1");
    EXPECT_EQ(value(saved, "scene.1", "video.width"), "64");
}

TEST_F(ListPanelsTest, TheTitleIsTheCaptionForANewProjectAndTheFileNameOfAnOpenedOne) {
    start("");
    const std::string id = std::to_string(window_);
    EXPECT_EQ(E2E::onDisplay(display_.name(), "xprop -id " + id + " WM_NAME"), "WM_NAME(STRING) = \"Movane Quorin2\"\n");
    closeAndReadResume(false);

    startWithProject(threeScenes());
    std::string name;
    for (int i = 0; i < 100 && name.find("film.mvp2") == std::string::npos; ++i) {
        name = E2E::onDisplay(display_.name(), "xprop -id " + std::to_string(window_) + " WM_NAME");
        if (name.find("film.mvp2") == std::string::npos) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(name, "WM_NAME(STRING) = \"film.mvp2\"\n");
    closeAndReadResume(false);
}

TEST_F(ListPanelsTest, TheTitleFollowsSaveAs) {
    start("");
    const std::string id = std::to_string(window_);
    const auto title = [&] { return E2E::onDisplay(display_.name(), "xprop -id " + id + " WM_NAME"); };
    EXPECT_EQ(title(), "WM_NAME(STRING) = \"Movane Quorin2\"\n");
    // Ctrl+Shift+S: the file chooser takes a whole path in its name field.
    key("ctrl+shift+s");
    std::string chooser;
    for (int i = 0; i < 100 && chooser.empty(); ++i) {
        std::istringstream ids(xdotool("search --onlyvisible --name '.'"));
        for (std::string w; std::getline(ids, w);)
            if (!w.empty() && w != id) chooser = w;
        if (chooser.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_FALSE(chooser.empty()) << "no file chooser";
    const fs::path target = root_.path() / "renamed.mvp2";
    xdotool("windowfocus --sync " + chooser + " key ctrl+a");
    xdotool("windowfocus --sync " + chooser + " type --delay 10 '" + target.string() + "'");
    // Return may first complete the typed path; it is pressed until the
    // chooser lets the keyboard go.
    for (int i = 0; i < 5 && !fs::exists(target); ++i) {
        if (xdotool("getwindowfocus").substr(0, chooser.size()) != chooser) break;
        xdotool("key Return");
        for (int j = 0; j < 20 && !fs::exists(target); ++j) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (int i = 0; i < 100 && !fs::exists(target); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fs::exists(target));
    std::string name;
    for (int i = 0; i < 100 && name.find("renamed") == std::string::npos; ++i) {
        name = title();
        if (name.find("renamed") == std::string::npos) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(name, "WM_NAME(STRING) = \"renamed.mvp2\"\n");
    closeAndReadResume(false);
}

TEST_F(ListPanelsTest, TheLogMenusCopyPutsTheNewestLineFirstWithCrLf) {
    start("[Window.log]\r\nhide=0\r\n");
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& s) { return s.count(220, 600, 1000, 690, 0xFFFFFF) > 50; }));
    xdotool("mousemove 600 400 click 3");
    // The first item of the menu, "ログをコピー", once the menu is open.
    std::string copied;
    for (int i = 0; i < 100 && copied.empty(); ++i) {
        xdotool("key Down Return");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        copied = E2E::onDisplay(display_.name(), "xclip -o -selection clipboard");
    }
    ASSERT_FALSE(copied.empty());
    EXPECT_EQ(copied.substr(copied.size() - 2), "\r\n");
    // Every line ends with CR LF.
    for (std::size_t at = copied.find('\n'); at != std::string::npos; at = copied.find('\n', at + 1))
        ASSERT_EQ(copied[at - 1], '\r') << at;
    // Logged in this order at start-up, copied the other way round.
    const std::size_t movement = copied.find("register movement [瞬間移動]");
    const std::size_t effect = copied.find("register effect [動画ファイル]");
    ASSERT_NE(movement, std::string::npos) << copied;
    ASSERT_NE(effect, std::string::npos);
    EXPECT_LT(effect, movement);
    closeAndReadResume(false);
}

}  // namespace
