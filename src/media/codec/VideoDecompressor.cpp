#include "media/codec/VideoDecompressor.h"

#include "platform/FaultGuard.h"
#include "platform/ffmpeg/CodecTags.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Media {

namespace {

constexpr FOURCC kYuy2 = mmioFOURCC('Y', 'U', 'Y', '2');
// Enough for the deepest reordering a codec may need (H.264 keeps 16).
constexpr std::size_t kMaxAhead = 32;
constexpr LONG kMaxSide = 16384;

std::uint32_t rowBytes(LONG width, int bits) {
    return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits / 8) + 3) & ~3u;
}

bool isRgb(AVPixelFormat format) {
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
    return d && (d->flags & AV_PIX_FMT_FLAG_RGB);
}

}  // namespace

BITMAPINFOHEADER VideoDecompressor::source() const {
    BITMAPINFOHEADER header{};
    if (sourceFormat.size >= sizeof header) std::memcpy(&header, sourceFormat.data, sizeof header);
    return header;
}

bool VideoDecompressor::open(std::uint32_t handler) {
    close();
    if (sourceFormat.size < sizeof(BITMAPINFOHEADER)) return false;
    const BITMAPINFOHEADER src = source();
    if (src.biWidth <= 0 || src.biWidth > kMaxSide || src.biHeight == 0 || std::abs(src.biHeight) > kMaxSide)
        return false;
    // The codec data is what follows the 40-byte header (biSize may count it).
    std::vector<std::uint8_t> codecData(sourceFormat.data + sizeof src, sourceFormat.data + sourceFormat.size);

    for (const std::uint32_t fourcc : {handler, src.biCompression}) {
        const AVCodecID id = Platform::Ffmpeg::videoCodecFromFourCC(fourcc);
        if (id == AV_CODEC_ID_NONE) continue;
        std::vector<std::uint8_t> data = codecData;
        // Uncompressed bitmaps are stored bottom-up unless the height is negative.
        if (id == AV_CODEC_ID_RAWVIDEO && src.biCompression == BI_RGB && src.biHeight > 0) {
            static constexpr char kBottomUp[] = "BottomUp";
            data.insert(data.end(), kBottomUp, kBottomUp + sizeof kBottomUp);
        }
        codec_ = Platform::FaultGuard::invoke(
            [&] {
                return Platform::Ffmpeg::openDecoder(id, data.data(), data.size(), [&](AVCodecContext& c) {
                    c.width = src.biWidth;
                    c.height = std::abs(src.biHeight);
                    c.codec_tag = src.biCompression;
                    c.bits_per_coded_sample = src.biBitCount;
                });
            },
            "ICOpen", "Media::VideoDecompressor::open");
        if (codec_) break;
    }
    if (!codec_) return false;
    packet_.reset(av_packet_alloc());
    if (!packet_) codec_.reset();
    return isOpen();
}

bool VideoDecompressor::begin(std::uint32_t fourcc, std::uint16_t bits) {
    const BITMAPINFOHEADER src = source();
    const int outBits = bits ? bits : src.biBitCount;
    outputFormat = {};
    outputFormat.biSize = sizeof outputFormat;
    outputFormat.biWidth = src.biWidth;
    outputFormat.biHeight = src.biHeight;
    outputFormat.biPlanes = 1;
    outputFormat.biBitCount = static_cast<WORD>(outBits);
    outputFormat.biCompression = fourcc;
    outputFormat.biSizeImage = static_cast<DWORD>(std::abs(src.biHeight)) * rowBytes(src.biWidth, outBits);
    if (!codec_) return false;
    const bool yuy2 = fourcc == kYuy2 && outBits == 16;
    const bool rgb = fourcc == BI_RGB && (outBits == 24 || outBits == 32);
    if (!yuy2 && !rgb) return false;
    // A codec of RGB pictures offers RGB only, so no colour is lost on the way.
    if (yuy2 && isRgb(codec_->pix_fmt)) return false;
    decompressing = true;
    return true;
}

bool VideoDecompressor::decode(const void* data, std::uint32_t size, bool notKeyFrame) {
    if (!decompressing && !decompressingEx) return false;
    if (sourceFormat.size >= sizeof(BITMAPINFOHEADER))
        std::memcpy(sourceFormat.data + offsetof(BITMAPINFOHEADER, biSizeImage), &size, sizeof size);
    outputPixels.allocMemory(outputFormat.biSizeImage);
    return Platform::FaultGuard::invoke([&] { return decodeGuarded(data, size, notKeyFrame); }, "ICSendMessage",
                                        "Media::VideoDecompressor::decode");
}

