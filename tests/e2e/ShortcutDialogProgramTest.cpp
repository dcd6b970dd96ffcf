// The shortcut-key dialog of the real program, opened from 設定: Ctrl+Y
// given to 編集:元に戻す by a click on its key cell and the key itself is
// saved in keyboard.ini and undoes the last edit.
#include "e2e/ProjectProgramTest.h"
#include "e2e/XClient.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kProject =
    "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
    "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
    "[0]\r\nlayer=0\r\nframe=0,59\r\n[0.0]\r\neffect.name=図形\r\n[0.1]\r\neffect.name=標準描画\r\n";

// Places in the dialog (its client origin) with the test fonts: the key
// column's title, the first line's key cell, the second line's name cell
// and the OK button.
constexpr int kKeyTitle[2] = {500, 24};
constexpr int kFirstKey[2] = {500, 48};
constexpr int kSecondName[2] = {160, 75};
constexpr int kOk[2] = {539, 636};

class ShortcutDialogProgramTest : public E2E::ProjectProgramTest {
protected:
    // xdotool arguments moving to a point of the dialog.
    std::string at(const int point[2]) const {
        return "mousemove " + std::to_string(dialogX + point[0]) + " " + std::to_string(dialogY + point[1]);
    }

    int dialogX = 0;
    int dialogY = 0;
};

TEST_F(ShortcutDialogProgramTest, CtrlYGivenToUndoIsSavedAndUndoes) {
    // The user's key Z for undo: the only "Z" of the key column, so the
    // line comes first when the column is sorted descending.
    fs::create_directories(data());
    CoreTest::writeBytes((data() / "keyboard.ini").string(), "[shortcut.0]\r\nname=編集:元に戻す\r\ncode=90\r\n");
    start(kProject, E2E::hiddenPanelsIni(), [](const TestSupport::Screenshot&) { return true; });
    key("Right Right Right Right Right Tab s");
    ASSERT_NE(save().find("[1]\r\n"), std::string::npos) << "not split";

    // 設定 is two to the left of ファイル; its first item.
    key("--delay 80 F10 Left Left Down Return");
    const unsigned long dialog = E2E::waitForWindow(display.name(), "--onlyvisible --name '^ショートカットキーの設定$'");
    ASSERT_NE(dialog, 0u) << program->output();
    std::istringstream geometry(E2E::onDisplay(display.name(), "xdotool getwindowgeometry --shell " + std::to_string(dialog)));
    for (std::string line; std::getline(geometry, line);) {
        if (line.rfind("X=", 0) == 0) dialogX = std::stoi(line.substr(2));
        if (line.rfind("Y=", 0) == 0) dialogY = std::stoi(line.substr(2));
    }
    xdotool(at(kKeyTitle) + " click 1 sleep 0.3 click 1 sleep 0.3");
    xdotool(at(kFirstKey) + " click 1 sleep 0.3 key ctrl+y sleep 0.3");
    // Elsewhere in the list: the key is taken; then OK.
    xdotool(at(kSecondName) + " click 1 sleep 0.3 " + at(kOk) + " click 1");
    const fs::path keys = data() / "keyboard.ini";
    ASSERT_TRUE(waitFor([&] { return CoreTest::readBytes(keys.string()).find("16473") != std::string::npos; }))
        << CoreTest::readBytes(keys.string());
    EXPECT_EQ(CoreTest::readBytes(keys.string()), "[shortcut.0]\r\nname=編集:元に戻す\r\ncode=16473\r\n");

    key("ctrl+y");
    EXPECT_EQ(save().find("[1]\r\n"), std::string::npos) << "not undone";
}

}  // namespace
