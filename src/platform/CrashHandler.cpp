#include "platform/CrashHandler.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <mutex>

namespace Platform::CrashHandler {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

std::atomic<void (*)()> gCallback{nullptr};
// Set by the first fatal signal; every later one goes straight on.
std::atomic<bool> gEntered{false};
std::once_flag gInstalled;

void handler(int signal, siginfo_t* info, void*) {
    if (!gEntered.exchange(true)) {
        if (void (*callback)() = gCallback.load()) callback();
    }
    // The default action: returning re-runs a faulting instruction, which
    // now ends the process; a signal that was sent (kill, raise, abort) is
    // raised again and arrives once this handler returns.
    std::signal(signal, SIG_DFL);
    if (info->si_code <= 0 || signal == SIGABRT) raise(signal);
}

void installAlternateStack() {
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE)) return;
    // Lives as long as the process: the handler may run until the end.
    const std::size_t size = std::max<std::size_t>(SIGSTKSZ, 256 * 1024);
    void* memory = std::malloc(size);
    if (!memory) return;
    stack_t stack{};
    stack.ss_sp = memory;
    stack.ss_size = size;
    if (sigaltstack(&stack, nullptr) != 0) std::free(memory);
}

}  // namespace

void install() {
    installAlternateStack();
    std::call_once(gInstalled, [] {
        struct sigaction action {};
        action.sa_sigaction = handler;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (int signal : kSignals) sigaction(signal, &action, nullptr);
    });
}

void setRecoveryCallback(void (*callback)()) { gCallback.store(callback); }

}  // namespace Platform::CrashHandler
