// The text window of the real program on the focused text object: typed
// text and the nudging keys are saved as exactly the tags they insert, the
// text undo key takes them back step by step, and a Shift_JIS text file
// dropped from a drag source of ours goes in at the caret; Ctrl+Space in
// a colour tag offers the preset colours, twice in a row. Hidden, the
// window shows itself when a text object gets the focus, if asked to.
#include "core/CoreTestSupport.h"
#include "e2e/DragSourceRun.h"
#include "e2e/ProjectProgramTest.h"
#include "e2e/XClient.h"
#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::string projectText(const std::string& text, bool focused = true) {
    return "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
           "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
           "[0]\r\nlayer=0\r\nframe=0,89\r\n" +
           std::string(focused ? "focus=1\r\n" : "") + "[0.0]\r\neffect.name=テキスト\r\nテキスト=" + text +
           "\r\n[0.1]\r\neffect.name=標準描画\r\n";
}

// The text item's line of a saved project.
std::string textLine(const std::string& saved) {
    const std::string key = "\r\nテキスト=";
    const std::size_t at = saved.find(key);
    if (at == std::string::npos) return "(none)";
    const std::size_t from = at + key.size();
    return saved.substr(from, saved.find("\r\n", from) - from);
}

// The text window alone in the main window (1280 x 800): its title bar at
// the top, the editor below it.
constexpr int kTitleX = 640, kTitleY = 38;
constexpr int kEditorX = 640, kEditorY = 400;

// The title's text turns from dim to bright once the window has a target.
bool titleBright(const TestSupport::Screenshot& screen) {
    for (int y = 31; y < 45; ++y)
        for (int x = 22; x < 102; ++x) {
            const std::uint32_t p = screen.pixel(x, y);
            if ((p >> 16 & 0xFF) > 180 && (p >> 8 & 0xFF) > 180 && (p & 0xFF) > 180) return true;
        }
    return false;
}

class TextWindowTest : public E2E::ProjectProgramTest {
protected:
    void open(const std::string& text) {
        start(projectText(text), E2E::hiddenPanelsIni() + "[Window.setting.text]\r\nhide=0\r\n", titleBright);
        clickEditor();
    }
    // The editor takes the keyboard (and the caret goes to the end).
    void clickEditor() { xdotool("mousemove " + std::to_string(kEditorX) + " " + std::to_string(kEditorY) + " click 1"); }
    // The editor keeps the keys while it has the keyboard: a click on the
    // title bar gives them back to the main window's shortcuts. Then saves
    // until the text line reads expected (the keys before may still be on
    // their way); the last text read.
    std::string savedText(const std::string& expected) {
        xdotool("mousemove " + std::to_string(kTitleX) + " " + std::to_string(kTitleY) + " click 1");
        std::string text;
        waitFor([&] { return (text = textLine(save())) == expected; });
        return text;
    }
};

TEST_F(TextWindowTest, NudgingKeysSaveTheirTagsAndTheUndoKeyTakesThemBack) {
    open("");
    // The keyboard follows the pointer, which stays over the editor.
    xdotool("key a b c");
    ASSERT_EQ(savedText("abc"), "abc");
    clickEditor();
    // Shift+Home selects the line; then two steps right, one up and one
    // size step:
    //   <p+1,+0>abc<p-1,+0>
    //   <p+2,+0>abc<p-2,+0>
    //   <p+2,-1>abc<p-2,+1>
    //   <p+2,-1><s+1>abc<s-1><p-2,+1>   (the size tags go inside)
    xdotool("key shift+Home ctrl+Right ctrl+Right ctrl+Up ctrl+KP_Add");
    EXPECT_EQ(savedText("<p+2,-1><s+1>abc<s-1><p-2,+1>"), "<p+2,-1><s+1>abc<s-1><p-2,+1>");
    clickEditor();
    xdotool("key ctrl+z ctrl+z ctrl+z ctrl+z");
    EXPECT_EQ(savedText("abc"), "abc");
    // The typing steps are text steps too.
    clickEditor();
    xdotool("key ctrl+z");
    EXPECT_EQ(savedText("ab"), "ab");
}

