// The language the program chooses on its first run, with language files
// in the data home's language folder and the desktop's locale set.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class LanguageChoiceTest : public ::testing::Test {
protected:
    // Runs the program once with the locale, closes it, and returns its
    // main settings file.
    std::string runFirstTime(const std::string& locale) {
        E2E::ProgramRun program({{"DISPLAY", display.name()},
                                 {"XDG_DATA_HOME", home.path().string()},
                                 {"LANGUAGE", ""},
                                 {"LC_ALL", ""},
                                 {"LC_MESSAGES", ""},
                                 {"LANG", locale}});
        unsigned long window = 0;
        for (int i = 0; i < 500 && window == 0; ++i) {
            const std::string ids = E2E::commandOutput("DISPLAY=" + display.name() +
                                                       " xdotool search --classname '^movane2Manager$' 2>/dev/null");
            if (!ids.empty()) window = std::stoul(ids);
            else std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_NE(window, 0u) << program.output();
        EXPECT_TRUE(E2E::sendDeleteWindow(display.name(), window));
        EXPECT_EQ(program.wait(10000), 0) << program.output();
        return CoreTest::readBytes((home.path() / "movane2" / "movane2.ini").string());
    }
    void addLanguageFile(const std::string& name) {
        fs::create_directories(home.path() / "movane2" / "Language");
        CoreTest::writeBytes((home.path() / "movane2" / "Language" / name).string(), "[Menu]\nファイル=File\n");
    }

    TestSupport::VirtualDisplay display;
    CoreTest::TempFolder home;
};

TEST_F(LanguageChoiceTest, ElsewhereTheFirstLanguageFileIsChosenAndKept) {
    addLanguageFile("english.mvl2");
    addLanguageFile("swedish.mvl2");
    EXPECT_NE(runFirstTime("en_US.UTF-8").find("[Translate]\r\nLanguage=english\r\n"), std::string::npos);
    // Chosen once: a later run on another desktop keeps it.
    EXPECT_NE(runFirstTime("ja_JP.UTF-8").find("[Translate]\r\nLanguage=english\r\n"), std::string::npos);
}

TEST_F(LanguageChoiceTest, OnAJapaneseDesktopTheBuiltInTextsAreChosen) {
    addLanguageFile("english.mvl2");
    EXPECT_NE(runFirstTime("ja_JP.UTF-8").find("[Translate]\r\nLanguage=\r\n"), std::string::npos);
}

}  // namespace
