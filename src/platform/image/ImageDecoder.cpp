#include "platform/image/ImageDecoder.h"

#include "platform/ffmpeg/Decoder.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <climits>
#include <new>
#include <vector>
#include <cstring>
#include <string_view>

namespace Platform::Image {

namespace {

// Demuxers that read one still picture per file: "image2" (by extension,
// e.g. TGA), the content-probed "*_pipe" readers, and the containers of
// animated pictures, whose first frame is taken.
const std::string& imageDemuxers() {
    static const std::string list = [] {
        std::string names = "image2,gif,ico,apng";
        void* state = nullptr;
        while (const AVInputFormat* format = av_demuxer_iterate(&state)) {
            const std::string_view name = format->name;
            if (name.size() > 5 && name.ends_with("_pipe")) {
                names += ',';
                names += name;
            }
        }
        return names;
    }();
    return list;
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
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", imageDemuxers().c_str(), 0);
    // The path names one file, even when it holds '%' or '*'.
    av_dict_set(&options, "pattern_type", "none", 0);
    // The "file:" prefix keeps a ':' in the path from naming a protocol.
    Ffmpeg::redirectLog();
    int result = avformat_open_input(&format_, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0) return result;
    result = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (result < 0) return result;
    streamIndex_ = result;
    const AVCodecParameters* parameters = format_->streams[streamIndex_]->codecpar;
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
    if (!deep_) {
        std::uint8_t* planes[4] = {rgba, nullptr, nullptr, nullptr};
        const int strides[4] = {static_cast<int>(pitch), 0, 0, 0};
        return sws_scale(scale_.get(), frame_->data, frame_->linesize, 0, height, planes, strides) == height
                   ? 0
                   : AVERROR_EXTERNAL;
    }
    // swscale's own cut to 8 bits is off by one for many values: convert to
    // 16 bits and round each component as v × 255 / 65535.
    std::vector<std::uint16_t> wide;
    try {
        wide.resize(static_cast<std::size_t>(width) * height * 4);
    } catch (const std::bad_alloc&) {
        return AVERROR(ENOMEM);
    }
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(wide.data()), nullptr, nullptr, nullptr};
    const int strides[4] = {width * 8, 0, 0, 0};
    if (sws_scale(scale_.get(), frame_->data, frame_->linesize, 0, height, planes, strides) != height)
        return AVERROR_EXTERNAL;
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* in = wide.data() + static_cast<std::size_t>(y) * width * 4;
        std::uint8_t* out = rgba + static_cast<std::size_t>(y) * pitch;
        for (int i = 0; i < width * 4; ++i) out[i] = static_cast<std::uint8_t>((in[i] * 255u + 32767u) / 65535u);
    }
    return 0;
}

}  // namespace Platform::Image
