#pragma once
// The process-wide flags of the fatal path, of a restart after a module
// installation and of a termination request (a signal). Atomics so that
// workers, and signal handlers, may touch them.
#include <atomic>

namespace System::Process {

inline std::atomic<bool> exceptionOccurred{false};
inline std::atomic<bool> restartRequested{false};
// Set as a termination signal arrives; long work on the user-interface
// thread, where the message loop cannot see the signal, gives up on it.
inline std::atomic<bool> terminationRequested{false};

}  // namespace System::Process
