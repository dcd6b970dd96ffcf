#include "core/event/MessageBox.h"
#include "platform/gtk/MessageQueue.h"
#include "window/WindowTestSupport.h"

#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

using WindowTest::runFor;
using WindowTest::runUntil;
using WindowTest::service;

namespace {

class WaitHandleTest : public WindowTest::WindowServiceTest {
protected:
    int makeEvent() {
        const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        fds.push_back(fd);
        return fd;
    }
    static void signal(int fd) {
        const std::uint64_t one = 1;
        ASSERT_EQ(write(fd, &one, sizeof one), static_cast<ssize_t>(sizeof one));
    }
    void TearDown() override {
        for (int fd : fds) service().unregisterWaitHandle(fd);
        for (int fd : fds) close(fd);
        WindowServiceTest::TearDown();
    }
    std::vector<int> fds;
    std::vector<std::string> calls;
};

TEST_F(WaitHandleTest, ASignalledHandleRunsItsFirstCallbackOncePerSignal) {
    const int event = makeEvent();
    service().registerWaitHandle(event, [&] { calls.push_back("first"); });
    service().registerWaitHandle(event, [&] { calls.push_back("second"); });
    signal(event);
    signal(event);  // the counter is consumed at once: one run
    runUntil([&] { return !calls.empty(); });
    runFor(50);
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
    signal(event);
    runUntil([&] { return calls.size() > 1; });
    runFor(50);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "first"}));
}

TEST_F(WaitHandleTest, ACallbackMayReplaceItsOwnHandleWithAnother) {
    const int a = makeEvent();
    const int b = makeEvent();
    service().unregisterWaitHandle(12345);  // unknown: nothing happens
    service().registerWaitHandle(a, [&] {
        calls.push_back("a");
        service().unregisterWaitHandle(a);
        service().registerWaitHandle(b, [&] {
            calls.push_back("b");
            Platform::postQuitMessage(0);
        });
        signal(a);
        signal(b);
    });
    signal(a);
    runFor(10000);
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "b"}));
}

TEST_F(WaitHandleTest, AWaitableTimerFires) {
    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    fds.push_back(timer);
    itimerspec period{};
    period.it_value.tv_nsec = 20'000'000;
    period.it_interval.tv_nsec = 20'000'000;
    timerfd_settime(timer, 0, &period, nullptr);
    int ticks = 0;
    service().registerWaitHandle(timer, [&] {
        if (++ticks == 3) Platform::postQuitMessage(0);
    });
    runFor(10000);
    EXPECT_EQ(ticks, 3);
}

TEST_F(WaitHandleTest, ACallbackFailureLeavesTheLoop) {
    const int event = makeEvent();
    service().registerWaitHandle(event, [] { throw std::runtime_error("callback failed"); });
    signal(event);
    try {
        service().processMessage();
        FAIL() << "the loop ended normally";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "callback failed");
    }
}

TEST_F(WaitHandleTest, AnEmptyCallbackFailsWithBadFunctionCall) {
    const int event = makeEvent();
    service().registerWaitHandle(event, std::function<void()>());
    signal(event);
    EXPECT_THROW(service().processMessage(), std::bad_function_call);
}

TEST_F(WaitHandleTest, AModalBoxDoesNotServeWaitHandles) {
    const int opener = makeEvent();
    const int other = makeEvent();
    bool otherRanWhileOpen = false;
    bool boxOpen = false;
    service().registerWaitHandle(other, [&] {
        otherRanWhileOpen = otherRanWhileOpen || boxOpen;
        calls.push_back("other");
        Platform::postQuitMessage(0);
    });
    service().registerWaitHandle(opener, [&] {
        calls.push_back("opener");
        signal(other);
        boxOpen = true;
        Dialog::showErrorBox("text", "caption");
        boxOpen = false;
    });
    TestSupport::MessageBoxWatcher watcher;
    signal(opener);
    runFor(10000);
    EXPECT_EQ(watcher.boxes.size(), 1u);
    EXPECT_FALSE(otherRanWhileOpen);
    EXPECT_EQ(calls, (std::vector<std::string>{"opener", "other"}));
}

}  // namespace
