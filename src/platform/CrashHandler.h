#pragma once
// The last chance of a process that is about to die of a hard fault
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) outside every fault guard: the
// recovery callback runs once, best effort, on an alternate stack, and the
// signal then takes its default action (core dump, exit with the signal).
//
// The callback runs inside a signal handler, on whichever thread faulted:
// it must not wait for anything the faulting thread may hold. A second
// fault while it runs skips it and ends the process at once.
//
// Install before the first fault-guarded call: the guard passes unguarded
// faults on to the handler that was in place when it installed itself.
namespace Platform::CrashHandler {

// Installs the handlers once, and an alternate signal stack for the calling
// thread when it has none.
void install();

// The function to run on the first fatal signal; null removes it. Any thread.
void setRecoveryCallback(void (*callback)());

}  // namespace Platform::CrashHandler
