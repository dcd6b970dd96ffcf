#include "platform/ffmpeg/Decoder.h"

#include "core/base/Log.h"

#include <cstdarg>
#include <cstring>
#include <mutex>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace Platform::Ffmpeg {

namespace {

// FFmpeg's own messages (damaged frames, deprecated formats) go to the
// program's log as VERBOSE lines instead of the terminal.
void logLine(void* object, int level, const char* format, va_list args) {
    if (level > AV_LOG_WARNING) return;
    char line[1024];
    int prefix = 1;
    av_log_format_line2(object, level, format, args, line, sizeof line, &prefix);
    std::size_t length = std::strlen(line);
    while (length && (line[length - 1] == '\n' || line[length - 1] == '\r')) line[--length] = '\0';
    System::Log::verbose("FFmpeg", "%s", line);
}

std::once_flag gLogInstalled;

}  // namespace

void redirectLog() {
    std::call_once(gLogInstalled, [] { av_log_set_callback(logLine); });
}

ContextPtr openDecoder(AVCodecID id, const std::uint8_t* codecData, std::size_t codecDataSize,
                       const std::function<void(AVCodecContext&)>& setup) {
    redirectLog();
    const AVCodec* codec = avcodec_find_decoder(id);
    if (!codec) return nullptr;
    ContextPtr context(avcodec_alloc_context3(codec));
    if (!context) return nullptr;
    // Frame threads would hold frames back: each call must give its frame.
    context->thread_count = 1;
    if (codecData && codecDataSize > 0 && codecDataSize < (1u << 24)) {
        context->extradata =
            static_cast<std::uint8_t*>(av_mallocz(codecDataSize + AV_INPUT_BUFFER_PADDING_SIZE));
        if (!context->extradata) return nullptr;
        std::memcpy(context->extradata, codecData, codecDataSize);
        context->extradata_size = static_cast<int>(codecDataSize);
    }
    if (setup) setup(*context);
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return nullptr;
    return context;
}

std::string errorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

}  // namespace Platform::Ffmpeg
