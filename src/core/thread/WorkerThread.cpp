#include "core/thread/WorkerThread.h"

#include "core/event/EventCommand.h"
#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/thread/ThreadPriority.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Worker {

namespace {

// Sets its event when the last copy of the marker task goes, whether the
// task ran or was dropped unrun, so a waiter is never left behind.
struct MarkerSignal {
    explicit MarkerSignal(std::shared_ptr<Sync::Event> done) : done(std::move(done)) {}
    ~MarkerSignal() { done->set(); }
    MarkerSignal(const MarkerSignal&) = delete;
    MarkerSignal& operator=(const MarkerSignal&) = delete;
    std::shared_ptr<Sync::Event> done;
};

}  // namespace

WorkerThread::WorkerThread(const char* name) : name_(name) {
    thread_ = std::thread([this] { threadMain(); });
}

WorkerThread::~WorkerThread() {
    try {
        stop();
    } catch (const std::exception& e) {
        System::Log::error("Worker::WorkerThread::~WorkerThread", "[%s] %s", name_, e.what());
    }
    // Only when stop ran on the worker's own thread, which cannot join itself.
    if (thread_.joinable()) thread_.detach();
}

void WorkerThread::releasePlaces(std::size_t count) {
    if (count > 0) semaphore.release(static_cast<int>(count));
}

void WorkerThread::pushTask(int key, std::function<void()> task) {
    if (!running_) return;
    const bool bounded = semaphore.isBounded();
    if (bounded) semaphore.acquire();
    std::lock_guard lock(mutex_);
    if (!running_) {
        // Stopped while this producer waited for its place.
        if (bounded) releasePlaces(1);
        return;
    }
    queue_.push_back({key, std::move(task)});
    wake_.set();
}

bool WorkerThread::takeFront(WorkerTask& out) {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    out = std::move(queue_.front());
    queue_.pop_front();
    releasePlaces(1);
    return true;
}

WorkerTask WorkerThread::popTask() {
    WorkerTask task;
    takeFront(task);
    return task;
}

void WorkerThread::removeTask(int key) {
    std::vector<WorkerTask> removed;
    {
        std::lock_guard lock(mutex_);
        const auto kept = std::stable_partition(queue_.begin(), queue_.end(),
                                                [key](const WorkerTask& t) { return t.key != key; });
        std::move(kept, queue_.end(), std::back_inserter(removed));
        queue_.erase(kept, queue_.end());
        releasePlaces(removed.size());
    }
    // The removed tasks are destroyed here, outside the lock.
}

void WorkerThread::waitAllTasks() {
    auto done = std::make_shared<Sync::Event>();
    {
        auto marker = std::make_shared<MarkerSignal>(done);
        pushTask(-1, [marker] { marker->done->set(); });
    }
    done->wait();
}

bool WorkerThread::processTask() {
    WorkerTask front;
    if (!takeFront(front)) return false;
    try {
        front.task();  // an empty task raises std::bad_function_call
    } catch (const std::exception& e) {
        System::Log::error("Worker::WorkerThread::processTask", "[%s] exception.\n%s", name_, e.what());
        Event::postEventCommand(Event::EventCommandType::RethrowException,
                                std::make_unique<System::Exception>(e.what()));
    }
    return true;
}

void WorkerThread::threadMain() {
    System::Process::SetThreadPriority("WorkerThreadPriority");
    for (;;) {
        bool empty;
        {
            std::lock_guard lock(mutex_);
            // Producers set the event under the same lock after appending,
            // and stop clears the flag under it before setting the event,
            // so no wake-up is lost.
            if (!running_) break;
            empty = queue_.empty();
            if (empty) wake_.reset();
        }
        if (empty) wake_.wait();
        while (running_ && processTask()) {
        }
    }
}

void WorkerThread::stop() {
    {
        std::lock_guard lock(mutex_);
        if (!running_.exchange(false)) return;
    }
    wake_.set();
    thread_.join();
    std::deque<WorkerTask> discarded;
    {
        std::lock_guard lock(mutex_);
        discarded.swap(queue_);
        // Producers waiting for a place find the worker stopped and leave.
        releasePlaces(discarded.size());
    }
}

std::size_t WorkerThread::getTaskCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

}  // namespace Worker
