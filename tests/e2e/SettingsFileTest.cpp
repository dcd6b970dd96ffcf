#include "app/Application.h"
#include "core/file/FileName.h"
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string kCaption = "Movane Quorin2 [" MOVANE2_VERSION "] : Application Exception";

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A data home that outlives single runs of the program.
class DataHome {
public:
    std::string home() const { return root_.path().string(); }
    fs::path data() const { return root_.path() / "movane2"; }

private:
    E2E::TempFolder root_;
};

class SettingsFileTest : public ::testing::Test {
protected:
    std::string onDisplay(const std::string& command) const { return E2E::onDisplay(display.name(), command); }
    unsigned long waitForWindow(const std::string& search) const {
        return E2E::waitForWindow(display.name(), search);
    }
    // Starts the program on the data home and closes its main window.
    void runAndClose(const DataHome& home) const {
        E2E::ProgramRun program({{"DISPLAY", display.name()}, {"XDG_DATA_HOME", home.home()}});
        const unsigned long window = waitForWindow("--classname '^movane2Manager$'");
        ASSERT_NE(window, 0u) << program.output();
        ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
        ASSERT_EQ(program.wait(10000), 0) << program.output();
    }

    TestSupport::VirtualDisplay display;
};

TEST_F(SettingsFileTest, FirstStartWritesEveryGroupAndTheNextStartKeepsThem) {
    DataHome home;
    runAndClose(home);
    const fs::path file = home.data() / "movane2.ini";
    const std::string first = CoreTest::readBytes(file);
    for (const char* group :
         {"[Logger]\r\nMaxViewLine=200\r\nMaxFileNum=5\r\nViewLogLevel=2\r\nFileLogLevel=4\r\nDebuggerLogLevel=0\r\n",
          // The timeline's display options, written as it goes, the edit
          // service's options, then the setting service's project defaults.
          "[Edit]\r\nDisplayLayerRange=1\r\nTempoGrid=0\r\nShowMoveObjectTime=1\r\nLayerWheelMode=0\r\n"
          "DisplayObjectNameFromHead=0\r\nDisplayWaveform=1\r\nHideObjectNameWaveform=0\r\n"
          "DisplayAbsoluteWaveform=0\r\ndisplayScrollBarUp=0\r\nSeparateVideoAudio=0\r\nEditResume=0\r\nAutoBackup=1\r\nAutoBackupInterval=5\r\nAutoBackupFileMax=20\r\n"
          "HistoryFileMax=10\r\nLayerObjectMoveSnap=1\r\nAnchorObjectMoveSnap=1\r\n"
          "SingleClickFocusLayerObject=1\r\nSingleClickFocusAnchorObject=0\r\nClickLayerObjectSelectGroup=1\r\n"
          "ClickAnchorObjectSelectGroup=1\r\nDisplayObjectMovePoint=1\r\nDisplayObjectCenterAnchor=0\r\n"
          "MouseHoverHideOtherAnchor=0\r\nAddSectionSplitByCursorFrame=0\r\nFixedMovieTimeRange=0\r\n"
          "MoveFrameSelectRangeMode=1\r\nMoveFrameFollowFocusObject=0\r\nCustomMoveFrameA=5f\r\n"
          "CustomMoveFrameB=1\r\nCustomMoveFrameC=30\r\nCustomMoveFrameD=60\r\nOutputCompleteSoundFile=\r\n"
          "AltLeftClickToRightClick=0\r\nAdjustSceneByDropFile=0\r\n"
          "ProjectWidth=1920\r\nProjectHeight=1080\r\nProjectVideoRate=30\r\nProjectVideoScale=1\r\n"
          "ProjectAudioRate=44100\r\nTempoBeatPerMinute=120.000000\r\nTempoBeatTime=4\r\n"
          "TempoOffsetTime=0.000000\r\nGridWidth=200\r\nGridHeight=200\r\nGridX=16,-16\r\nGridY=16,-16\r\n"
          "GridStep=200.000000\r\nGridRange=10000.000000\r\nEnableEnterSubmit=0\r\n",
          "[Window]\r\nx=0\r\ny=0\r\nw=1280\r\nh=720\r\nzoom=0\r\n"})
        EXPECT_NE(first.find(group), std::string::npos) << group << "\nin\n" << first;
    for (const char* folder : {"Plugin", "Script", "Default", "Alias", "Figure", "Transition", "Language", "Backup", "Log"})
        EXPECT_TRUE(fs::is_directory(home.data() / folder)) << folder;

    // A value the user changed is read at the next start and written back.
    std::string edited = first;
    edited.replace(edited.find("MaxViewLine=200"), 15, "MaxViewLine=321");
    edited.replace(edited.find("CustomMoveFrameB=1\r\n"), 18, "CustomMoveFrameB=2.5");
    writeFile(file, edited);
    runAndClose(home);
    EXPECT_EQ(CoreTest::readBytes(file), edited);
}

TEST_F(SettingsFileTest, AMissingStyleValueEndsStartUpThroughTheErrorBox) {
    DataHome home;
    // The data folder's copy wins key by key: an empty value hides the
    // program folder's one.
    writeFile(home.data() / "style.conf", "[Layout]\nSettingItemHeight=\n");
    E2E::ProgramRun program({{"DISPLAY", display.name()}, {"XDG_DATA_HOME", home.home()}});
    const unsigned long box = waitForWindow("--name ' : Application Exception$'");
    ASSERT_NE(box, 0u) << program.output();
    EXPECT_EQ(onDisplay("xdotool search --classname '^movane2Manager$'"), "");
    // Without a window manager the box is focused by hand; the key goes
    // through XTEST, since the toolkit ignores sent key events.
    onDisplay("xdotool windowfocus --sync " + std::to_string(box) + " key Return");
    EXPECT_EQ(program.wait(10000), 1) << program.output();
}

// The same road inside this process, where the box's text can be read.
TEST(SettingsStartUpText, NamesFileSectionAndKey) {
    TestSupport::useTestDisplay();
    char pattern[] = "/tmp/movane2-program-XXXXXX";
    const fs::path program = mkdtemp(pattern);
    fs::create_directories(program / "data");
    for (const char* name : {"system.conf", "style.conf", "effect.conf"})
        fs::copy_file(fs::path(MOVANE2_SOURCE_DIR) / "conf" / name, program / name);
    std::string style = CoreTest::readBytes(program / "style.conf");
    style.erase(style.find("SettingItemHeight=20\n"), 21);
    writeFile(program / "style.conf", style);
    System::FileName::initializeVariableList(program.wstring());

    std::vector<App::StartupRow> rows;
    for (const App::StartupRow& row : App::startupTable())
        if (std::string(row.name) == "Setting::SettingService") rows.push_back(row);
    ASSERT_EQ(rows.size(), 1u);
    TestSupport::MessageBoxWatcher watcher;
    EXPECT_EQ(App::run(rows, "movane2"), 1);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].title, kCaption);
    EXPECT_EQ(watcher.boxes[0].text, "ini file parameter invalid format(int) or undefined.\n\n[Note]\nfile=" +
                                         (program / "data" / "style.conf").string() +
                                         " section=Layout key=SettingItemHeight\n\n[Place]\n"
                                         "System::IniFile::VALUE::toInt()");
    EXPECT_EQ(CoreTest::readBytes(program / "style.conf"), style);
    std::error_code ignored;
    fs::remove_all(program, ignored);
}

}  // namespace
