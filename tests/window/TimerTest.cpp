// The waitable timer and the window timer in the real message loop.
#include "core/thread/SyncTimer.h"
#include "window/Timer.h"

#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using WindowTest::runFor;
using WindowTest::runUntil;
using WindowTest::service;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class TimerTest : public WindowTest::WindowServiceTest {};

TEST_F(TimerTest, APeriodicTimerFirstFiresAfterOnePeriodThenEveryPeriodOnTheLoopThread) {
    Sync::Timer timer;
    std::vector<double> ticks;
    bool onLoopThread = true;
    const std::thread::id ui = std::this_thread::get_id();
    const Clock::time_point armed = Clock::now();
    timer.setInterval(12);
    service().registerWaitHandle(timer.getHandle(), [&] {
        ticks.push_back(msSince(armed));
        onLoopThread = onLoopThread && std::this_thread::get_id() == ui;
    });
    runFor(1000);
    const double elapsed = msSince(armed);
    timer.clear();
    ASSERT_FALSE(ticks.empty());
    EXPECT_TRUE(onLoopThread);
    // Periods that pass while the loop is busy collapse into one call, so a
    // loaded machine sees fewer calls, never more than the periods elapsed.
    // The schedule is fixed from the arming: call i never comes before
    // period i + 1 has passed, however late the loop got to the one before.
    EXPECT_LE(ticks.size(), static_cast<std::size_t>(elapsed / 12.0) + 1);
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_GE(ticks[i], 12.0 * (i + 1) - 0.5) << i;

    // Cleared: unregistered and disarmed, so nothing runs any more.
    const std::size_t count = ticks.size();
    runFor(100);
    EXPECT_EQ(ticks.size(), count);
    EXPECT_NO_THROW(timer.clear());
}

TEST_F(TimerTest, ClearingDropsAPendingSignalAndTheTimerCanBeArmedAgain) {
    Sync::Timer idle;
    EXPECT_NO_THROW(idle.clear());  // never armed

    Sync::Timer timer;
    timer.setInterval(10);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // signalled, nobody waits
    timer.clear();
    int calls = 0;
    const Clock::time_point armed = Clock::now();
    double first = 0;
    timer.setInterval(200);
    service().registerWaitHandle(timer.getHandle(), [&] {
        if (calls++ == 0) first = msSince(armed);
    });
    EXPECT_TRUE(runUntil([&] { return calls > 0; }));
    EXPECT_GE(first, 199.0);
    timer.clear();
}

TEST_F(TimerTest, ATimerDestroyedWhileRegisteredLeavesTheLoop) {
    int calls = 0;
    {
        Sync::Timer timer;
        timer.setInterval(10);
        service().registerWaitHandle(timer.getHandle(), [&] { ++calls; });
    }
    runFor(60);
    EXPECT_EQ(calls, 0);
}

TEST_F(TimerTest, SettingAWindowTimerAgainKeepsItsIdAndReplacesTheCallback) {
    System::Timer timer;
    EXPECT_NO_THROW(timer.clear());  // not set: nothing
    std::vector<char> calls;
    timer.set(15, [&] { calls.push_back('a'); });
    const auto id = timer.id;
    EXPECT_NE(id, 0u);
    timer.set(15, [&] { calls.push_back('b'); });
    EXPECT_EQ(timer.id, id);
    EXPECT_TRUE(runUntil([&] { return calls.size() >= 2; }));
    EXPECT_EQ(calls, (std::vector<char>{'b', 'b'}));
    timer.clear();
    EXPECT_EQ(timer.id, 0u);
    const std::size_t count = calls.size();
    runFor(60);
    EXPECT_EQ(calls.size(), count);
}

// A loop that was busy for several periods owes one call, not one per
// period: the next call comes at once, the one after a whole period later.
TEST_F(TimerTest, AWindowTimerCollapsesMissedPeriodsIntoOneCall) {
    constexpr double kPeriod = 40;
    System::Timer timer;
    std::vector<double> calls;
    Clock::time_point unblocked;
    const Clock::time_point start = Clock::now();
    timer.set(static_cast<int>(kPeriod), [&] {
        calls.push_back(msSince(start));
        if (calls.size() == 1) {
            std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(5 * kPeriod)));
            unblocked = Clock::now();
        }
    });
    ASSERT_TRUE(runUntil([&] { return calls.size() >= 3; }));
    timer.clear();
    const double unblockedAt = std::chrono::duration<double, std::milli>(unblocked - start).count();
    EXPECT_GE(calls[1], unblockedAt);
    EXPECT_GE(calls[2] - calls[1], kPeriod / 2) << "the missed periods came as several calls";
}

TEST_F(TimerTest, AWindowTimerCallbackMayClearItsOwnTimer) {
    System::Timer timer;
    int calls = 0;
    timer.set(10, [&] {
        ++calls;
        timer.clear();  // destroys the map entry while this callback runs
    });
    runFor(100);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(timer.isSet());
    System::Timer::timerProc(12345);  // unknown id: ignored
}

TEST_F(TimerTest, ADestroyedWindowTimerCallsNoMore) {
    int calls = 0;
    {
        System::Timer timer;
        timer.set(10, [&] { ++calls; });
    }
    runFor(60);
    EXPECT_EQ(calls, 0);
}

}  // namespace
