#include "core/CoreTestSupport.h"

#include "core/file/IniFile.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"
#include "platform/gtk/SystemParameters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Setting::SettingService;
namespace fs = std::filesystem;

class SettingServiceTest : public ::testing::Test {
protected:
    // Replaces the program folder's style.conf key (or removes it).
    void editProgramStyle(const std::string& from, const std::string& to) {
        const std::string path = (folder_.program() / "style.conf").string();
        std::string text = CoreTest::readBytes(path);
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        CoreTest::writeBytes(path, text);
    }
    std::string mainSettingsText() const { return CoreTest::readBytes((folder_.data() / "movane2.ini").string()); }

    CoreTest::ProgramFolder folder_;
};

TEST_F(SettingServiceTest, ReadsTheShippedFilesAndFillsTheLayoutValues) {
    System::Singleton<SettingService> service;
    SettingService& s = *System::Singleton<SettingService>::getInstance();
    EXPECT_EQ(Setting::WindowSeparatorSize, 5);
    EXPECT_EQ(Setting::FooterHeight, 24);
    EXPECT_EQ(Setting::SettingRowHeight, Setting::SettingItemHeight + 2);
    EXPECT_GT(Setting::ListItemHeight, 0);
    EXPECT_GT(Setting::ExplorerHeaderHeight, 0);
    EXPECT_EQ(Setting::DefaultFamily, L"Yu Gothic UI");
    EXPECT_EQ(s.config.getValue("ShadowBufferSize").toInt(), 2048);
    EXPECT_EQ(s.systemConfig.getSection("YUV2RGB").size(), 3u);
    EXPECT_EQ(s.color.getValue("FooterProgress").split(",").size(), 2u);
    EXPECT_EQ(s.effectConfig.getSection("OldScript.trackmode").findValue("1").toString(), L"直線移動");
    EXPECT_FLOAT_EQ(s.dpiScale, 1.0f);  // no display: 96 dpi
    EXPECT_EQ(s.videoMemoryLimit, 65536);
    EXPECT_GT(s.physicalMemorySize, 0);
    EXPECT_GE(s.dragWidth, 1);
    EXPECT_GE(s.screenWidth, 1);
    EXPECT_EQ(s.counterFrequency, 1000000000);
    EXPECT_GT(s.startCounter, 0);
}

// Render workers read the configuration (thread priorities, formats) while
// the user-interface thread looks up other keys: a lookup never adds to the
// store, and a missing key still reports where it was looked for.
TEST_F(SettingServiceTest, LookupsLeaveTheStoreAsItIsAndAnyThreadMayMakeThem) {
    System::Singleton<SettingService> service;
    SettingService& s = *System::Singleton<SettingService>::getInstance();
    const std::size_t keys = s.systemConfig.getSection("Config").size();
    const std::size_t sections = s.styleConfig.sections.size();

    const System::IniFile::VALUE& missing = s.layout.getValue("NoSuchHeight");
    EXPECT_EQ(missing.text, "");
    EXPECT_EQ(missing.toInt(7), 7);
    EXPECT_EQ(CoreTest::failureText([&] { (void)missing.toInt(); }),
              "ini file parameter invalid format(int) or undefined.\n\n[Note]\nfile=" +
                  (folder_.data() / "style.conf").string() +
                  " section=Layout key=NoSuchHeight\n\n[Place]\nSystem::IniFile::VALUE::toInt()");
    EXPECT_EQ(&s.layout.getValue("NoSuchHeight"), &missing);  // the same value each time
    EXPECT_EQ(s.styleConfig.sections.size(), sections);
    EXPECT_EQ(s.styleConfig.getSection("Layout").findValue("NoSuchHeight").file, nullptr);

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&s, t] {
            for (int i = 0; i < 2000; ++i) {
                (void)s.config.getValue(("Missing" + std::to_string(t * 2000 + i)).c_str()).toInt(0);
                EXPECT_EQ(s.config.getValue("ShadowBufferSize").toInt(), 2048);
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(s.systemConfig.getSection("Config").size(), keys);
}

TEST_F(SettingServiceTest, DataFolderCopyWinsKeyByKey) {
    CoreTest::writeBytes((folder_.data() / "style.conf").string(), "[Layout]\nFooterHeight=30\n[Font]\nDefaultFamily=Noto Sans\n");
    System::Singleton<SettingService> service;
    SettingService& s = *System::Singleton<SettingService>::getInstance();
    EXPECT_EQ(Setting::FooterHeight, 30);
    EXPECT_EQ(Setting::DefaultFamily, L"Noto Sans");
    EXPECT_EQ(Setting::WindowSeparatorSize, 5);  // only in the program folder's copy
    EXPECT_EQ(s.styleConfig.path, (folder_.data() / "style.conf").wstring());
}

TEST_F(SettingServiceTest, MissingValuesWithAndWithoutDefault) {
    editProgramStyle("FooterHeight=24\n", "");
    {
        System::Singleton<SettingService> service;
        EXPECT_EQ(Setting::FooterHeight, 24);
    }
    editProgramStyle("SettingItemHeight=20\n", "");
    try {
        System::Singleton<SettingService> service;
        FAIL() << "start-up went on without SettingItemHeight";
    } catch (const System::Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "ini file parameter invalid format(int) or undefined.\n\n[Note]\nfile=" +
                      (folder_.data() / "style.conf").string() +
                      " section=Layout key=SettingItemHeight\n\n[Place]\nSystem::IniFile::VALUE::toInt()");
    }
    EXPECT_EQ(System::Singleton<SettingService>::getInstance(), nullptr);
}

