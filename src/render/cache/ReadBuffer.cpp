#include "render/cache/ReadBuffer.h"

#include "render/cache/TransferSlot.h"

#include <atomic>
#include <cstring>

namespace Cache {

namespace {

std::atomic<ImageReadBuffer*> imageInstance{nullptr};
std::atomic<AudioReadBuffer*> audioInstance{nullptr};

}  // namespace

ImageReadBuffer::ImageReadBuffer() { Detail::claimSlot(imageInstance, this); }
ImageReadBuffer::~ImageReadBuffer() { imageInstance = nullptr; }

// A reader may run without the cache service (tools, tests, or after it was
// released); it then shares a buffer of its own that lives to the end.
ImageReadBuffer& ImageReadBuffer::instance() {
    if (ImageReadBuffer* registered = imageInstance.load()) return *registered;
    static ImageReadBuffer* const fallback = new ImageReadBuffer(Unregistered{});
    return *fallback;
}

AudioReadBuffer::AudioReadBuffer() { Detail::claimSlot(audioInstance, this); }
AudioReadBuffer::~AudioReadBuffer() { audioInstance = nullptr; }

AudioReadBuffer& AudioReadBuffer::instance() {
    if (AudioReadBuffer* registered = audioInstance.load()) return *registered;
    static AudioReadBuffer* const fallback = new AudioReadBuffer(Unregistered{});
    return *fallback;
}

std::uint32_t AudioReadBuffer::prepareSecond(const Media::AudioFormat& blockFormat) {
    format = blockFormat;
    const std::uint64_t bytes = std::uint64_t{blockFormat.bitsPerSample} / 8 *
                                static_cast<std::uint64_t>(blockFormat.channels) *
                                static_cast<std::uint64_t>(blockFormat.sampleRate);
    // Readers refuse formats whose second does not fit; this only guards.
    const auto size = static_cast<std::uint32_t>(bytes > 0x7FFFFFE0u ? 0 : bytes);
    buffer.allocMemory((size + 31) & ~31u);
    if (buffer.data) std::memset(buffer.data, 0, buffer.capacity);
    buffer.size = size;
    return size;
}

std::shared_ptr<Media::AudioBlockBuffer> AudioReadBuffer::makeBlock() const {
    return std::make_shared<Media::AudioBlockBuffer>(buffer, format);
}

}  // namespace Cache
