#pragma once
// The target a scene frame renders into, and its read-backs. Besides its
// own texture it lends 3D object drawing its per-pixel work buffers (opaque
// depth, one transparent layer with its depth, two normal buffers), the
// frame's light list and one shadow map per light; each is made and cleared
// on its first request, so a frame without 3D costs only its texture.
//
// - A frame is used by one thread at a time: made and filled on a render
//   worker, then read back.
// - Work buffers keep the size they were made with when the frame is
//   resized; lights and shadow maps stay until the frame goes.
// - Whoever adds a light adds its empty shadow entry with it (addLight).
// - Frames are single-sampled: the service's sample description is always
//   (1, 0), and a multisampled texture is refused.
// - Failures throw the program's exceptions; see each operation.
#include "media/gpu/Direct3DService.h"
#include "media/gpu/LightSource.h"
#include "platform/WinTypes.h"
#include "platform/gl/GlTexture.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Platform::Gl {
class Texture;
}

namespace Media {

class ImageBuffer;
class ResourceBuffer;

class RenderBuffer {
public:
    using SampleDesc = Direct3DService::SampleDesc;

    // Size 0 × 0 until createTexture2D.
    explicit RenderBuffer(int format, SampleDesc sampleDesc = {});
    ~RenderBuffer();
    RenderBuffer(const RenderBuffer&) = delete;
    RenderBuffer& operator=(const RenderBuffer&) = delete;

    using Contents = Platform::Gl::Texture::Contents;

    // Nothing when the size is the current one; otherwise releases the
    // views and the texture and makes a new texture of that size, holding
    // zeros or, for a caller that overwrites or clears it, anything.
    void createTexture2D(int width, int height, Contents contents = Contents::Zero);
    // The whole frame becomes the premultiplied colour before anything
    // else reads or draws it: the clear is done by the first use of the
    // texture, so a first draw that fills the frame can take its place.
    void clearLater(const float rgba[4]);
    // While a clear is still pending, the frame becomes the colour instead
    // (true); false when the frame was used since.
    bool fillUntouched(const float rgba[4]);
    // Replaces the render-target view.
    void createRenderTargetView();
    // Made on the first call, then returned.
    Platform::Gl::Texture& createShaderResourceView();
    Platform::Gl::Texture& createUnorderedAccessView();
    // The render-target view, made when still empty.
    Platform::Gl::Texture& getRenderTargetView();

    // The work buffers, made and cleared on first request: depth (R32F,
    // cleared to 0), transparent layer (the frame's format, transparent),
    // its depth (R32F, 0), the opaque and the transparent normals
    // (RGBA16F, (0, 0, 0, -1)).
    ResourceBuffer* getDepthBuffer();
    ResourceBuffer* getTransparentBuffer();
    ResourceBuffer* getTransparentDepthBuffer();
    ResourceBuffer* getNormalBuffer();
    ResourceBuffer* getNormalTransparentBuffer();
    // The light's shadow map (RG32F, the service's shadow size square,
    // cleared to 1); std::out_of_range for a light not in the list.
    ResourceBuffer* getShadowBuffer(std::size_t light);

    // Appends the light and its empty shadow entry.
    void addLight(const LightSource& light);
    const std::vector<LightSource>& getLights() const { return lights_; }

    // A copy of the frame in the service's pixel format: the texture as it
    // is (copy set), or its colours made opaque (copy clear).
    std::unique_ptr<ResourceBuffer> createResourceBuffer(bool copy);
    // The frame read back in its own format.
    std::shared_ptr<ImageBuffer> copyToImageBuffer();
    // The frame read back in another format: YUY2 and YC48 through the
    // output colour space; 8-bit RGBA and BGRA straight or premultiplied;
    // BGRX opaque; any other format copied.
    std::shared_ptr<ImageBuffer> convertToImageBuffer(int format, bool straightAlpha);
    // Rows of width × 4 bytes, top row first; only for formats 28 and 87
    // ("invalid pixel format.").
    void copyToRGBA(void* destination);
    // An 8-bit (Y, Cb, Cr, A) frame packed into a YUY2 image.
    std::shared_ptr<ImageBuffer> copyToYUY2ImageBuffer();

    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    int getFormat() const { return format_; }
    const SampleDesc& getSampleDesc() const { return sampleDesc_; }
    // Null until the texture is made. Any use does the pending clear.
    Platform::Gl::Texture* getTexture() const {
        if (clearPending_) clearNow();
        return texture_.get();
    }

private:
    Platform::Gl::Texture& checkedView(unsigned flag, bool& made, const char* call,
                                       const char* place);
    // The work buffer of the holder, made in the format with the frame's
    // size and cleared on first request.
    ResourceBuffer* workBuffer(std::unique_ptr<ResourceBuffer>& holder, int format,
                               const float clear[4], bool throughUnorderedAccess);
    void releaseTexture();
    void clearNow() const;

    Direct3DService* service_;
    int width_ = 0;
    int height_ = 0;
    int format_;
    SampleDesc sampleDesc_;
    std::unique_ptr<Platform::Gl::Texture> texture_;
    mutable bool clearPending_ = false;
    float clearColor_[4] = {0, 0, 0, 0};
    bool renderTargetView_ = false;
    bool shaderResourceView_ = false;
    bool unorderedAccessView_ = false;
    std::unique_ptr<ResourceBuffer> depthBuffer_;
    std::unique_ptr<ResourceBuffer> transparentBuffer_;
    std::unique_ptr<ResourceBuffer> transparentDepthBuffer_;
    std::unique_ptr<ResourceBuffer> normalBuffer_;
    std::unique_ptr<ResourceBuffer> normalTransparentBuffer_;
    std::vector<LightSource> lights_;
    std::vector<std::unique_ptr<ResourceBuffer>> shadows_;
};

}  // namespace Media
