// Commands that reach the user-interface thread through the real main
// window and message loop.
#include "core/event/EventService.h"

#include "core/base/Process.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace Render {
enum class RenderTaskType : int { ObjectTask = 0, Preview = 1, Playback = 2, OneShot = 3 };
}  // namespace Render

namespace {

using WindowTest::runFor;
using WindowTest::runUntil;

int livePayloads = 0;

struct CountedException : std::runtime_error {
    explicit CountedException(const char* text) : std::runtime_error(text) { ++livePayloads; }
    ~CountedException() override { --livePayloads; }
};

class EventCommandTest : public WindowTest::WindowServiceTest {
protected:
    void SetUp() override {
        WindowServiceTest::SetUp();
        livePayloads = 0;
        events = std::make_unique<System::Singleton<Event::EventService>>();
    }
    void TearDown() override {
        events.reset();
        runFor(20);  // what is still queued finds no event service
        System::Process::exceptionOccurred = false;
        WindowServiceTest::TearDown();
    }
    Event::EventService& service() { return *System::Singleton<Event::EventService>::getInstance(); }

    // Runs f on another thread and waits for it.
    static void fromWorker(const std::function<void()>& f) { std::thread(f).join(); }

    std::unique_ptr<System::Singleton<Event::EventService>> events;
    std::vector<std::string> calls;
};

TEST_F(EventCommandTest, CommandsPostedByOtherThreadsRunOnTheUserInterfaceThreadInOrder) {
    const std::thread::id ui = std::this_thread::get_id();
    service().renderVideoFrame.add(&calls, [&](Render::RenderTaskType type, int frame) {
        EXPECT_EQ(std::this_thread::get_id(), ui);
        EXPECT_EQ(type, Render::RenderTaskType::Preview);
        calls.push_back("frame " + std::to_string(frame));
    });
    service().preLoadComplete.add(&calls, [&] { calls.push_back("preload"); });
    fromWorker([] {
        for (int frame : {3, 1, 2}) Event::postEventCommand(Event::EventCommandType::RenderVideoFrame, frame);
        Event::postEventCommand(Event::EventCommandType::PreLoadComplete, 0);
    });
    EXPECT_TRUE(runUntil([&] { return calls.size() == 4; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"frame 3", "frame 1", "frame 2", "preload"}));
}

TEST_F(EventCommandTest, AWorkerFailureLeavesTheLoopOnceAndItsPayloadIsFreed) {
    fromWorker([] {
        Event::postEventCommand(Event::EventCommandType::RethrowException,
                                std::make_unique<CountedException>("frame failed"));
    });
    EXPECT_EQ(livePayloads, 1);
    try {
        WindowTest::service().processMessage();
        ADD_FAILURE() << "the loop ended without the failure";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "frame failed");
    }
    EXPECT_EQ(livePayloads, 0);

    // Once the program is ending, later failures are not raised again.
    System::Process::exceptionOccurred = true;
    fromWorker([] {
        Event::postEventCommand(Event::EventCommandType::RethrowException,
                                std::make_unique<CountedException>("second"));
    });
    EXPECT_NO_THROW(runUntil([] { return livePayloads == 0; }));
    EXPECT_EQ(livePayloads, 0);
}

TEST_F(EventCommandTest, PostedErrorsAndExceptionsAreShownAndTheTextIsNotReadAsAFormat) {
    TestSupport::MessageBoxWatcher watcher;
    fromWorker([] {
        Event::postEventCommand(Event::EventCommandType::ShowError,
                                std::make_unique<std::wstring>(L"進捗 100%d 完了"));
        Event::postEventCommand(Event::EventCommandType::ShowException,
                                std::make_unique<CountedException>("export failed"));
    });
    EXPECT_TRUE(runUntil([&] { return watcher.boxes.size() == 2; }));
    ASSERT_EQ(watcher.boxes.size(), 2u);
    EXPECT_EQ(watcher.boxes[0].title, "Movane Quorin2");
    EXPECT_EQ(watcher.boxes[0].text, "進捗 100%d 完了");
    EXPECT_EQ(watcher.boxes[1].title, "Movane Quorin2 [" MOVANE2_VERSION "] : Application Exception");
    EXPECT_EQ(watcher.boxes[1].text, "export failed");
    EXPECT_EQ(livePayloads, 0);
}

TEST_F(EventCommandTest, FailuresAndExportEndsWaitWhileAPopupIsOpenThenRunInOrder) {
    bool popupOpen = true;
    service().deferCommands = [&] { return popupOpen; };
    service().outputFileEnd = [&] { calls.push_back("export end"); };
    service().frameChange.add(&calls, [&](int) {});
    service().renderVideoFrame.add(&calls, [&](Render::RenderTaskType, int) { calls.push_back("frame"); });
    TestSupport::MessageBoxWatcher watcher;
    watcher.whileOpen = [&](const TestSupport::SeenBox& box) { calls.push_back("box " + box.text); };
    fromWorker([] {
        Event::postEventCommand(Event::EventCommandType::ShowError, std::make_unique<std::wstring>(L"一つ目"));
        Event::postEventCommand(Event::EventCommandType::OutputFileEnd, 0);
        Event::postEventCommand(Event::EventCommandType::RenderVideoFrame, 3);
        Event::postEventCommand(Event::EventCommandType::ShowException,
                                std::make_unique<CountedException>("二つ目"));
    });
    // The frame result is no failure: it goes through at once.
    ASSERT_TRUE(runUntil([&] { return calls.size() == 1; }));
    runFor(100);
    EXPECT_EQ(calls, (std::vector<std::string>{"frame"}));
    service().flushDeferredCommands();  // still open: nothing
    EXPECT_EQ(calls.size(), 1u);
    popupOpen = false;
    service().flushDeferredCommands();
    EXPECT_EQ(calls, (std::vector<std::string>{"frame", "box 一つ目", "export end", "box 二つ目"}));
    EXPECT_EQ(livePayloads, 0);
    service().deferCommands = nullptr;
    service().outputFileEnd = nullptr;
}

TEST_F(EventCommandTest, PayloadsOfCommandsThatNeverRanAreFreedWithTheEventService) {
    fromWorker([] {
        Event::postEventCommand(Event::EventCommandType::ShowException,
                                std::make_unique<CountedException>("never shown"));
    });
    EXPECT_EQ(livePayloads, 1);
    events.reset();
    EXPECT_EQ(livePayloads, 0);
}

TEST_F(EventCommandTest, ASentCommandReturnsOnlyAfterTheUserInterfaceThreadRanIt) {
    std::vector<std::thread::id> ranOn;
    service().preLoadComplete.add(&calls, [&] { ranOn.push_back(std::this_thread::get_id()); });
    auto sender = std::async(std::launch::async, [&] {
        Event::sendEventCommand(Event::EventCommandType::PreLoadComplete, 0);
        return ranOn.size();  // read after the send returned
    });
    EXPECT_EQ(sender.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    EXPECT_TRUE(runUntil([&] {
        return sender.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }));
    EXPECT_EQ(sender.get(), 1u);
    ASSERT_EQ(ranOn.size(), 1u);
    EXPECT_EQ(ranOn[0], std::this_thread::get_id());
}

TEST_F(EventCommandTest, ASenderWhoseCommandCannotRunAnyMoreIsReleased) {
    auto sender = std::async(std::launch::async, [] {
        Event::sendEventCommand(Event::EventCommandType::PreLoadComplete, 0);
    });
    EXPECT_EQ(sender.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    events.reset();  // the loop never ran it
    EXPECT_EQ(sender.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

}  // namespace
