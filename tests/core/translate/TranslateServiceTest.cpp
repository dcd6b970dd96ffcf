#include "core/translate/TranslateService.h"

#include "app/Application.h"
#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Translate::TranslateService;
using Table = Translate::TranslateService::Table;

// Sets locale variables for one test and puts the old values back.
class DesktopLanguage {
public:
    explicit DesktopLanguage(const char* locale) {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
        ::setenv("LC_ALL", locale, 1);
    }
    ~DesktopLanguage() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name, value->c_str(), 1);
            else
                ::unsetenv(name);
        }
    }

private:
    static constexpr const char* kNames[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

const char* const kEnglish =
    "[Effect]\n"
    "ぼかし=Blur\n"
    "[Message]\n"
    "言語ファイルを設定しました=Language file set\n"
    "前回アプリケーションが正常に終了しませんでした\\n\\nプロジェクトを復元しますか？="
    "The application did not end normally\\nRestore the project?\n"
    "そのまま=\n"
    "[Menu]\n"
    "ファイル=File\n"
    "[Dialog]\n"
    "言語=Language\n"
    "[Name]\n"
    "Layer=Ebene\n"
    "[Other]\n"
    "ファイル=not used\n";

class TranslateServiceTest : public ::testing::Test {
protected:
    fs::path languageFolder() const { return folder_.data() / "Language"; }
    void writeLanguage(const std::string& name, const std::string& text) const {
        CoreTest::writeBytes((languageFolder() / (name + ".mvl2")).string(), text);
    }
    // The "Language" value the main settings file holds after the service.
    std::string savedLanguage() {
        return settings().mainSettings().getSection("Translate").findValue("Language").text;
    }
    void setSavedLanguage(const std::string& value) {
        settings().mainSettings().getValue("Translate", "Language").text = value;
    }
    Setting::SettingService& settings() { return *System::Singleton<Setting::SettingService>::getInstance(); }
    TranslateService& service() { return *System::Singleton<TranslateService>::getInstance(); }

    CoreTest::ProgramFolder folder_;
    System::Singleton<Setting::SettingService> settingsHolder_;
};

TEST_F(TranslateServiceTest, OnTheFirstRunAJapaneseDesktopKeepsTheBuiltInTexts) {
    DesktopLanguage japanese("ja_JP.UTF-8");
    writeLanguage("english", kEnglish);
    {
        System::Singleton<TranslateService> holder;
        EXPECT_EQ(service().language, L"");
        EXPECT_FALSE(TranslateService::languageLoaded());
        EXPECT_STREQ(TranslateService::translate(Table::Effect, L"ぼかし"), L"ぼかし");
    }
    EXPECT_EQ(savedLanguage(), "");
}

TEST_F(TranslateServiceTest, OnTheFirstRunElsewhereTheFirstListedFileIsChosenOnce) {
    DesktopLanguage english("en_US.UTF-8");
    {
        System::Singleton<TranslateService> holder;
        EXPECT_EQ(service().language, L"");  // no language file yet
    }
    EXPECT_EQ(savedLanguage(), "");

    writeLanguage("english", kEnglish);
    writeLanguage("Deutsch", "[Menu]\nファイル=Datei\n");
    setSavedLanguage("*");
    {
        System::Singleton<TranslateService> holder;
        EXPECT_EQ(service().getLanguageList(), (std::vector<std::wstring>{L"Default", L"Deutsch", L"english"}));
        EXPECT_EQ(service().language, L"Deutsch");
        EXPECT_TRUE(TranslateService::languageLoaded());
        EXPECT_STREQ(TranslateService::translateMenu(L"ファイル"), L"Datei");
    }
    EXPECT_EQ(savedLanguage(), "Deutsch");
}

TEST_F(TranslateServiceTest, TheFiveTablesReplaceTextsAsTheFileSays) {
    writeLanguage("english", kEnglish);
    setSavedLanguage("english");
    System::Singleton<TranslateService> holder;
    ASSERT_TRUE(TranslateService::languageLoaded());
    EXPECT_STREQ(TranslateService::translate(Table::Effect, L"ぼかし"), L"Blur");
    EXPECT_STREQ(TranslateService::translate(Table::Message, L"言語ファイルを設定しました"), L"Language file set");
    EXPECT_STREQ(TranslateService::translate(Table::Message,
                                             L"前回アプリケーションが正常に終了しませんでした\n\nプロジェクトを復元しますか？"),
                 L"The application did not end normally\nRestore the project?");
    EXPECT_STREQ(TranslateService::translate(Table::Message, L"そのまま"), L"そのまま");  // empty value
    EXPECT_STREQ(TranslateService::translateMenu(L"ファイル"), L"File");
    EXPECT_STREQ(TranslateService::translate(Table::Dialog, L"言語"), L"Language");
    EXPECT_STREQ(TranslateService::translate(Table::Name, L"Layer"), L"Ebene");
    // Each text only through its own table; other sections are not read.
    EXPECT_STREQ(TranslateService::translate(Table::Menu, L"ぼかし"), L"ぼかし");
    const wchar_t* absent = L"未翻訳";
    EXPECT_EQ(TranslateService::translate(Table::Effect, absent), absent);
    EXPECT_EQ(TranslateService::tables().Effect.translate(nullptr), nullptr);
}

TEST_F(TranslateServiceTest, AChosenLanguageWhoseFileIsGoneLoadsAsEmpty) {
    setSavedLanguage("gone");
    System::Singleton<TranslateService> holder;
    EXPECT_TRUE(TranslateService::languageLoaded());
    EXPECT_EQ(service().language, L"gone");
    EXPECT_STREQ(TranslateService::translateMenu(L"ファイル"), L"ファイル");
}

TEST_F(TranslateServiceTest, TextsHandedOutStayValidAcrossSwitchesReadFromOtherThreads) {
    writeLanguage("english", kEnglish);
    writeLanguage("Deutsch", "[Menu]\nファイル=Datei\n");
    setSavedLanguage("english");
    System::Singleton<TranslateService> holder;
    const wchar_t* before = TranslateService::translateMenu(L"ファイル");
    ASSERT_STREQ(before, L"File");

    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::thread reader([&] {
        while (!done) {
            const std::wstring shown = TranslateService::translateMenu(L"ファイル");
            if (shown != L"File" && shown != L"Datei" && shown != L"ファイル") ++wrong;
        }
    });
    for (int i = 0; i < 40; ++i) {
        service().language = i % 3 == 0 ? L"" : i % 3 == 1 ? L"Deutsch" : L"english";
        service().reloadLanguage();
    }
    done = true;
    reader.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_STREQ(before, L"File");
}

class LanguageFileDropTest : public TranslateServiceTest {
protected:
    void SetUp() override { TestSupport::useTestDisplay(); }
    CoreTest::TempFolder elsewhere_;
};

TEST_F(LanguageFileDropTest, ADroppedFileIsCopiedChosenLoadedAndAnnounced) {
    setSavedLanguage("");
    System::Singleton<TranslateService> holder;
    System::Singleton<Window::WindowService> window;
    int switches = 0;
    service().onLanguageSwitch = [&] { ++switches; };
    CoreTest::writeBytes(elsewhere_.file("ja2.mvl2"), kEnglish);
    TestSupport::MessageBoxWatcher watcher;
    service().registerLanguageFile(elsewhere_.wide("ja2.mvl2").c_str());
    EXPECT_EQ(CoreTest::readBytes((languageFolder() / "ja2.mvl2").string()), kEnglish);
    EXPECT_EQ(service().language, L"ja2");
    EXPECT_EQ(switches, 1);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].title, "Movane Quorin2");
    EXPECT_EQ(watcher.boxes[0].text, "Language file set");  // already in the new language
    EXPECT_TRUE(watcher.boxes[0].owned);
}

