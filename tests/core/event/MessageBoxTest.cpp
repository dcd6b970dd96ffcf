#include "core/event/MessageBox.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/MessageBox.h"
#include "platform/gtk/NativeWindow.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LogLine {
    std::string level;
    std::string tag;
    std::string text;
};

// Boxes on the test's own display; log lines captured.
class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        System::Log::handler = [this](const System::Log::Type& type, const char* tag,
                                      const char* text) {
            lines.push_back({type.name, tag, text});
        };
    }
    void TearDown() override { System::Log::handler = System::Log::defaultHandler; }

    std::vector<LogLine> lines;
    TestSupport::MessageBoxWatcher watcher;
};

const std::string kExceptionCaption = "Movane Quorin2 [" MOVANE2_VERSION "] : Application Exception";
const std::string kFatalSuffix = "\n\nプロジェクトをバックアップしてアプリケーションを終了します";

TEST_F(MessageBoxTest, ExceptionBoxWithoutTheWindowServiceIsModalToTheProgram) {
    Dialog::showException(System::Exception("the failure text"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].title, kExceptionCaption);
    EXPECT_EQ(watcher.boxes[0].text, "the failure text");
    EXPECT_TRUE(watcher.boxes[0].modal);
    EXPECT_FALSE(watcher.boxes[0].owned);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, "ERROR");
    EXPECT_EQ(lines[0].tag, "Dialog::showException");
    EXPECT_EQ(lines[0].text, "show exception dialog.\nthe failure text");
}

TEST_F(MessageBoxTest, FatalExceptionBoxAddsTheBackupNotice) {
    Dialog::showFatalException(System::Exception("fault"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].title, kExceptionCaption);
    EXPECT_EQ(watcher.boxes[0].text, "fault" + kFatalSuffix);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].tag, "Dialog::showException");
    EXPECT_EQ(lines[0].text, "show exception dialog.\nfault" + kFatalSuffix);
}

TEST_F(MessageBoxTest, ErrorBoxesFormatCutAndLogTheirText) {
    const std::string longText(1500, 'x');
    const std::wstring wideLongText(1500, L'x');
    struct Case {
        const char* name;
        std::function<void()> show;
        std::string text;
    };
    const Case cases[] = {
        {"narrow", [] { Dialog::showError("%s %d%%", "value", 5); }, "value 5%"},
        {"wide", [] { Dialog::showError(L"%ls %d", L"日本語", 3); }, "日本語 3"},
        {"narrow cut", [&] { Dialog::showError("%s", longText.c_str()); },
         std::string(1023, 'x')},
        {"wide cut", [&] { Dialog::showError(L"%ls", wideLongText.c_str()); },
         std::string(1023, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        watcher.boxes.clear();
        lines.clear();
        c.show();
        ASSERT_EQ(watcher.boxes.size(), 1u);
        EXPECT_EQ(watcher.boxes[0].title, "Movane Quorin2");
        EXPECT_EQ(watcher.boxes[0].text, c.text);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].level, "ERROR");
        EXPECT_EQ(lines[0].tag, "Dialog::showError");
        EXPECT_EQ(lines[0].text, System::Text::cut1023("show error dialog.\n" + c.text));
    }
}

// The wide form's whole formatted text is looked up in the Message table;
// the narrow form and the log keep the text as formatted.
TEST_F(MessageBoxTest, TheWideErrorTextIsTranslatedWhenALanguageFileIsLoaded) {
    CoreTest::ProgramFolder folder;
    CoreTest::writeBytes((folder.data() / "Language" / "english.mvl2").string(),
                         "[Message]\nファイル3が見つかりません=File 3 not found\n");
    System::Singleton<Setting::SettingService> settings;
    settings.getInstance()->mainSettings().getValue("Translate", "Language").text = "english";
    System::Singleton<Translate::TranslateService> translate;
    ASSERT_TRUE(Translate::TranslateService::languageLoaded());
    lines.clear();

    Dialog::showError(L"ファイル%dが見つかりません", 3);
    Dialog::showError(L"ファイル%dが見つかりません", 4);  // no entry: shown as it is
    Dialog::showError("ファイル%dが見つかりません", 3);
    ASSERT_EQ(watcher.boxes.size(), 3u);
    EXPECT_EQ(watcher.boxes[0].text, "File 3 not found");
    EXPECT_EQ(watcher.boxes[1].text, "ファイル4が見つかりません");
    EXPECT_EQ(watcher.boxes[2].text, "ファイル3が見つかりません");
    std::vector<std::string> logged;
    for (const LogLine& line : lines)
        if (line.tag == "Dialog::showError") logged.push_back(line.text);
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[0], "show error dialog.\nファイル3が見つかりません");
}

TEST_F(MessageBoxTest, ABoxOverTheMainWindowDisablesItWhileOpen) {
    System::Singleton<Window::WindowService> holder;
    const Platform::WindowHandle main = holder.getInstance()->mainWindow;
    bool enabledWhileOpen = true;
    watcher.whileOpen = [&](const TestSupport::SeenBox&) {
        enabledWhileOpen = Platform::isWindowEnabled(main);
    };
    EXPECT_EQ(Dialog::showErrorBox("text", "caption"), Platform::IDOK);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_TRUE(watcher.boxes[0].owned);
    EXPECT_TRUE(watcher.boxes[0].modal);
    EXPECT_EQ(watcher.boxes[0].title, "caption");
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(Platform::isWindowEnabled(main));
}

}  // namespace