TEST_F(TextWindowTest, AShiftJisFileDroppedOnTheEditorGoesInAtTheCaret) {
    const fs::path file = root.path() / "note.txt";
    CoreTest::writeBytes(file.string(), "\x93\xFA\x96\x7B\x8C\xEA");  // 日本語 in Shift_JIS
    open("xy");
    E2E::DragSourceRun source(display.name(), root.path() / "source.log", {file.string()}, "600,730");
    ASSERT_TRUE(waitFor([&] { return source.said("ready"); }));
    xdotool("mousemove 650 760");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    xdotool("mousedown 1 mousemove 640 760 mousemove 600 760");
    xdotool("mousemove " + std::to_string(kEditorX - 10) + " " + std::to_string(kEditorY));
    xdotool("mousemove " + std::to_string(kEditorX) + " " + std::to_string(kEditorY));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xdotool("mousemove " + std::to_string(kEditorX) + " " + std::to_string(kEditorY));
    xdotool("mouseup 1");
    ASSERT_TRUE(waitFor([&] { return source.said("end copy"); })) << source.lines();
    EXPECT_EQ(savedText("xy日本語"), "xy日本語");
}

TEST_F(TextWindowTest, AHiddenWindowShowsItselfWhenATextObjectGetsTheFocusIfAsked) {
    // The timeline alone, the text object on its first layer.
    std::string ini = E2E::hiddenPanelsIni();
    ini.erase(ini.find("[Window.edit]\r\nhide=1\r\n"), 23);
    ini += "[Window.setting.text]\r\nhide=1\r\nShowWindowFocusTextObject=1\r\n";
    // Ready once the object's box shows.
    start(projectText("hello", false), ini, [](const TestSupport::Screenshot& screen) {
        const std::uint32_t p = screen.pixel(120, 68);
        return (p & 0xFF) > (p >> 16 & 0xFF) + 40;
    });
    xdotool("mousemove 120 68 click 1");
    // The window shows: the letter T of its title bar (below the menu bar).
    ASSERT_TRUE(waitFor([&] {
        const TestSupport::Screenshot screen(display.name());
        for (int y = 30; y < screen.height(); y += 2)
            for (int x = 0; x < screen.width(); x += 2)
                if ((screen.pixel(x, y) & 0xFFFFFF) == 0xE8E8E8 && (screen.pixel(x, y + 1) & 0xFFFFFF) == 0xE8E8E8)
                    return true;
        return false;
    }));
    // Closing keeps it shown and the option on.
    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
    ASSERT_EQ(program->wait(10000), 0) << program->output();
    EXPECT_EQ(program->output().find("ERROR"), std::string::npos) << program->output();
    program.reset();  // ended here
    std::string saved = CoreTest::readBytes((data() / "movane2.ini").string());
    const std::size_t at = saved.find("[Window.setting.text]\r\n");
    ASSERT_NE(at, std::string::npos) << saved;
    saved = saved.substr(at, saved.find("\r\n[", at + 1) - at);
    EXPECT_NE(saved.find("\r\nhide=0\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\nShowWindowFocusTextObject=1\r\n"), std::string::npos) << saved;
}

TEST_F(TextWindowTest, CtrlSpaceInAColourTagReplacesItsFieldByAPresetColourTwiceInARow) {
    open("<#ff0000>x");
    const auto menuOpen = [&] {
        const std::uint32_t p = TestSupport::Screenshot(display.name()).pixel(kEditorX + 5, kEditorY + 70);
        return (p & 0xFFFFFF) == 0xFFFFFF;
    };
    // The editor has the keyboard again once its focus outline is back.
    const auto editorFocused = [&] {
        return (TestSupport::Screenshot(display.name()).pixel(9, 300) & 0xFFFFFF) == 0x007ACC;
    };
    // The caret inside "ff0000"; the menu opens at the pointer. Its entries
    // follow the default palette: white, red, yellow, green, aqua, blue...
    xdotool("key Home Right Right Right ctrl+space");
    ASSERT_TRUE(waitFor(menuOpen));
    xdotool("key Down Down Down Down Down Down Return");
    ASSERT_TRUE(waitFor([&] { return !menuOpen() && editorFocused(); }));
    // The chosen colour is selected with the caret at its start: Ctrl+Space
    // offers the colours again.
    xdotool("key ctrl+space");
    ASSERT_TRUE(waitFor(menuOpen));
    xdotool("key Down Down Down Return");
    ASSERT_TRUE(waitFor([&] { return !menuOpen() && editorFocused(); }));
    EXPECT_EQ(savedText("<#ffff00>x"), "<#ffff00>x");
}

}  // namespace
