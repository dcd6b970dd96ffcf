#pragma once
// The picture swscale converts into: planes of its own, aligned and padded
// as swscale needs them. Its vector code writes whole blocks past a row's
// last pixel (and a row past the last one), which the tightly packed rows of
// a bitmap or an image cannot take; the rows are converted here and copied
// out. The planes are kept while the size and format stay.
#include "platform/ffmpeg/Decoder.h"

#include <cstddef>
#include <cstdint>

namespace Platform::Ffmpeg {

class ScaleTarget {
public:
    // Converts the whole source picture to width × height of `format` with
    // the context (made for these sizes and formats). Null when the planes
    // cannot be had or swscale fails; the frame stays valid until the next
    // call.
    const AVFrame* convert(SwsContext& context, const AVFrame& source, AVPixelFormat format, int width,
                           int height);

    // Converts as above and copies the first plane's rows out: row y goes to
    // first + y × stride (a negative stride writes bottom-up), `pixelBytes`
    // bytes of it, and the row's bytes from there to |stride| are zeroed.
    bool convertInto(SwsContext& context, const AVFrame& source, AVPixelFormat format, int width, int height,
                     std::uint8_t* first, std::ptrdiff_t stride, std::size_t pixelBytes);

private:
    FramePtr frame_;
};

}  // namespace Platform::Ffmpeg
