#include "core/thread/SyncEvent.h"

#include "core/base/Exception.h"

#include <system_error>

namespace Sync {

void Event::set() {
    // Notified under the lock: a waiter cannot see the flag, return and
    // destroy the event (a sender waiting for its command does) while the
    // notification still uses it.
    std::lock_guard lock(mutex_);
    signalled_ = true;
    changed_.notify_all();
}

void Event::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

void Event::wait() {
    try {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return signalled_; });
    } catch (const std::system_error& e) {
        throw System::makeErrnoException("WaitForSingleObject", "Sync::Event::wait", e.code().value());
    }
}

bool Event::isSet() const {
    std::lock_guard lock(mutex_);
    return signalled_;
}

}  // namespace Sync
