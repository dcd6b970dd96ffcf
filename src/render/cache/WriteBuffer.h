#pragma once
// The shared staging areas for what goes out to files and output plugins:
// one for pictures, one for sound. Like the read buffers they are
// process-wide (the first one built registers itself) and whoever uses one
// holds its mutex while sizing, filling and converting it.
#include "core/base/AlignedBuffer.h"
#include "media/audio/RawAudioBuffer.h"
#include "platform/WinMediaTypes.h"

#include <mutex>

namespace Cache {

class ImageWriteBuffer {
public:
    ImageWriteBuffer();
    ~ImageWriteBuffer();
    ImageWriteBuffer(const ImageWriteBuffer&) = delete;
    ImageWriteBuffer& operator=(const ImageWriteBuffer&) = delete;

    // The registered buffer; before any is registered (or after it went), a
    // process-lifetime one.
    static ImageWriteBuffer& instance();

    System::AlignedBuffer buffer;
    BITMAPINFOHEADER header{};
    std::mutex mutex;

private:
    struct Unregistered {};
    explicit ImageWriteBuffer(Unregistered) {}
};

class AudioWriteBuffer {
public:
    AudioWriteBuffer();
    ~AudioWriteBuffer();
    AudioWriteBuffer(const AudioWriteBuffer&) = delete;
    AudioWriteBuffer& operator=(const AudioWriteBuffer&) = delete;

    static AudioWriteBuffer& instance();

    Media::RawAudioBuffer audio;
    std::mutex mutex;

private:
    struct Unregistered {};
    explicit AudioWriteBuffer(Unregistered) {}
};

}  // namespace Cache
