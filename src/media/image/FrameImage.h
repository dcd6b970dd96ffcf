#pragma once
// The preview's CPU copy of the last rendered frame: premultiplied 8-bit
// B, G, R, A (format 87), the drawing surfaces' own layout, so showing it
// is a copy. The render thread refreshes it; readers take the mutex while they
// look at the image.
#include "media/image/ImageBuffer.h"
#include "media/gpu/ShaderResource.h"
#include "media/gpu/ShaderStateResource.h"

#include <mutex>

namespace Media {

class Direct3DService;
class RenderBuffer;

class FrameImage : public Resource::ShaderResource, public Resource::ShaderStateResource {
public:
    FrameImage();

    // The frame into the image, resized to the frame's size.
    void update(RenderBuffer& frame);

    std::mutex mutex;
    ImageBuffer image;  // format 87; guarded by mutex

private:
    Direct3DService* service_;
};

}  // namespace Media
