#pragma once
// Upload of CPU pictures into working-format GPU pictures: the rows go into
// a temporary texture of the picture's own format, and a pass draws them
// into the target as premultiplied half floats (straight 8-bit RGBA and
// BGRA are premultiplied, BGRX made opaque, 16-bit RGBA copied).
#include "media/ResourceBuffer.h"

namespace Media {

class Direct3DService;

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

private:
    Direct3DService* service_;
};

}  // namespace Media
