#include "core/thread/WorkerThread.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A task that holds the worker until the test opens it.
class Gate {
public:
    std::function<void()> task() {
        return [this] {
            entered_.set();
            open_.wait();
        };
    }
    void waitEntered() { entered_.wait(); }
    void open() { open_.set(); }

private:
    Sync::Event entered_;
    Sync::Event open_;
};

// What the tasks did, in order, from the worker thread.
class Journal {
public:
    std::function<void()> entry(std::string name) {
        return [this, name] {
            std::lock_guard lock(mutex_);
            names_.push_back(name);
        };
    }
    std::vector<std::string> names() {
        std::lock_guard lock(mutex_);
        return names_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> names_;
};

// Runs f on a thread of its own; finished() tells whether it returned.
class Producer {
public:
    explicit Producer(std::function<void()> f) : result_(std::async(std::launch::async, std::move(f))) {}
    bool finished(std::chrono::milliseconds within) {
        return result_.wait_for(within) == std::future_status::ready;
    }

private:
    std::future<void> result_;
};

TEST(WorkerThreadTest, TasksRunInPostingOrderAndWaitForAllIsABarrierBehindThem) {
    Worker::WorkerThread worker("Test");
    Journal journal;
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i) {
        expected.push_back(std::to_string(i));
        worker.pushTask(i % 3, journal.entry(expected.back()));
    }
    worker.waitAllTasks();
    EXPECT_EQ(journal.names(), expected);
    EXPECT_EQ(worker.getTaskCount(), 0u);
    // On an idle worker the barrier returns once its marker ran.
    worker.waitAllTasks();
    EXPECT_TRUE(worker.isRunning());
}

