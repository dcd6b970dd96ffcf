#pragma once
// Texture storage kept for reuse. A render makes and drops pictures of the
// same few sizes every frame; a software renderer allocates and clears new
// storage for each, which costs more than the drawing. A dropped texture's
// storage waits here, with its hand-over record, for the next texture of
// the same storage format and size, so the new owner's first write still
// waits for what other contexts did with the old one.
//
// Bounded in bytes; storage older than a few seconds, or pushed out by
// newer storage, goes back to the display. Any thread.
#include "platform/gl/GlFormat.h"

#include <epoxy/gl.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace Platform::Gl {

class Display;
class Handover;

class TexturePool {
public:
    static constexpr std::size_t defaultLimit = std::size_t{192} << 20;
    static constexpr std::chrono::seconds maxIdle{10};

    struct Storage {
        const Format* format = nullptr;
        GLsizei width = 0;   // in texels of the storage
        GLsizei height = 0;
        GLuint name = 0;
        std::shared_ptr<Handover> handover;
    };

    explicit TexturePool(Display& display) : display_(display) {}
    ~TexturePool();
    TexturePool(const TexturePool&) = delete;
    TexturePool& operator=(const TexturePool&) = delete;

    // Storage of that format and size, or an empty one (name 0).
    Storage take(const Format& format, GLsizei width, GLsizei height);
    // Keeps the storage or, when it cannot be kept, releases its name.
    void give(Storage storage);
    // Releases everything kept; with `closing`, names go with the share
    // group instead.
    void clear(bool closing = false);

    // For tests and the display's limit.
    std::size_t heldBytes();
    void setLimit(std::size_t bytes);

    static std::size_t bytesOf(const Format& format, GLsizei width, GLsizei height);

private:
    using Clock = std::chrono::steady_clock;
    struct Entry {
        Storage storage;
        std::size_t bytes;
        Clock::time_point since;
    };
    // Drops entries over the limit or idle too long, oldest first; the
    // caller releases the returned names outside the lock.
    void expireLocked(Clock::time_point now, std::vector<Entry>& dropped);
    void releaseAll(std::vector<Entry>& dropped);

    Display& display_;
    std::mutex mutex_;
    std::vector<Entry> entries_;  // oldest first
    std::size_t held_ = 0;
    std::size_t limit_ = defaultLimit;
};

}  // namespace Platform::Gl
