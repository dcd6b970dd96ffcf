#pragma once
// A named thread that runs queued tasks one at a time in posting order.
// Tasks carry an int key that groups them for removal (-1 is the marker of
// waitAllTasks). With a bound set on `semaphore` (right after construction,
// before the first post) a producer waits while the queue is full; a place
// is given back when the worker takes a task, not when it has run.
//
// A std::exception that escapes a task is logged with the worker's name and
// handed to the user-interface thread (command 4), where it ends the
// program; the worker goes on with the next task.
//
// Any thread may post, remove and wait. stop (also run by the destructor)
// lets the running task finish, runs nothing further and drops the rest;
// from then on posts are dropped, waitAllTasks returns at once, and
// producers waiting for a place are released.
#include "core/thread/SyncEvent.h"
#include "core/thread/SyncSemaphore.h"

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Worker {

struct WorkerTask {
    int key = 0;
    std::function<void()> task;
};

class WorkerThread {
public:
    // Starts the thread; failing that raises std::system_error
    // (resource unavailable, try again). name is kept, not copied.
    explicit WorkerThread(const char* name);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void pushTask(int key, std::function<void()> task);
    // The front task, or {0, empty} when the queue is empty.
    WorkerTask popTask();
    // Drops every queued task with the key; a running task goes on.
    void removeTask(int key);
    // Returns when every task posted before the call has run (or was
    // dropped). Never call it from a task of the same worker.
    void waitAllTasks();
    // Runs the front task; false when there was none.
    bool processTask();
    void stop();

    std::size_t getTaskCount() const;
    bool isRunning() const { return running_.load(); }
    const char* getName() const { return name_; }

    // The queue bound (free places); unbounded until setMax.
    Sync::Semaphore semaphore;

private:
    void threadMain();
    bool takeFront(WorkerTask& out);
    void releasePlaces(std::size_t count);

    mutable std::mutex mutex_;
    Sync::Event wake_;
    std::thread thread_;
    std::deque<WorkerTask> queue_;
    std::atomic<bool> running_{true};
    const char* name_;
};

}  // namespace Worker
