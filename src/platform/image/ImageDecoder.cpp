#include "platform/image/ImageDecoder.h"

#include "platform/ffmpeg/Decoder.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <string_view>
#include <unistd.h>

namespace Platform::Image {

namespace {

// The still-image formats read, each checked by its signature before any
// FFmpeg code sees the file, through one demuxer and only the decoders
// listed (these are tested and fuzzed; others, such as some that never
// finish on damaged input, are never reached). TGA has no signature: its
// extension and a plausible header stand for one.
struct StillFormat {
    const char* demuxer;
    std::array<AVCodecID, 2> decoders;
    bool (*matches)(std::span<const std::uint8_t> head, std::string_view extension);
};

bool startsWith(std::span<const std::uint8_t> head, std::string_view signature, std::size_t at = 0) {
    return head.size() >= at + signature.size() && std::memcmp(head.data() + at, signature.data(), signature.size()) == 0;
}

bool isTarga(std::span<const std::uint8_t> head, std::string_view extension) {
    if (extension != "tga" || head.size() < 18) return false;
    const std::uint8_t colorMapType = head[1];
    const std::uint8_t imageType = head[2];
    const std::uint8_t depth = head[16];
    const bool knownType = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 ||
                           imageType == 10 || imageType == 11;
    return colorMapType <= 1 && knownType && (depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32);
}

constexpr StillFormat kStillFormats[] = {
    {"png_pipe", {AV_CODEC_ID_PNG, AV_CODEC_ID_NONE},
     [](auto head, auto) { return startsWith(head, "\x89PNG\r\n\x1a\n"); }},
    {"jpeg_pipe", {AV_CODEC_ID_MJPEG, AV_CODEC_ID_NONE},
     [](auto head, auto) { return startsWith(head, "\xff\xd8\xff"); }},
    {"bmp_pipe", {AV_CODEC_ID_BMP, AV_CODEC_ID_NONE}, [](auto head, auto) { return startsWith(head, "BM"); }},
    {"gif", {AV_CODEC_ID_GIF, AV_CODEC_ID_NONE},
     [](auto head, auto) { return startsWith(head, "GIF87a") || startsWith(head, "GIF89a"); }},
    {"tiff_pipe", {AV_CODEC_ID_TIFF, AV_CODEC_ID_NONE},
     [](auto head, auto) { return startsWith(head, std::string_view("II*\0", 4)) || startsWith(head, std::string_view("MM\0*", 4)); }},
    {"webp_pipe", {AV_CODEC_ID_WEBP, AV_CODEC_ID_NONE},
     [](auto head, auto) { return startsWith(head, "RIFF") && startsWith(head, "WEBPVP8", 8); }},
    // An icon holds PNG or BMP pictures.
    {"ico", {AV_CODEC_ID_PNG, AV_CODEC_ID_BMP},
     [](auto head, auto) { return startsWith(head, std::string_view("\0\0\1\0", 4)); }},
    // "image2" takes the decoder from the extension.
    {"image2", {AV_CODEC_ID_TARGA, AV_CODEC_ID_NONE}, isTarga},
};

constexpr std::size_t kHeadSize = 18;

std::string lowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

// The format the file's first bytes show, or null. Raises nothing: a file
// that cannot be read gives its errno as an FFmpeg code.
int findStillFormat(const std::string& path, const StillFormat*& found) {
    found = nullptr;
    std::uint8_t head[kHeadSize] = {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return AVERROR(errno);
    ssize_t got = 0;
    do {
        got = ::read(fd, head, sizeof head);
    } while (got < 0 && errno == EINTR);
    const int readError = errno;
    ::close(fd);
    if (got < 0) return AVERROR(readError);
    const std::span<const std::uint8_t> bytes(head, static_cast<std::size_t>(got));
    const std::string extension = lowerExtension(path);
    for (const StillFormat& format : kStillFormats) {
        if (format.matches(bytes, extension)) {
            found = &format;
            return 0;
        }
    }
    return AVERROR_INVALIDDATA;
}

// The JPEG forms of planar YUV name full range by a format of their own.
AVPixelFormat withoutFullRange(AVPixelFormat format, bool& fullRange) {
    fullRange = true;
    switch (format) {
        case AV_PIX_FMT_YUVJ420P: return AV_PIX_FMT_YUV420P;
        case AV_PIX_FMT_YUVJ422P: return AV_PIX_FMT_YUV422P;
        case AV_PIX_FMT_YUVJ444P: return AV_PIX_FMT_YUV444P;
        case AV_PIX_FMT_YUVJ440P: return AV_PIX_FMT_YUV440P;
        case AV_PIX_FMT_YUVJ411P: return AV_PIX_FMT_YUV411P;
        default: fullRange = false; return format;
    }
}

constexpr int kMaxPackets = 4096;

int componentDepth(AVPixelFormat format) {
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
    int depth = 0;
    for (int i = 0; descriptor && i < descriptor->nb_components; ++i)
        depth = std::max(depth, descriptor->comp[i].depth);
    return depth;
}

}  // namespace

bool isErrnoCode(int code) { return code < 0 && code > -4096; }

ImageDecoder::~ImageDecoder() {
    if (format_) avformat_close_input(&format_);
}

int ImageDecoder::openFile(const std::string& path) {
    const StillFormat* still = nullptr;
    int result = findStillFormat(path, still);
    if (result < 0) return result;
    const AVInputFormat* demuxer = av_find_input_format(still->demuxer);
    if (!demuxer) return AVERROR_DEMUXER_NOT_FOUND;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // The path names one file, even when it holds '%' or '*'.
    av_dict_set(&options, "pattern_type", "none", 0);
    // The "file:" prefix keeps a ':' in the path from naming a protocol.
    Ffmpeg::redirectLog();
    result = avformat_open_input(&format_, ("file:" + path).c_str(), demuxer, &options);
    av_dict_free(&options);
    if (result < 0) return result;
    result = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (result < 0) return result;
    streamIndex_ = result;
    const AVCodecParameters* parameters = format_->streams[streamIndex_]->codecpar;
    if (std::find(still->decoders.begin(), still->decoders.end(), parameters->codec_id) == still->decoders.end() ||
        parameters->codec_id == AV_CODEC_ID_NONE)
        return AVERROR_DECODER_NOT_FOUND;
    return openCodec(parameters->codec_id, parameters);
}

int ImageDecoder::openMemory(const std::uint8_t* data, std::size_t size, AVCodecID codec) {
    if (!data || size == 0 || size > INT_MAX - AV_INPUT_BUFFER_PADDING_SIZE) return AVERROR_INVALIDDATA;
    memoryPacket_.reset(av_packet_alloc());
    if (!memoryPacket_ || av_new_packet(memoryPacket_.get(), static_cast<int>(size)) < 0) return AVERROR(ENOMEM);
    std::memcpy(memoryPacket_->data, data, size);
    return openCodec(codec, nullptr);
}

int ImageDecoder::openCodec(AVCodecID id, const AVCodecParameters* parameters) {
    int setupResult = 0;
    codec_ = Ffmpeg::openDecoder(id, nullptr, 0, [&](AVCodecContext& context) {
        if (parameters) setupResult = avcodec_parameters_to_context(&context, parameters);
    });
    if (setupResult < 0) return setupResult;
    if (!codec_) return AVERROR_DECODER_NOT_FOUND;
    frame_.reset(av_frame_alloc());
    return frame_ ? 0 : AVERROR(ENOMEM);
}

int ImageDecoder::decodeFirstFrame() {
    if (!codec_) return AVERROR(EINVAL);
    Ffmpeg::PacketPtr packet(av_packet_alloc());
    if (!packet) return AVERROR(ENOMEM);
    bool flushed = false;
    for (int count = 0; count < kMaxPackets; ++count) {
        int result = 0;
        if (!flushed) {
            if (memoryPacket_) {
                result = count == 0 ? av_packet_ref(packet.get(), memoryPacket_.get()) : AVERROR_EOF;
            } else {
                result = av_read_frame(format_, packet.get());
                if (result >= 0 && packet->stream_index != streamIndex_) {
                    av_packet_unref(packet.get());
                    continue;
                }
            }
            if (result == AVERROR_EOF) {
                flushed = true;
                result = avcodec_send_packet(codec_.get(), nullptr);
            } else if (result >= 0) {
                result = avcodec_send_packet(codec_.get(), packet.get());
                av_packet_unref(packet.get());
            }
            if (result < 0 && result != AVERROR(EAGAIN)) return result;
        }
        result = avcodec_receive_frame(codec_.get(), frame_.get());
        if (result >= 0) return frame_->width > 0 && frame_->height > 0 ? 0 : AVERROR_INVALIDDATA;
        if (result != AVERROR(EAGAIN)) return result == AVERROR_EOF ? AVERROR_INVALIDDATA : result;
        if (flushed) return AVERROR_INVALIDDATA;
    }
    return AVERROR_INVALIDDATA;
}

bool ImageDecoder::identifiedByContent() const {
    return !format_ || std::string_view(format_->iformat->name) != "image2";
}

int ImageDecoder::width() const { return frame_ ? frame_->width : 0; }

int ImageDecoder::height() const { return frame_ ? frame_->height : 0; }

bool ImageDecoder::canConvert() const {
    if (!frame_ || frame_->format < 0) return false;
    bool fullRange = false;
    const AVPixelFormat format = withoutFullRange(static_cast<AVPixelFormat>(frame_->format), fullRange);
    return sws_isSupportedInput(format) > 0;
}

int ImageDecoder::prepareConverter() {
    if (!canConvert()) return AVERROR(EINVAL);
    bool fullRange = false;
    const AVPixelFormat format = withoutFullRange(static_cast<AVPixelFormat>(frame_->format), fullRange);
    fullRange = fullRange || frame_->color_range == AVCOL_RANGE_JPEG;
    deep_ = componentDepth(format) > 8;
    scale_.reset(sws_alloc_context());
    if (!scale_) return AVERROR(ENOMEM);
    SwsContext* context = scale_.get();
    av_opt_set_int(context, "srcw", frame_->width, 0);
    av_opt_set_int(context, "srch", frame_->height, 0);
    av_opt_set_int(context, "src_format", format, 0);
    av_opt_set_int(context, "dstw", frame_->width, 0);
    av_opt_set_int(context, "dsth", frame_->height, 0);
    av_opt_set_int(context, "dst_format", deep_ ? AV_PIX_FMT_RGBA64 : AV_PIX_FMT_RGBA, 0);
    av_opt_set_int(context, "sws_flags", SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, 0);
    av_opt_set(context, "sws_dither", "none", 0);
    const int result = sws_init_context(context, nullptr, nullptr);
    if (result < 0) {
        scale_.reset();
        return result;
    }
    const int* coefficients = sws_getCoefficients(frame_->colorspace);
    sws_setColorspaceDetails(context, coefficients, fullRange ? 1 : 0, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                             1 << 16, 1 << 16);
    return 0;
}

int ImageDecoder::convert(std::uint8_t* rgba, std::uint32_t pitch) {
    if (!scale_ || !rgba || pitch > INT_MAX) return AVERROR(EINVAL);
    const int width = frame_->width;
    const int height = frame_->height;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (pitch < rowBytes) return AVERROR(EINVAL);
    if (!deep_)
        return target_.convertInto(*scale_, *frame_, AV_PIX_FMT_RGBA, width, height, rgba, pitch, rowBytes)
                   ? 0
                   : AVERROR_EXTERNAL;
    // swscale's own cut to 8 bits is off by one for many values: convert to
    // 16 bits and round each component as v × 255 / 65535.
    const AVFrame* wide = target_.convert(*scale_, *frame_, AV_PIX_FMT_RGBA64, width, height);
    if (!wide) return AVERROR_EXTERNAL;
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(wide->data[0] + static_cast<std::size_t>(y) * wide->linesize[0]);
        std::uint8_t* out = rgba + static_cast<std::size_t>(y) * pitch;
        for (std::size_t i = 0; i < rowBytes; ++i) out[i] = static_cast<std::uint8_t>((in[i] * 255u + 32767u) / 65535u);
        std::memset(out + rowBytes, 0, pitch - rowBytes);
    }
    return 0;
}

}  // namespace Platform::Image
