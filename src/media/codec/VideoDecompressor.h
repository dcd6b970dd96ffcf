#pragma once
// Decodes a compressed video stream of an AVI file, one frame per call, into
// the bitmap format the reader asks for: YUY2 (16 bits) or uncompressed
// 32- or 24-bit RGB, rows bottom-up as in a bitmap unless the height is
// negative. One reader thread uses it at a time.
#include "core/base/DataBuffer.h"
#include "platform/WinMediaTypes.h"
#include "platform/ffmpeg/Decoder.h"
#include "platform/ffmpeg/ScaleTarget.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace Media {

class VideoDecompressor {
public:
    // Codecs that reorder frames (B-frames) give a frame only after later
    // packets: the reader lends them. `ahead` counts index entries after the
    // one just passed to decode (1 = the next); `bytes` is sized to the
    // entry's data (0 for a repeated frame). False past the stream's end.
    using PacketSource = std::function<bool(std::uint32_t ahead, System::DataBuffer& bytes, bool& notKeyFrame)>;

    VideoDecompressor() = default;
    ~VideoDecompressor() { close(); }
    VideoDecompressor(const VideoDecompressor&) = delete;
    VideoDecompressor& operator=(const VideoDecompressor&) = delete;

    // Opens the codec for `handler` (the stream's FourCC), else for the
    // source format's compression code. False when neither has a decoder.
    bool open(std::uint32_t handler);
    bool isOpen() const { return static_cast<bool>(codec_); }
    // Prepares decompression to fourcc (0 = uncompressed RGB) at `bits`
    // (0 = the source's); false when the output is refused.
    bool begin(std::uint32_t fourcc, std::uint16_t bits);
    // Decodes one frame into the output pixels; false when the codec gives
    // no picture (or before a successful begin).
    bool decode(const void* data, std::uint32_t size, bool notKeyFrame);
    void setPacketSource(PacketSource source) { packetSource_ = std::move(source); }
    void close();

    System::DataBuffer sourceFormat;  // the stream's BITMAPINFOHEADER (+ codec data)
    BITMAPINFOHEADER outputFormat{};
    System::DataBuffer outputPixels;
    bool decompressing = false;
    bool decompressingEx = false;

private:
    struct Ahead {
        System::DataBuffer bytes;
        bool notKeyFrame = false;
    };

    BITMAPINFOHEADER source() const;
    void send(const std::uint8_t* data, std::uint32_t size, bool notKeyFrame);
    void receive();
    void restart();
    void convert(const AVFrame& frame);
    bool decodeGuarded(const void* data, std::uint32_t size, bool notKeyFrame);

    Platform::Ffmpeg::ContextPtr codec_;
    Platform::Ffmpeg::ScalePtr scale_;
    Platform::Ffmpeg::ScaleTarget scaled_;
    Platform::Ffmpeg::PacketPtr packet_;
    std::deque<Platform::Ffmpeg::FramePtr> frames_;  // decoded, display order, not yet shown
    std::deque<Ahead> ahead_;                        // entries fed ahead of the current one
    PacketSource packetSource_;
    std::int64_t nextPts_ = 0;
    bool drained_ = false;
    bool shown_ = false;  // the output pixels hold a picture
};

}  // namespace Media
