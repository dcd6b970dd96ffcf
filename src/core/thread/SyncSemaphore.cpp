#include "core/thread/SyncSemaphore.h"

#include "core/base/Exception.h"

#include <cerrno>
#include <system_error>

namespace Sync {

void Semaphore::setMax(int n) {
    std::lock_guard lock(mutex_);
    if (max_ != 0 || n == 0) return;
    if (n < 0) throw System::makeErrnoException("CreateSemaphore", "Sync::Semaphore::setMax", EINVAL);
    max_ = n;
    count_ = n;
}

int Semaphore::getMax() const {
    std::lock_guard lock(mutex_);
    return max_;
}

void Semaphore::acquire() {
    try {
        std::unique_lock lock(mutex_);
        if (max_ == 0) return;
        freed_.wait(lock, [this] { return count_ > 0; });
        --count_;
    } catch (const std::system_error& e) {
        throw System::makeErrnoException("WaitForSingleObject", "Sync::Semaphore::acquire",
                                         e.code().value());
    }
}

void Semaphore::release(int count) {
    // Notified under the lock, as Event::set: the waiter may destroy the
    // semaphore as soon as it holds its unit.
    std::lock_guard lock(mutex_);
    if (max_ == 0 || count <= 0 || count > max_ - count_) return;
    count_ += count;
    freed_.notify_all();
}

int Semaphore::getCount() const {
    std::lock_guard lock(mutex_);
    return count_;
}

}  // namespace Sync
