#pragma once
// The shared staging areas media file readers read into: one for pictures,
// one for sound. Each is process-wide: the first one built registers itself,
// and readers reach it through instance(). Readers hold a buffer's mutex
// for their whole read, so all picture reads (and all sound reads) of the
// process are serialized, and a file's decoding state is only touched under
// that mutex.
#include "core/base/AlignedBuffer.h"
#include "media/audio/AudioBlockBuffer.h"
#include "platform/WinMediaTypes.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace Cache {

class ImageReadBuffer {
public:
    ImageReadBuffer();
    ~ImageReadBuffer();
    ImageReadBuffer(const ImageReadBuffer&) = delete;
    ImageReadBuffer& operator=(const ImageReadBuffer&) = delete;

    // The registered buffer; before any is registered (or after it went), a
    // process-lifetime one of the readers' own.
    static ImageReadBuffer& instance();

    System::AlignedBuffer buffer;
    BITMAPINFOHEADER header{};
    std::mutex mutex;

private:
    struct Unregistered {};
    explicit ImageReadBuffer(Unregistered) {}
};

class AudioReadBuffer {
public:
    AudioReadBuffer();
    ~AudioReadBuffer();
    AudioReadBuffer(const AudioReadBuffer&) = delete;
    AudioReadBuffer& operator=(const AudioReadBuffer&) = delete;

    static AudioReadBuffer& instance();

    // One second of silence in the format (held mutex assumed); returns its
    // byte count.
    std::uint32_t prepareSecond(const Media::AudioFormat& blockFormat);
    // The block as planar float.
    std::shared_ptr<Media::AudioBlockBuffer> makeBlock() const;

    System::AlignedBuffer buffer;
    Media::AudioFormat format;
    std::mutex mutex;

private:
    struct Unregistered {};
    explicit AudioReadBuffer(Unregistered) {}
};

}  // namespace Cache
