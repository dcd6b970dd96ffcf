#pragma once
// Conversions between CPU pictures and GPU pictures, one short-lived object
// per conversion.
// - Upload: the rows go into a temporary texture of the picture's own
//   format, and a pass draws them into the target as premultiplied half
//   floats (straight 8-bit RGBA and BGRA are premultiplied, BGRX made
//   opaque, 16-bit RGBA copied, YUY2 and YC48 turned into RGB through the
//   YUV2RGB colour table).
// - Output: a frame in half floats becomes a YUY2 or YC48 image through
//   the RGB2YUV colour table chosen by the service's output settings.
#include "media/gpu/ResourceBuffer.h"

#include <memory>

namespace Media {

class Direct3DService;
class RenderBuffer;

class ResourceConvert {
public:
    ResourceConvert();

    // Resizes the target to the picture (each side limited to 16384) when
    // the sizes differ. An unsupported pair of formats fails with
    // "unsupported convert format." and leaves the target resized.
    void convert(const ImageData& image, ResourceBuffer& target,
                 const ConvertParameters& parameters);
    void convert(const ImageBuffer& image, ResourceBuffer& target,
                 const ConvertParameters& parameters) {
        convert(ImageData::of(image), target, parameters);
    }
    // The frame (format 10) as a YUY2 (107) or YC48 (13) image; any other
    // pair fails with "unsupported convert format.".
    std::shared_ptr<ImageBuffer> convert(RenderBuffer& frame, int format);

private:
    Direct3DService* service_;
};

}  // namespace Media