TEST_F(SettingServiceTest, MainSettingsFileIsWrittenAtTheEndAndReadBack) {
    {
        System::Singleton<SettingService> service;
        EXPECT_FALSE(fs::exists(folder_.data() / "movane2.ini"));
    }
    const std::string first = mainSettingsText();
    EXPECT_NE(first.find("[Edit]\r\nProjectWidth=1920\r\nProjectHeight=1080\r\nProjectVideoRate=30\r\n"
                         "ProjectVideoScale=1\r\nProjectAudioRate=44100\r\nTempoBeatPerMinute=120.000000\r\n"
                         "TempoBeatTime=4\r\nTempoOffsetTime=0.000000\r\nGridWidth=200\r\nGridHeight=200\r\n"
                         "GridX=16,-16\r\nGridY=16,-16\r\nGridStep=200.000000\r\nGridRange=10000.000000\r\n"
                         "EnableEnterSubmit=0\r\n"),
              std::string::npos)
        << first;
    {
        System::Singleton<SettingService> service;
        SettingService& s = *System::Singleton<SettingService>::getInstance();
        EXPECT_GT(s.mainSettings().getSection("Edit").findValue("GridX").line, 0);
        s.ProjectWidth = 1280;
    }
    const std::string second = mainSettingsText();
    EXPECT_NE(second.find("ProjectWidth=1280\r\n"), std::string::npos);
    // Nothing else moved.
    std::string expected = first;
    expected.replace(expected.find("ProjectWidth=1920"), 17, "ProjectWidth=1280");
    EXPECT_EQ(second, expected);
}

TEST_F(SettingServiceTest, UnreadableMainSettingsFileIsLeftAlone) {
    fs::create_directories(folder_.data() / "movane2.ini");  // exists, cannot be read
    CoreTest::LogLines log;
    {
        System::Singleton<SettingService> service;
        EXPECT_FALSE(System::Singleton<SettingService>::getInstance()->mainSettings().autoSave);
    }
    bool named = false;
    for (const auto& line : log.of(System::Log::ERROR))
        named = named || line.text.find((folder_.data() / "movane2.ini").string()) != std::string::npos;
    EXPECT_TRUE(named);
    EXPECT_TRUE(fs::is_directory(folder_.data() / "movane2.ini"));
    EXPECT_FALSE(fs::exists(folder_.data() / "movane2.ini.tmp"));
}