bool VideoDecompressor::decodeGuarded(const void* data, std::uint32_t size, bool notKeyFrame) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bool fed = false;
    if (!ahead_.empty()) {
        // The entry was fed ahead unless the reader jumped elsewhere.
        const Ahead& next = ahead_.front();
        if (next.bytes.size == size && (size == 0 || std::memcmp(next.bytes.data, bytes, size) == 0)) {
            ahead_.pop_front();
            fed = true;
        } else {
            restart();
        }
    }
    // An empty entry repeats the previous picture.
    if (size == 0) return shown_;
    if (!fed) {
        if (drained_) restart();
        send(bytes, size, notKeyFrame);
    }
    receive();
    while (frames_.empty() && packetSource_ && ahead_.size() < kMaxAhead) {
        Ahead next;
        if (packetSource_(static_cast<std::uint32_t>(ahead_.size() + 1), next.bytes, next.notKeyFrame)) {
            if (next.bytes.size) send(next.bytes.data, next.bytes.size, next.notKeyFrame);
            ahead_.push_back(std::move(next));
        } else if (!drained_) {
            // The end of the stream: the codec gives up what it holds back.
            send(nullptr, 0, false);
            drained_ = true;
        } else {
            break;
        }
        receive();
    }
    if (frames_.empty()) return false;
    convert(*frames_.front());
    frames_.pop_front();
    shown_ = true;
    return true;
}

void VideoDecompressor::send(const std::uint8_t* data, std::uint32_t size, bool notKeyFrame) {
    packet_->data = const_cast<std::uint8_t*>(data);
    packet_->size = static_cast<int>(size);
    packet_->pts = nextPts_++;
    packet_->flags = notKeyFrame ? 0 : AV_PKT_FLAG_KEY;
    AVPacket* packet = data ? packet_.get() : nullptr;
    if (avcodec_send_packet(codec_.get(), packet) == AVERROR(EAGAIN)) {
        receive();
        avcodec_send_packet(codec_.get(), packet);
    }
    // A frame the codec refuses is simply not shown.
    packet_->data = nullptr;
    packet_->size = 0;
}

void VideoDecompressor::receive() {
    for (;;) {
        Platform::Ffmpeg::FramePtr frame(av_frame_alloc());
        if (!frame) return;
        const int result = avcodec_receive_frame(codec_.get(), frame.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
        if (result < 0) continue;
        frames_.push_back(std::move(frame));
    }
}

void VideoDecompressor::restart() {
    avcodec_flush_buffers(codec_.get());
    frames_.clear();
    ahead_.clear();
    drained_ = false;
}

void VideoDecompressor::convert(const AVFrame& frame) {
    const int width = outputFormat.biWidth;
    const int height = std::abs(outputFormat.biHeight);
    AVPixelFormat target = AV_PIX_FMT_YUYV422;
    if (outputFormat.biCompression == BI_RGB) target = outputFormat.biBitCount == 32 ? AV_PIX_FMT_BGRA : AV_PIX_FMT_BGR24;
    scale_.reset(sws_getCachedContext(scale_.release(), frame.width, frame.height,
                                      static_cast<AVPixelFormat>(frame.format), width, height, target, SWS_BICUBIC,
                                      nullptr, nullptr, nullptr));
    if (!scale_) return;
    const std::ptrdiff_t stride = rowBytes(width, outputFormat.biBitCount);
    // YUY2 keeps whole pairs: an odd width ends on a half-filled pair.
    const std::size_t pixelBytes = target == AV_PIX_FMT_YUYV422 ? (static_cast<std::size_t>(width) + 1) / 2 * 4
                                                               : static_cast<std::size_t>(width) * (outputFormat.biBitCount / 8);
    // A bitmap with a positive height is stored bottom row first.
    std::uint8_t* first = outputPixels.data;
    std::ptrdiff_t step = stride;
    if (outputFormat.biCompression == BI_RGB && outputFormat.biHeight > 0) {
        first = outputPixels.data + static_cast<std::ptrdiff_t>(height - 1) * stride;
        step = -stride;
    }
    scaled_.convertInto(*scale_, frame, target, width, height, first, step, std::min<std::size_t>(pixelBytes, stride));
}

void VideoDecompressor::close() {
    if (!codec_) return;
    decompressing = false;
    decompressingEx = false;
    frames_.clear();
    ahead_.clear();
    scale_.reset();
    packet_.reset();
    codec_.reset();
    drained_ = false;
    shown_ = false;
    nextPts_ = 0;
}

}  // namespace Media
