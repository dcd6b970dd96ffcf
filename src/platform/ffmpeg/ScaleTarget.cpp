#include "platform/ffmpeg/ScaleTarget.h"

#include <cstdlib>
#include <cstring>

namespace Platform::Ffmpeg {

namespace {

// Row alignment of the planes: the widest vector swscale writes with.
constexpr int kAlign = 64;

}  // namespace

const AVFrame* ScaleTarget::convert(SwsContext& context, const AVFrame& source, AVPixelFormat format, int width,
                                    int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (!frame_ || frame_->width != width || frame_->height != height || frame_->format != format) {
        frame_.reset(av_frame_alloc());
        if (!frame_) return nullptr;
        frame_->width = width;
        frame_->height = height;
        frame_->format = format;
        if (av_frame_get_buffer(frame_.get(), kAlign) < 0) {
            frame_.reset();
            return nullptr;
        }
    }
    const int rows = sws_scale(&context, source.data, source.linesize, 0, source.height, frame_->data,
                               frame_->linesize);
    return rows == height ? frame_.get() : nullptr;
}

bool ScaleTarget::convertInto(SwsContext& context, const AVFrame& source, AVPixelFormat format, int width,
                              int height, std::uint8_t* first, std::ptrdiff_t stride, std::size_t pixelBytes) {
    const AVFrame* frame = convert(context, source, format, width, height);
    const std::size_t rowBytes = static_cast<std::size_t>(std::abs(stride));
    if (!frame || !first || pixelBytes > rowBytes || pixelBytes > static_cast<std::size_t>(frame->linesize[0]))
        return false;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = first + y * stride;
        std::memcpy(out, frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0], pixelBytes);
        std::memset(out + pixelBytes, 0, rowBytes - pixelBytes);
    }
    return true;
}

}  // namespace Platform::Ffmpeg
