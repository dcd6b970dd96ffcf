#include "platform/gl/GlTexturePool.h"

#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlSync.h"

#include <algorithm>

namespace Platform::Gl {

std::size_t TexturePool::bytesOf(const Format& format, GLsizei width, GLsizei height) {
    std::size_t texel = 4;
    switch (format.internalFormat) {
        case GL_RGBA32F: texel = 16; break;
        case GL_RGBA16F:
        case GL_RGBA16:
        case GL_RGBA16_SNORM:
        case GL_RG32F: texel = 8; break;
        default: break;
    }
    return texel * static_cast<std::size_t>(std::max(width, 0)) *
           static_cast<std::size_t>(std::max(height, 0));
}

TexturePool::~TexturePool() { clear(true); }

TexturePool::Storage TexturePool::take(const Format& format, GLsizei width, GLsizei height) {
    Storage found;
    std::vector<Entry> dropped;
    {
        std::lock_guard lock(mutex_);
        expireLocked(Clock::now(), dropped);
        // The newest first: its memory is the most likely still cached.
        for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
            const Storage& s = it->storage;
            if (s.format == &format && s.width == width && s.height == height) {
                found = std::move(it->storage);
                held_ -= it->bytes;
                entries_.erase(std::next(it).base());
                break;
            }
        }
    }
    releaseAll(dropped);
    return found;
}

void TexturePool::give(Storage storage) {
    if (!storage.name) return;
    const std::size_t bytes = bytesOf(*storage.format, storage.width, storage.height);
    std::vector<Entry> dropped;
    {
        std::lock_guard lock(mutex_);
        if (bytes <= limit_) {
            entries_.push_back({std::move(storage), bytes, Clock::now()});
            held_ += bytes;
        } else {
            dropped.push_back({std::move(storage), bytes, Clock::now()});
        }
        expireLocked(Clock::now(), dropped);
    }
    releaseAll(dropped);
}

void TexturePool::clear(bool closing) {
    std::vector<Entry> dropped;
    {
        std::lock_guard lock(mutex_);
        dropped.swap(entries_);
        held_ = 0;
    }
    if (!closing) releaseAll(dropped);
}

std::size_t TexturePool::heldBytes() {
    std::lock_guard lock(mutex_);
    return held_;
}

void TexturePool::setLimit(std::size_t bytes) {
    std::vector<Entry> dropped;
    {
        std::lock_guard lock(mutex_);
        limit_ = bytes;
        expireLocked(Clock::now(), dropped);
    }
    releaseAll(dropped);
}

void TexturePool::expireLocked(Clock::time_point now, std::vector<Entry>& dropped) {
    std::size_t keep = 0;
    while (keep < entries_.size() &&
           (held_ > limit_ || now - entries_[keep].since > maxIdle)) {
        held_ -= entries_[keep].bytes;
        ++keep;
    }
    if (keep == 0) return;
    std::move(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(keep),
              std::back_inserter(dropped));
    entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(keep));
}

void TexturePool::releaseAll(std::vector<Entry>& dropped) {
    for (Entry& entry : dropped) display_.release(Display::Kind::Texture, entry.storage.name);
    dropped.clear();
}

}  // namespace Platform::Gl
