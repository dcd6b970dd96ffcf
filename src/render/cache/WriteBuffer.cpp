#include "render/cache/WriteBuffer.h"

#include "render/cache/TransferSlot.h"

#include <atomic>

namespace Cache {

namespace {

std::atomic<ImageWriteBuffer*> imageInstance{nullptr};
std::atomic<AudioWriteBuffer*> audioInstance{nullptr};

}  // namespace

ImageWriteBuffer::ImageWriteBuffer() { Detail::claimSlot(imageInstance, this); }
ImageWriteBuffer::~ImageWriteBuffer() { imageInstance = nullptr; }

ImageWriteBuffer& ImageWriteBuffer::instance() {
    if (ImageWriteBuffer* registered = imageInstance.load()) return *registered;
    static ImageWriteBuffer* const fallback = new ImageWriteBuffer(Unregistered{});
    return *fallback;
}

AudioWriteBuffer::AudioWriteBuffer() { Detail::claimSlot(audioInstance, this); }
AudioWriteBuffer::~AudioWriteBuffer() { audioInstance = nullptr; }

AudioWriteBuffer& AudioWriteBuffer::instance() {
    if (AudioWriteBuffer* registered = audioInstance.load()) return *registered;
    static AudioWriteBuffer* const fallback = new AudioWriteBuffer(Unregistered{});
    return *fallback;
}

}  // namespace Cache
