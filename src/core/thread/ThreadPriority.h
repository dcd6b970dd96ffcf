#pragma once
// The thread priority that the user-interface thread ("MainThreadPriority",
// once at start-up) and every worker thread ("WorkerThreadPriority", when it
// starts) take from section "Config" of system.conf. Values are the
// system's priority levels (-15 idle, -2 lowest, -1 below normal, 0 normal,
// 1 above normal, 2 highest, 15 time critical); 0 or an empty value leaves
// the thread alone. A malformed value or a level the system refuses (raising
// a thread's priority needs privileges) is logged; the thread keeps its
// priority and the program goes on.
namespace System::Process {

void SetThreadPriority(const char* key);

// The nice value of the calling thread for a priority level; false for a
// value that is no priority level.
bool niceForPriority(int priority, int& nice);

}  // namespace System::Process
