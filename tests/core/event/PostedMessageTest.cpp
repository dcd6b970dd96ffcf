#include "core/event/MessageBox.h"

#include "core/event/EventService.h"
#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "platform/gtk/MessageQueue.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

class PostedMessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        System::Log::handler = [this](const System::Log::Type&, const char* tag, const char* text) {
            std::lock_guard lock(mutex);
            lines.push_back(std::string(tag) + ": " + text);
        };
    }
    void TearDown() override { System::Log::handler = System::Log::defaultHandler; }

    std::mutex mutex;
    std::vector<std::string> lines;
};

TEST_F(PostedMessageTest, ConfirmationIsTrueOnlyForOk) {
    struct Case {
        int response;
        bool result;
    };
    const Case cases[] = {{-5 /* OK */, true}, {-6 /* Cancel */, false}, {-4 /* closed */, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.response);
        TestSupport::MessageBoxWatcher watcher(c.response);
        EXPECT_EQ(Dialog::showConfirm(L"上書きしますか？"), c.result);
        ASSERT_EQ(watcher.boxes.size(), 1u);
        EXPECT_EQ(watcher.boxes[0].title, "Movane Quorin2");
        EXPECT_EQ(watcher.boxes[0].text, "上書きしますか？");
    }
    std::lock_guard lock(mutex);
    EXPECT_TRUE(lines.empty());
}

TEST_F(PostedMessageTest, ErrorsAndExceptionsPostedFromAWorkerShowWhenTheLoopRuns) {
    System::Singleton<Event::EventService> events;
    System::Singleton<Window::WindowService> window;
    TestSupport::MessageBoxWatcher watcher;

    bool posted = false;
    std::thread worker([&] {
        posted = Dialog::postError(L"%ls 100%%", L"読み込み失敗");
        Dialog::postException(System::Exception("worker failure"));
        Platform::postQuitMessage(0);
    });
    worker.join();
    EXPECT_TRUE(posted);
    // Nothing is shown before the user-interface thread runs its loop.
    EXPECT_TRUE(watcher.boxes.empty());
    window.getInstance()->processMessage();

    ASSERT_EQ(watcher.boxes.size(), 2u);
    EXPECT_EQ(watcher.boxes[0].title, "Movane Quorin2");
    // A posted text is shown as it stands, not used as a format again.
    EXPECT_EQ(watcher.boxes[0].text, "読み込み失敗 100%");
    EXPECT_TRUE(watcher.boxes[0].owned);
    EXPECT_EQ(watcher.boxes[1].title, Dialog::exceptionCaption());
    EXPECT_EQ(watcher.boxes[1].text, "worker failure");
    std::lock_guard lock(mutex);
    const std::vector<std::string> expected = {
        "Dialog::showError: show error dialog.\n読み込み失敗 100%",
        "Dialog::showException: show exception dialog.\nworker failure"};
    EXPECT_EQ(lines, expected);
}

}  // namespace
