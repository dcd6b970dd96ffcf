#pragma once
// The project lock: edit scopes hold it exclusively on the user-interface
// thread, render tasks hold it shared on the workers. A writer that waits
// stops new readers from entering, so an edit never starves behind render
// tasks that re-take the lock back to back.
//
// Not re-entrant. Because a waiting writer blocks new readers, a thread
// that took the lock again while holding it would wait for itself; every
// acquisition by a thread that already holds this lock (in either mode)
// throws instead.
#include <pthread.h>

#include <chrono>

namespace Edit {

class ProjectLock {
public:
    ProjectLock();
    ~ProjectLock();
    ProjectLock(const ProjectLock&) = delete;
    ProjectLock& operator=(const ProjectLock&) = delete;

    void lock();
    void unlock();
    void lockShared();
    void unlockShared();
    // Shared, waiting at most `timeout`; false when the time ran out.
    bool tryLockSharedFor(std::chrono::milliseconds timeout);

    // Whether the calling thread holds this lock, in either mode.
    bool isHeldByThisThread() const;

private:
    void checkNotHeld(const char* place) const;

    pthread_rwlock_t lock_;
};

}  // namespace Edit
