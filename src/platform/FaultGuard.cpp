#include "platform/FaultGuard.h"

#include <algorithm>
#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <ucontext.h>

namespace Platform::FaultGuard {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// One active guard; lives in run()'s frame.
struct Frame {
    sigjmp_buf jump;
    Frame* previous;
    // Copied by the handler; the module lookup runs after the jump, outside
    // the signal handler.
    siginfo_t signal;
    ucontext_t context;
};

// Trivially constructed, so the handler may read it on any thread.
thread_local Frame* tTop = nullptr;
thread_local int tDepth = 0;

struct sigaction gPrevious[kSignalCount];
std::once_flag gInstalled;

// The alternate stack of a thread, released when the thread ends.
class AlternateStack {
public:
    AlternateStack() {
        stack_t current{};
        if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE)) return;
        const std::size_t size = std::max<std::size_t>(SIGSTKSZ, 64 * 1024);
        memory_ = std::malloc(size);
        if (!memory_) return;
        stack_t stack{};
        stack.ss_sp = memory_;
        stack.ss_size = size;
        if (sigaltstack(&stack, nullptr) != 0) {
            std::free(memory_);
            memory_ = nullptr;
        }
    }
    ~AlternateStack() {
        if (!memory_) return;
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
        std::free(memory_);
    }
    AlternateStack(const AlternateStack&) = delete;
    AlternateStack& operator=(const AlternateStack&) = delete;

private:
    void* memory_ = nullptr;
};

int signalIndex(int signal) {
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal) return i;
    return -1;
}

// A fault outside every guard: hand it to whoever handled it before us.
void passOn(int signal, siginfo_t* info, void* context) {
    const int index = signalIndex(signal);
    const struct sigaction& previous = gPrevious[index];
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction) {
            previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
        return;
    }
    // Default action: returning re-runs the faulting instruction, which now
    // ends the process as it would have without us. A signal sent by
    // another process is raised again instead.
    if (previous.sa_handler == SIG_IGN && info->si_code <= 0) return;
    std::signal(signal, SIG_DFL);
    if (info->si_code <= 0) raise(signal);
}

void handler(int signal, siginfo_t* info, void* context) {
    Frame* frame = tTop;
    // Only faults of this thread's own code come back; a signal sent by
    // kill() is no fault of the guarded call.
    if (!frame || info->si_code <= 0) {
        passOn(signal, info, context);
        return;
    }
    std::memcpy(&frame->signal, info, sizeof frame->signal);
    std::memcpy(&frame->context, context, sizeof frame->context);
    siglongjmp(frame->jump, 1);
}

void install() {
    struct sigaction action {};
    action.sa_sigaction = handler;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &action, &gPrevious[i]);
}

void pop(Frame& frame) {
    tTop = frame.previous;
    --tDepth;
}

// Kept out of line so the jump buffer's frame outlives the call.
__attribute__((noinline)) bool runFrame(Frame& frame, void (*call)(void*), void* context) {
    frame.previous = tTop;
    if (sigsetjmp(frame.jump, 1) == 0) {
        tTop = &frame;
        ++tDepth;
        try {
            call(context);
        } catch (...) {
            pop(frame);
            throw;
        }
        pop(frame);
        return true;
    }
    // Back from the handler: the frames above were abandoned.
    pop(frame);
    return false;
}

}  // namespace

bool run(void (*call)(void*), void* context, System::StructuredExceptionInfo& info) {
    std::call_once(gInstalled, install);
    thread_local AlternateStack stack;
    Frame frame;
    if (runFrame(frame, call, context)) return true;
    System::getStructuredExceptionInfo(&frame.signal, &frame.context, info);
    return false;
}

int depth() { return tDepth; }

System::StructuredExceptionInfo programExceptionInfo() {
    // Reported at the library function that throws, as the original
    // platform reports the function that raises.
    System::StructuredExceptionInfo info;
    siginfo_t signal{};
    signal.si_addr = dlsym(RTLD_DEFAULT, "__cxa_throw");
    System::getStructuredExceptionInfo(&signal, nullptr, info);
    info.code = programExceptionCode;
    return info;
}

}  // namespace Platform::FaultGuard