TEST_F(LanguageFileDropTest, DroppingAFileFromTheLanguageFolderItselfSwitchesWithoutACopy) {
    writeLanguage("english", kEnglish);
    setSavedLanguage("");
    System::Singleton<TranslateService> holder;
    TestSupport::MessageBoxWatcher watcher;
    service().registerLanguageFile(L"%Language%\\english.mvl2");
    EXPECT_EQ(service().language, L"english");
    EXPECT_TRUE(TranslateService::languageLoaded());
    EXPECT_EQ(CoreTest::readBytes((languageFolder() / "english.mvl2").string()), kEnglish);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_FALSE(watcher.boxes[0].owned);  // no main window yet
    EXPECT_FALSE(fs::exists(languageFolder() / "english.mvl2.tmp"));
}

TEST_F(LanguageFileDropTest, AFailedCopyRaisesCopyFileAndKeepsTheLanguage) {
    writeLanguage("english", kEnglish);
    setSavedLanguage("english");
    System::Singleton<TranslateService> holder;
    TestSupport::MessageBoxWatcher watcher;
    try {
        service().registerLanguageFile(elsewhere_.wide("missing.mvl2").c_str());
        FAIL() << "a missing file was registered";
    } catch (const System::Exception& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("CopyFile"), std::string::npos) << text;
        EXPECT_NE(text.find("Translate::TranslateService::registerLanguageFile"), std::string::npos) << text;
    }
    EXPECT_EQ(service().language, L"english");
    EXPECT_FALSE(fs::exists(languageFolder() / "missing.mvl2"));
    EXPECT_TRUE(watcher.boxes.empty());
}

// The start-up table's rows: the service loads the chosen language there.
struct LanguageProbe {
    LanguageProbe() { shown = TranslateService::translateMenu(L"ファイル"); }
    static inline std::wstring shown;
};

TEST(TranslateStartUpTest, TheStartUpRowLoadsTheChosenLanguage) {
    TestSupport::useTestDisplay();
    CoreTest::ProgramFolder folder;
    CoreTest::writeBytes((folder.data() / "Language" / "english.mvl2").string(), kEnglish);
    DesktopLanguage english("en_US.UTF-8");
    std::vector<App::StartupRow> rows;
    for (const App::StartupRow& row : App::startupTable()) {
        const std::string name = row.name;
        if (name == "Setting::SettingService" || name == "Translate::TranslateService") rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 2u);
    rows.push_back({"probe", &App::makeHolder<LanguageProbe>});
    EXPECT_EQ(App::run(rows, "movane2"), 0);
    EXPECT_EQ(LanguageProbe::shown, L"File");
    System::IniFile saved;
    saved.loadFile((folder.data() / "movane2.ini").wstring().c_str());
    EXPECT_EQ(saved.getSection("Translate").findValue("Language").text, "english");
}

}  // namespace
