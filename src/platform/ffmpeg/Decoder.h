#pragma once
// Owning handles for libavcodec objects and the opening of a decoder as the
// program's codecs need it: one frame per call, no worker threads.
// FFmpeg's headers need the C99 constant macros, which <cstdint> brings.
#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}
#include <functional>
#include <memory>
#include <string>

namespace Platform::Ffmpeg {

struct ContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ParserDeleter {
    void operator()(AVCodecParserContext* p) const { av_parser_close(p); }
};
struct ScaleDeleter {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct ResampleDeleter {
    void operator()(SwrContext* s) const { swr_free(&s); }
};

// FFmpeg's own messages go to the program's log (VERBOSE, tag "FFmpeg")
// instead of the terminal; call before any FFmpeg work. Idempotent.
void redirectLog();

using ContextPtr = std::unique_ptr<AVCodecContext, ContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using ParserPtr = std::unique_ptr<AVCodecParserContext, ParserDeleter>;
using ScalePtr = std::unique_ptr<SwsContext, ScaleDeleter>;
using ResamplePtr = std::unique_ptr<SwrContext, ResampleDeleter>;

// Opens the decoder of `id` with its codec data (copied and padded);
// `setup` fills the stream parameters before opening. Null when there is
// no such decoder or it refuses the parameters.
ContextPtr openDecoder(AVCodecID id, const std::uint8_t* codecData, std::size_t codecDataSize,
                       const std::function<void(AVCodecContext&)>& setup);

// FFmpeg's text for an error code.
std::string errorText(int error);

}  // namespace Platform::Ffmpeg
