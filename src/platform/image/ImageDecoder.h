#pragma once
// Decoding the first picture of an image file (PNG, JPEG, BMP, GIF, TIFF,
// WebP, ICO and TGA) or of an image held in memory, and its conversion to
// 8-bit R, G, B, A rows with straight alpha. A file's format is told by its
// signature (TGA: by its extension and header) before FFmpeg sees it, and
// only that format's demuxer and decoders run: local files, one picture,
// never a network address, a numbered sequence, a video or a decoder outside
// the list. Results are FFmpeg error codes (0 or a negative AVERROR).
//
// A decoder belongs to one thread at a time; decoders on several threads
// run at once.
#include "platform/ffmpeg/Decoder.h"
#include "platform/ffmpeg/ScaleTarget.h"

#include <cstdint>
#include <string>

struct AVFormatContext;

namespace Platform::Image {

class ImageDecoder {
public:
    ImageDecoder() = default;
    ~ImageDecoder();
    ImageDecoder(const ImageDecoder&) = delete;
    ImageDecoder& operator=(const ImageDecoder&) = delete;

    // Opens the file and the decoder of its picture stream.
    int openFile(const std::string& path);
    // A whole picture of the given codec held in memory (one packet).
    int openMemory(const std::uint8_t* data, std::size_t size, AVCodecID codec);

    // Decodes the first picture.
    int decodeFirstFrame();
    // False when the file was taken for an image by its extension alone
    // (TGA, which has no signature): a picture that does not decode then
    // means no codec reads the file.
    bool identifiedByContent() const;

    int width() const;
    int height() const;
    // Whether the decoded picture's pixel format converts to RGBA.
    bool canConvert() const;
    // Writes the decoded picture as R, G, B, A rows of `pitch` bytes; the
    // first call fails when no converter can be made, the second when the
    // conversion does. Deeper pictures are rounded to 8 bits exactly.
    int prepareConverter();
    int convert(std::uint8_t* rgba, std::uint32_t pitch);

private:
    int openCodec(AVCodecID id, const AVCodecParameters* parameters);

    AVFormatContext* format_ = nullptr;
    int streamIndex_ = -1;
    Ffmpeg::ContextPtr codec_;
    Ffmpeg::PacketPtr memoryPacket_;
    Ffmpeg::FramePtr frame_;
    Ffmpeg::ScalePtr scale_;
    Ffmpeg::ScaleTarget target_;
    bool deep_ = false;  // more than 8 bits per component: through RGBA64
};

// True when code stands for an errno value (then AVUNERROR(code) is it).
bool isErrnoCode(int code);

}  // namespace Platform::Image
