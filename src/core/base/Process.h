#pragma once
// The two process-wide flags of the fatal path and of a restart after a
// module installation. Written on the user-interface thread; atomics so that
// workers may read them.
#include <atomic>

namespace System::Process {

inline std::atomic<bool> exceptionOccurred{false};
inline std::atomic<bool> restartRequested{false};

}  // namespace System::Process
