#include "edit/scope/ProjectLock.h"

#include "core/base/Exception.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

namespace Edit {

namespace {

// The project locks the calling thread holds; a thread holds one or none in
// practice, so a short list is enough.
thread_local std::vector<const ProjectLock*> heldLocks;

void forget(const ProjectLock* lock) {
    auto it = std::find(heldLocks.begin(), heldLocks.end(), lock);
    if (it != heldLocks.end()) heldLocks.erase(it);
}

}  // namespace

ProjectLock::ProjectLock() {
    pthread_rwlockattr_t attr;
    pthread_rwlockattr_init(&attr);
    pthread_rwlockattr_setkind_np(&attr, PTHREAD_RWLOCK_PREFER_WRITER_NONRECURSIVE_NP);
    const int result = pthread_rwlock_init(&lock_, &attr);
    pthread_rwlockattr_destroy(&attr);
    if (result != 0) throw System::makeErrnoException("pthread_rwlock_init", "Edit::ProjectLock::ProjectLock", result);
}

ProjectLock::~ProjectLock() { pthread_rwlock_destroy(&lock_); }

bool ProjectLock::isHeldByThisThread() const {
    return std::find(heldLocks.begin(), heldLocks.end(), this) != heldLocks.end();
}

void ProjectLock::checkNotHeld(const char* place) const {
    if (isHeldByThisThread()) throw System::makeException(place, "project lock is already held by this thread.");
}

void ProjectLock::lock() {
    checkNotHeld("Edit::ProjectLock::lock");
    const int result = pthread_rwlock_wrlock(&lock_);
    if (result != 0) throw System::makeErrnoException("pthread_rwlock_wrlock", "Edit::ProjectLock::lock", result);
    heldLocks.push_back(this);
}

void ProjectLock::unlock() {
    forget(this);
    pthread_rwlock_unlock(&lock_);
}

void ProjectLock::lockShared() {
    checkNotHeld("Edit::ProjectLock::lockShared");
    const int result = pthread_rwlock_rdlock(&lock_);
    if (result != 0) throw System::makeErrnoException("pthread_rwlock_rdlock", "Edit::ProjectLock::lockShared", result);
    heldLocks.push_back(this);
}

void ProjectLock::unlockShared() {
    forget(this);
    pthread_rwlock_unlock(&lock_);
}

bool ProjectLock::tryLockSharedFor(std::chrono::milliseconds timeout) {
    checkNotHeld("Edit::ProjectLock::tryLockSharedFor");
    timespec deadline{};
    // The realtime form: the sanitizers know it.
    clock_gettime(CLOCK_REALTIME, &deadline);
    const long long nanos = deadline.tv_nsec + static_cast<long long>(timeout.count() % 1000) * 1000000LL;
    deadline.tv_sec += static_cast<time_t>(timeout.count() / 1000 + nanos / 1000000000LL);
    deadline.tv_nsec = static_cast<long>(nanos % 1000000000LL);
    const int result = pthread_rwlock_timedrdlock(&lock_, &deadline);
    if (result == ETIMEDOUT) return false;
    if (result != 0)
        throw System::makeErrnoException("pthread_rwlock_timedrdlock", "Edit::ProjectLock::tryLockSharedFor", result);
    heldLocks.push_back(this);
    return true;
}

}  // namespace Edit
