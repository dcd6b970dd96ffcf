#include "core/thread/SyncTimer.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/event/UserInterface.h"

#include <cerrno>
#include <sys/timerfd.h>
#include <unistd.h>

namespace Sync {

namespace {

itimerspec periodOf(int milliseconds) {
    itimerspec timing{};
    timing.it_interval.tv_sec = milliseconds / 1000;
    timing.it_interval.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    timing.it_value = timing.it_interval;
    // A zero period signals once, at once.
    if (milliseconds == 0) timing.it_value.tv_nsec = 1;
    return timing;
}

}  // namespace

Timer::Timer() : handle_(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (handle_ < 0) throw System::makeLastErrorException("CreateWaitableTimer", "Sync::Timer::Timer");
}

Timer::~Timer() {
    unregister();
    ::close(handle_);
}

void Timer::setInterval(int milliseconds) {
    constexpr const char* place = "Sync::Timer::setInterval";
    if (milliseconds < 0) throw System::makeErrnoException("SetWaitableTimer", place, EINVAL);
    // Arming also drops a signal still pending from before.
    const itimerspec timing = periodOf(milliseconds);
    if (::timerfd_settime(handle_, 0, &timing, nullptr) != 0)
        throw System::makeLastErrorException("SetWaitableTimer", place);
}

void Timer::clear() {
    unregister();
    const itimerspec disarmed{};
    if (::timerfd_settime(handle_, 0, &disarmed, nullptr) != 0)
        throw System::makeLastErrorException("CancelWaitableTimer", "Sync::Timer::clear");
}

void Timer::unregister() noexcept {
    if (auto* ui = System::UserInterface::current()) ui->unregisterWaitHandle(handle_);
}

}  // namespace Sync