TEST(WorkerThreadTest, ABoundedQueueBlocksItsProducerUntilTheWorkerTakesATask) {
    Worker::WorkerThread worker("Test");
    worker.semaphore.setMax(2);
    worker.semaphore.setMax(5);  // the first bound stays
    EXPECT_EQ(worker.semaphore.getMax(), 2);
    Gate gate;
    Journal journal;
    worker.pushTask(0, gate.task());
    gate.waitEntered();  // taken: its place is free again
    worker.pushTask(0, journal.entry("a"));
    worker.pushTask(0, journal.entry("b"));
    EXPECT_EQ(worker.getTaskCount(), 2u);
    Producer producer([&] { worker.pushTask(0, journal.entry("c")); });
    EXPECT_FALSE(producer.finished(100ms));
    gate.open();
    EXPECT_TRUE(producer.finished(5s));
    worker.waitAllTasks();
    EXPECT_EQ(journal.names(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(worker.semaphore.getCount(), 2);
}

TEST(WorkerThreadTest, RemovingAKeyFreesItsPlacesAtOnceAndKeepsTheOrderOfTheRest) {
    Worker::WorkerThread worker("Test");
    worker.semaphore.setMax(4);
    Gate gate;
    Journal journal;
    worker.pushTask(0, gate.task());
    gate.waitEntered();
    worker.pushTask(7, journal.entry("k1"));
    worker.pushTask(1, journal.entry("j"));
    worker.pushTask(7, journal.entry("k2"));
    worker.pushTask(7, journal.entry("k3"));
    Producer first([&] { worker.pushTask(2, journal.entry("p1")); });
    Producer second([&] { worker.pushTask(2, journal.entry("p2")); });
    EXPECT_FALSE(first.finished(100ms));
    worker.removeTask(7);
    EXPECT_TRUE(first.finished(5s));
    EXPECT_TRUE(second.finished(5s));
    EXPECT_EQ(worker.getTaskCount(), 3u);
    worker.removeTask(42);  // no such key: nothing changes
    gate.open();
    worker.waitAllTasks();
    const std::vector<std::string> names = journal.names();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "j");
    EXPECT_EQ(worker.semaphore.getCount(), 4);
}

TEST(WorkerThreadTest, StopFinishesTheRunningTaskDropsTheRestAndReleasesEveryWaiter) {
    auto worker = std::make_unique<Worker::WorkerThread>("Test");
    worker->semaphore.setMax(1);
    Gate gate;
    Journal journal;
    std::atomic<bool> finishedRunning{false};
    worker->pushTask(0, [&] {
        gate.task()();
        finishedRunning = true;
    });
    gate.waitEntered();
    worker->pushTask(0, journal.entry("queued"));
    Producer blocked([&] { worker->pushTask(0, journal.entry("blocked")); });
    Producer barrier([&] { worker->waitAllTasks(); });
    EXPECT_FALSE(blocked.finished(100ms));
    EXPECT_FALSE(barrier.finished(0ms));

    Producer stopper([&] { worker->stop(); });
    EXPECT_FALSE(stopper.finished(50ms));  // the running task finishes first
    gate.open();
    EXPECT_TRUE(stopper.finished(5s));
    EXPECT_TRUE(finishedRunning);
    EXPECT_TRUE(blocked.finished(5s));
    EXPECT_TRUE(barrier.finished(5s));
    EXPECT_FALSE(worker->isRunning());
    EXPECT_EQ(worker->getTaskCount(), 0u);

    // Stopped: posts are dropped unrun and the barrier returns at once.
    worker->pushTask(0, journal.entry("late"));
    worker->waitAllTasks();
    worker->stop();
    worker.reset();
    EXPECT_TRUE(journal.names().empty());
}

// A stop that comes while the worker is about to sleep must still wake it:
// workers stopped at varying moments of their first turns, on more threads
// than there are processors so that they are preempted anywhere, never hang.
TEST(WorkerThreadTest, AStopAtAnyMomentOfTheWorkersTurnIsNeverLost) {
    constexpr int kThreads = 16;
    constexpr int kCycles = 1000;
    std::atomic<int> stopped{0};
    std::vector<std::thread> cycles;
    for (int t = 0; t < kThreads; ++t)
        cycles.emplace_back([&] {
            for (int i = 0; i < kCycles; ++i) {
                Worker::WorkerThread worker("cycle");
                worker.pushTask(0, [] {});
                const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(i % 40);
                while (std::chrono::steady_clock::now() < until) {
                }
                worker.stop();
                ++stopped;
            }
        });
    for (int waited = 0; waited < 1200 && stopped < kThreads * kCycles; ++waited)
        std::this_thread::sleep_for(100ms);
    if (stopped < kThreads * kCycles) {
        for (auto& thread : cycles) thread.detach();
        FAIL() << "a stop was lost: a worker sleeps on";
    }
    for (auto& thread : cycles) thread.join();
}

TEST(WorkerThreadTest, RemovingTheMarkerReleasesItsWaiter) {
    Worker::WorkerThread worker("Test");
    Gate gate;
    worker.pushTask(0, gate.task());
    gate.waitEntered();
    Producer barrier([&] { worker.waitAllTasks(); });
    while (worker.getTaskCount() == 0) std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(barrier.finished(50ms));
    worker.removeTask(-1);
    EXPECT_TRUE(barrier.finished(5s));
    gate.open();
}

TEST(WorkerThreadTest, AFailingTaskIsLoggedWithTheWorkerNameAndTheWorkerGoesOn) {
    CoreTest::LogLines log;
    Worker::WorkerThread worker("RenderVideoWorker");
    Journal journal;
    worker.pushTask(1, [] { throw std::runtime_error("frame failed"); });
    worker.pushTask(1, std::function<void()>());  // an empty task fails as a call
    worker.pushTask(1, journal.entry("next"));
    worker.waitAllTasks();
    EXPECT_EQ(journal.names(), (std::vector<std::string>{"next"}));
    const auto errors = log.of(System::Log::ERROR);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].tag, "Worker::WorkerThread::processTask");
    EXPECT_EQ(errors[0].text, "[RenderVideoWorker] exception.\nframe failed");
    EXPECT_EQ(errors[1].text, "[RenderVideoWorker] exception.\nbad_function_call");
}

TEST(SemaphoreTest, AReleaseBeyondTheMaximumIsRefusedAsAWhole) {
    Sync::Semaphore semaphore;
    semaphore.acquire();  // unbounded: returns at once
    semaphore.setMax(3);
    semaphore.acquire();
    semaphore.acquire();
    semaphore.release(3);
    EXPECT_EQ(semaphore.getCount(), 1);
    semaphore.release(2);
    EXPECT_EQ(semaphore.getCount(), 3);
}

// A sender waits for its command on an event of its own and returns at once;
// a producer's semaphore may go as soon as its unit came back. Whoever set
// or released must be done with the object by then.
TEST(SyncWaitTest, TheWaiterMayDestroyTheObjectAsSoonAsItIsReleased) {
    std::atomic<Sync::Event*> event{nullptr};
    std::atomic<Sync::Semaphore*> semaphore{nullptr};
    std::atomic<bool> stop{false};
    std::thread other([&] {
        while (!stop) {
            if (Sync::Event* e = event.exchange(nullptr)) e->set();
            if (Sync::Semaphore* s = semaphore.exchange(nullptr)) s->release(1);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        auto e = std::make_unique<Sync::Event>();
        event = e.get();
        e->wait();
        e.reset();
        auto s = std::make_unique<Sync::Semaphore>();
        s->setMax(1);
        s->acquire();
        semaphore = s.get();
        s->acquire();
        s.reset();
    }
    stop = true;
    other.join();
}

}  // namespace
