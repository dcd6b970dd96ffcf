#pragma once
// The process-wide pointer of a transfer buffer: the first buffer built
// claims it, and a buffer going away clears it.
#include <atomic>

namespace Cache::Detail {

template <class T>
void claimSlot(std::atomic<T*>& slot, T* self) {
    T* expected = nullptr;
    slot.compare_exchange_strong(expected, self);
}

}  // namespace Cache::Detail
