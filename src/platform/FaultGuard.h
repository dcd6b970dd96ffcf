#pragma once
// Calls into outside code (codecs, plugin modules, script engines) run inside
// a guard: a hardware fault in that code (SIGSEGV, SIGBUS, SIGFPE, SIGILL,
// SIGTRAP) jumps back to the guard, which raises the program's structured
// exception instead of ending the process. Outside any guard a fault takes
// the handler that was installed before (the crash path).
//
// Each thread keeps its own stack of guards and its own alternate signal
// stack, so a stack overflow inside the guarded code is caught as well.
// The jump skips destructors of the frames between the fault and the guard:
// keep objects that own resources out of the guarded call where possible.
// Handlers for these signals that the program installs itself must be in
// place before the first guarded call; the guard passes unguarded faults on.
#include "core/base/Exception.h"

#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>

namespace Platform::FaultGuard {

// The code a C++ exception gets when it crosses a guard that converts every
// exception (what the original platform gives exceptions of program code).
inline constexpr std::uint32_t programExceptionCode = 0xE06D7363;

// Runs call(context). True when it returned; false when a fault ended it,
// with `info` describing the fault. C++ exceptions pass through unchanged.
bool run(void (*call)(void*), void* context, System::StructuredExceptionInfo& info);

// Number of guards active on the calling thread.
int depth();

// The record for a C++ exception that left guarded code.
System::StructuredExceptionInfo programExceptionInfo();

namespace detail {

template <class F>
auto invokeGuarded(F& call, System::StructuredExceptionInfo& info, bool& finished) {
    using R = std::invoke_result_t<F&>;
    if constexpr (std::is_void_v<R>) {
        finished = run([](void* p) { (*static_cast<F*>(p))(); }, &call, info);
    } else {
        struct Context {
            F* call;
            std::optional<R> result;
        } context{&call, std::nullopt};
        finished = run([](void* p) {
            auto* c = static_cast<Context*>(p);
            c->result.emplace((*c->call)());
        }, &context, info);
        return std::move(context.result);
    }
}

}  // namespace detail

// Runs call() and returns its result; a fault throws makeError(info), which
// must return a System::Exception. C++ exceptions pass through unchanged.
template <class F, class MakeError>
std::invoke_result_t<F&> invoke(F&& call, MakeError&& makeError) {
    System::StructuredExceptionInfo info;
    bool finished = false;
    if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
        detail::invokeGuarded(call, info, finished);
        if (!finished) throw makeError(info);
    } else {
        auto result = detail::invokeGuarded(call, info, finished);
        if (!finished) throw makeError(info);
        return std::move(*result);
    }
}

// The same, and a C++ exception leaving call() is turned into makeError too,
// with programExceptionCode: host code called back from a module that
// throws is reported as a fault of the guarded call.
template <class F, class MakeError>
std::invoke_result_t<F&> invokeCatchingAll(F&& call, MakeError&& makeError) {
    bool thrown = false;
    auto catching = [&]() -> std::invoke_result_t<F&> {
        try {
            return call();
        } catch (...) {
            thrown = true;
            if constexpr (!std::is_void_v<std::invoke_result_t<F&>>) return {};
        }
    };
    if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
        invoke(catching, makeError);
        if (thrown) throw makeError(programExceptionInfo());
    } else {
        auto result = invoke(catching, makeError);
        if (thrown) throw makeError(programExceptionInfo());
        return result;
    }
}

// The common form: a fault raises System::makeStructuredException with the
// call's label and the calling place.
template <class F>
std::invoke_result_t<F&> invoke(F&& call, const char* label, const char* place) {
    return invoke(std::forward<F>(call), [&](const System::StructuredExceptionInfo& info) {
        return System::makeStructuredException(label, place, info);
    });
}

}  // namespace Platform::FaultGuard
