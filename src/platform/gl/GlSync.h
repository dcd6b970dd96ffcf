#pragma once
// Hand-over of shared objects between contexts. Every GL command that
// touches a shared texture or buffer runs through runCommand: under the
// objects' locks it first waits for the other contexts' earlier uses that
// conflict with it (their writes before a read; their reads and writes
// before a write), then issues the command and leaves one fence behind for
// what it did. Objects are locked in address order, so two threads handing
// the same objects back and forth never deadlock.
//
// The waits are client waits: a server wait (glWaitSync) is not honoured
// by every driver (a software renderer returns from it at once while the
// other context's rasterizer threads still write), and a frame handed over
// must be whole.
#include <epoxy/gl.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace Platform::Gl {

class Context;
class Display;

// One glFenceSync, shared by every object the fenced command touched; the
// sync goes back to the display with the last holder.
class Fence {
public:
    // Fences what the current context has issued and flushes it, so
    // another context can wait for it.
    explicit Fence(Display& display);
    ~Fence();
    Fence(const Fence&) = delete;
    Fence& operator=(const Fence&) = delete;

    // Blocks until the fenced commands have completed.
    void wait() const;

private:
    Display& display_;
    GLsync sync_;
};

class Handover;
enum class Access { Read, Write };

struct Use {
    Handover* object;  // null: a context's own object, nothing to hand over
    Access access;
};

// A borrowed callable, so a command costs no allocation.
class CommandRef {
public:
    // The callable must outlive the call it is passed to.
    template <class F>
    CommandRef(F&& f)  // NOLINT: implicit on purpose
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* o) { (*static_cast<std::remove_reference_t<F>*>(o))(); }) {}
    void operator()() const { call_(object_); }

private:
    void* object_;
    void (*call_)(void*);
};

// Runs `command` on the calling thread's context as one hand-over step.
// `synchronous`: the command has completed when it returns (a read-back),
// so it needs no fence of its own.
void runCommand(Context& context, std::span<const Use> uses, CommandRef command,
                bool synchronous = false);
template <class F>
void runCommand(Context& context, std::initializer_list<Use> uses, F&& command,
                bool synchronous = false) {
    runCommand(context, std::span<const Use>(uses.begin(), uses.size()), CommandRef(command),
               synchronous);
}

// The hand-over record of one shared object: the last write and the reads
// made since, each with the context that made it.
class Handover {
public:
    Handover() = default;
    Handover(const Handover&) = delete;
    Handover& operator=(const Handover&) = delete;

private:
    friend void runCommand(Context&, std::span<const Use>, CommandRef, bool);
    std::mutex mutex_;
    std::uint64_t writer_ = 0;
    std::shared_ptr<Fence> write_;
    std::vector<std::pair<std::uint64_t, std::shared_ptr<Fence>>> reads_;
};

}  // namespace Platform::Gl
