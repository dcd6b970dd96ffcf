#include "core/event/MessageBox.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
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