TEST(HighDpiMode, OnUnlessSwitchedOff) {
    struct Case {
        const char* settings;
        int dpi;
        float scale;
    };
    const Case cases[] = {
        {"", 144, 1.5f},                              // a first run scales at once
        {"[Direct3D]\nHighDpiMode=1\n", 192, 2.0f},
        {"[Direct3D]\nHighDpiMode=0\n", 144, 1.0f},
        {"[Direct3D]\nHighDpiMode=1\n", 96, 1.0f},
        {"[Direct3D]\nHighDpiMode=\n", 120, 1.25f},
    };
    for (const Case& c : cases) {
        System::IniFile settings;
        settings.loadMemory(c.settings);
        EXPECT_FLOAT_EQ(Setting::highDpiScale(settings, c.dpi), c.scale) << c.settings << c.dpi;
        // The lookup leaves the key behind for the Direct3D group.
        EXPECT_TRUE(settings.getSection("Direct3D").findValue("HighDpiMode").file);
    }
}

TEST(StyleScaling, LayoutAndFontValues) {
    struct Case {
        const char* section;
        const char* before;
        float scale;
        const char* after;
    };
    const Case cases[] = {
        {"Layout", "24", 1.5f, "36"},          {"Layout", "1", 1.5f, "2"},
        {"Layout", "0", 1.5f, "1"},            {"Layout", "abc", 1.5f, "abc"},
        {"Layout", "5", 1.25f, "6"},           {"Layout", "2", 0.75f, "2"},  // 1.5 rounds up
        {"Layout", "-3", 1.5f, "1"},           {"Layout", "12px", 2.0f, "24"},
        {"Font", "9,Family Name", 1.5f, "14,Family Name"},
        {"Font", "9.5,F", 1.5f, "14,F"},       {"Font", "12", 1.5f, "18"},
        {"Font", "Yu Gothic UI", 1.5f, "Yu Gothic UI"},
        {"Font", "12,a,b", 2.0f, "24,a"},
    };
    for (const Case& c : cases) {
        System::IniFile style;
        style.getValue(c.section, "Key").text = c.before;
        style.getValue("Layout", "ExplorerWindowNum").text = "1";
        Setting::scaleStyleConfig(style, c.scale);
        EXPECT_EQ(style.getSection(c.section).findValue("Key").text, c.after) << c.section << " " << c.before;
        EXPECT_EQ(style.getSection("Layout").findValue("ExplorerWindowNum").text, "1");
    }
}

TEST(SystemParameterRules, KeyboardAndMetrics) {
    EXPECT_EQ(Setting::keyRepeatDelayFromSetting(0), 250);
    EXPECT_EQ(Setting::keyRepeatDelayFromSetting(3), 1000);
    EXPECT_EQ(Setting::keyRepeatIntervalFromSetting(0), 500);
    EXPECT_EQ(Setting::keyRepeatIntervalFromSetting(31), 30);
    EXPECT_EQ(Setting::keyboardDelayFromMilliseconds(250), 0);
    EXPECT_EQ(Setting::keyboardDelayFromMilliseconds(660), 2);
    EXPECT_EQ(Setting::keyboardDelayFromMilliseconds(5000), 3);
    EXPECT_EQ(Setting::keyboardSpeedFromMilliseconds(30), 31);
    EXPECT_EQ(Setting::keyboardSpeedFromMilliseconds(500), 0);
    EXPECT_EQ(Setting::atLeastOnePixel(0), 1);
    EXPECT_EQ(Setting::atLeastOnePixel(1), 1);
    EXPECT_EQ(Setting::atLeastOnePixel(2), 2);
}

TEST(SystemParameterRules, LanguageFromTheLocale) {
    const char* saved = std::getenv("LANGUAGE");
    const std::string keep = saved ? saved : "";
    setenv("LANGUAGE", "ja_JP.UTF-8:en", 1);
    EXPECT_EQ(Setting::userInterfaceLanguage(), "ja");
    if (saved)
        setenv("LANGUAGE", keep.c_str(), 1);
    else
        unsetenv("LANGUAGE");
}

}  // namespace
