// A task that fails on a worker ends the program through the fatal path of
// the process entry: the real start-up table's window row, the event
// service and the message loop.
#include "app/Application.h"
#include "core/event/EventService.h"
#include "core/base/Process.h"
#include "core/thread/WorkerThread.h"

#include "core/CoreTestSupport.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A service whose worker fails twice while the program runs.
struct FailingRenderService {
    FailingRenderService() {
        worker.pushTask(1, [] { throw std::runtime_error("frame failed"); });
        worker.pushTask(1, [] { throw std::runtime_error("second frame failed"); });
    }
    Worker::WorkerThread worker{"RenderVideoWorker"};
};

App::StartupRow programRow(const char* name) {
    for (const App::StartupRow& row : App::startupTable())
        if (std::string(row.name) == name) return row;
    ADD_FAILURE() << "no row " << name;
    return {};
}

TEST(WorkerFatalTest, AFailedTaskIsLoggedAndEndsTheProgramThroughTheFatalPathOnce) {
    TestSupport::useTestDisplay();
    TestSupport::MessageBoxWatcher watcher;
    CoreTest::LogLines log;
    const App::StartupRow table[] = {
        programRow("Event::EventService"), programRow("Window::WindowService"),
        {"FailingRenderService", &App::makeHolder<FailingRenderService>}};
    EXPECT_EQ(App::run(table, "movane2"), 1);
    EXPECT_TRUE(System::Process::exceptionOccurred);
    System::Process::exceptionOccurred = false;

    std::vector<std::string> workerLines, shown;
    for (const CoreTest::CapturedLine& line : log.of(System::Log::ERROR)) {
        if (line.tag == "Worker::WorkerThread::processTask") workerLines.push_back(line.text);
        if (line.tag == "Dialog::showException") shown.push_back(line.text);
    }
    EXPECT_EQ(workerLines, (std::vector<std::string>{"[RenderVideoWorker] exception.\nframe failed",
                                                     "[RenderVideoWorker] exception.\nsecond frame failed"}));
    const std::string fatal = "frame failed\n\nプロジェクトをバックアップしてアプリケーションを終了します";
    EXPECT_EQ(shown, (std::vector<std::string>{"show exception dialog.\n" + fatal}));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text, fatal);
}

}  // namespace
