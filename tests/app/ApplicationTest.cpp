#include "app/Application.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Process.h"
#include "core/event/EventService.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"
#include "support/ScratchProgramFolder.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// What the test services did, in order.
std::vector<std::string> events;

template <int N>
struct Service {
    Service() { events.push_back("create " + std::to_string(N)); }
    ~Service() { events.push_back("release " + std::to_string(N)); }
};

struct FailingService {
    FailingService() {
        throw System::makeException("FailingService::FailingService", "cannot start.");
    }
};

// Ends the loop as soon as it runs.
struct QuitPoster {
    QuitPoster() { Platform::postQuitMessage(0); }
};

// A wait handle whose callback fails once the loop runs.
struct FailingWaitHandle {
    FailingWaitHandle() : fd(eventfd(1, EFD_NONBLOCK | EFD_CLOEXEC)) {
        window()->registerWaitHandle(fd, [] {
            throw System::makeException("FailingWaitHandle", "worker failed.");
        });
    }
    ~FailingWaitHandle() {
        window()->unregisterWaitHandle(fd);
        close(fd);
    }
    static Window::WindowService* window() {
        return System::Singleton<Window::WindowService>::getInstance();
    }
    int fd;
};

// The window service's row as the program's table makes it; main, when
// given, receives the main window.
App::StartupRow windowRow(Platform::WindowHandle* main = nullptr) {
    for (const App::StartupRow& row : App::startupTable()) {
        if (std::string(row.name) != "Window::WindowService") continue;
        return {row.name, [create = row.create, main] {
                    App::StartupHolder holder = create();
                    if (main) *main = FailingWaitHandle::window()->mainWindow;
                    return holder;
                }};
    }
    ADD_FAILURE() << "no window service row";
    return {};
}

template <class T>
App::StartupRow row(const char* name) {
    return {name, &App::makeHolder<T>};
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        events.clear();
        System::Log::handler = [this](const System::Log::Type& type, const char* tag,
                                      const char* text) {
            if (std::string(tag) == "Dialog::showException")
                logged.push_back(std::string(type.name) + " " + text);
        };
        watcher.whileOpen = [](const TestSupport::SeenBox&) { events.push_back("box"); };
    }
    void TearDown() override {
        System::Log::handler = System::Log::defaultHandler;
        System::Process::exceptionOccurred = false;
    }

    std::vector<std::string> logged;
    TestSupport::MessageBoxWatcher watcher;
};

const std::string kCaption = "Movane Quorin2 [" MOVANE2_VERSION "] : Application Exception";

TEST_F(ApplicationTest, ANormalEndReleasesInReverseOrderAndExitsWithZero) {
    const App::StartupRow table[] = {row<Service<1>>("1"), windowRow(), row<Service<2>>("2"),
                                     row<QuitPoster>("quit")};
    EXPECT_EQ(App::run(table, "movane2"), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"create 1", "create 2", "release 2", "release 1"}));
    EXPECT_EQ(System::Singleton<Window::WindowService>::getInstance(), nullptr);
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_FALSE(System::Process::exceptionOccurred);
}

TEST_F(ApplicationTest, AStartUpFailureReleasesWhatWasBuiltThenShowsTheBoxAndExitsWithOne) {
    Platform::WindowHandle main = nullptr;
    const App::StartupRow table[] = {
        row<Service<1>>("1"), windowRow(&main),
        row<Service<2>>("2"), row<FailingService>("failing"), row<Service<3>>("3")};
    EXPECT_EQ(App::run(table, "movane2"), 1);
    // Released in reverse order before the box; nothing after the failure.
    EXPECT_EQ(events, (std::vector<std::string>{"create 1", "create 2", "release 2", "release 1",
                                                "box"}));
    EXPECT_FALSE(Platform::isWindow(main));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    const std::string text = "cannot start.\n\n[Place]\nFailingService::FailingService()";
    EXPECT_EQ(watcher.boxes[0].title, kCaption);
    EXPECT_EQ(watcher.boxes[0].text, text);
    // The window service is gone: the box has no owner.
    EXPECT_FALSE(watcher.boxes[0].owned);
    EXPECT_EQ(logged, (std::vector<std::string>{"ERROR show exception dialog.\n" + text}));
    EXPECT_FALSE(System::Process::exceptionOccurred);
}

TEST_F(ApplicationTest, AFailureInTheLoopIsFatalShowsTheNoticeAndExitsWithOne) {
    Platform::WindowHandle main = nullptr;
    const App::StartupRow table[] = {
        row<Service<1>>("1"), windowRow(&main),
        row<FailingWaitHandle>("failing wait handle"), row<Service<2>>("2")};
    EXPECT_EQ(App::run(table, "movane2"), 1);
    EXPECT_TRUE(System::Process::exceptionOccurred);
    EXPECT_EQ(events, (std::vector<std::string>{"create 1", "create 2", "box", "release 2",
                                                "release 1"}));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    const std::string text =
        "worker failed.\n\n[Place]\nFailingWaitHandle()"
        "\n\nプロジェクトをバックアップしてアプリケーションを終了します";
    EXPECT_EQ(watcher.boxes[0].title, kCaption);
    EXPECT_EQ(watcher.boxes[0].text, text);
    EXPECT_TRUE(watcher.boxes[0].owned);
    EXPECT_EQ(logged, (std::vector<std::string>{"ERROR show exception dialog.\n" + text}));
    // After a fatal end the main window is left to the end of the process.
    EXPECT_TRUE(Platform::isWindow(main));
    Platform::destroyWindow(main);
}

// The project is safe before the box asks anything of the user: a second
// fault while the box is open, or the process ended while it waits, loses
// nothing.
TEST_F(ApplicationTest, AFatalFailureWritesTheEmergencyBackupBeforeTheBox) {
    const std::filesystem::path folder = TestSupport::makeScratchProgramFolder("movane2-fatal-");
    const std::filesystem::path recover = folder / "data" / "recover.mvp2";
    std::ofstream(folder / "data" / "resume.mvp2") << "resume";
    bool savedBeforeTheBox = false;
    watcher.whileOpen = [&](const TestSupport::SeenBox&) {
        savedBeforeTheBox = std::filesystem::exists(recover) &&
                            !std::filesystem::exists(folder / "data" / "resume.mvp2");
    };
    const App::StartupRow table[] = {row<Event::EventService>("events"), windowRow(),
                                     row<Undo::UndoService>("undo"), row<Edit::EditService>("edit"),
                                     row<FailingWaitHandle>("failing wait handle")};
    EXPECT_EQ(App::run(table, "movane2"), 1);
    EXPECT_TRUE(savedBeforeTheBox);
    EXPECT_EQ(watcher.boxes.size(), 1u);
    int emergency = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "data" / "Backup"))
        emergency += entry.path().filename().string().rfind("ExceptionBackup_", 0) == 0;
    EXPECT_EQ(emergency, 1);
    std::filesystem::remove_all(folder);
}

}  // namespace
