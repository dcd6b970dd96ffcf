#pragma once
// The GPU picture every effect works on: one 2D texture (one level, one
// sample) in a DXGI format, the service's pixel format unless said
// otherwise. Its views are made on first use: a shader-resource view always
// works; render-target and unordered-access views only for the formats the
// bind rule gives them (the pixel format, the mask format, R32_FLOAT,
// R32G32_FLOAT and R16G16B16A16_FLOAT); asking another format for one fails
// as the device would. Sides made from a size are limited to 16384.
//
// The texture is shared: the buffer may be made, drawn and destroyed on
// different threads, one at a time.
//
// A solid picture (one colour everywhere) keeps only its colour until
// something asks for its texture, which is then made and filled: drawing
// that knows the colour needs no texture at all.
#include "media/gpu/ShaderResource.h"
#include "media/gpu/ShaderStateResource.h"
#include "platform/WinTypes.h"
#include "platform/gl/GlTexture.h"

#include <memory>

namespace Media {

class ImageBuffer;
class RenderTargetDirect3D;

// Rows of a picture in CPU memory, top row first, `pitch` bytes apart.
struct ImageData {
    int format;
    UINT width;
    UINT height;
    UINT pitch;
    const void* pixels;

    static ImageData of(const ImageBuffer& image);
};

// How YUV pictures become RGB: the colour-space number (a YUV2RGB table
// index plus 1; 0 chooses by picture height) and the range (0 limited,
// otherwise full).
struct ConvertParameters {
    int colorSpace = 0;
    int range = 0;
};

class ResourceBuffer : public Resource::ShaderResource, public Resource::ShaderStateResource {
public:
    static constexpr UINT maxSide = 16384;
    using Contents = Platform::Gl::Texture::Contents;

    // The service's pixel format; (0, 0) makes no texture. Transparent
    // unless the caller overwrites every pixel anyway (Contents::Undefined).
    ResourceBuffer(UINT width, UINT height);
    ResourceBuffer(UINT width, UINT height, int format, Contents contents = Contents::Zero);
    // A solid picture of the premultiplied colour in the format (0: the
    // service's pixel format).
    static std::unique_ptr<ResourceBuffer> solid(UINT width, UINT height, const float premultiplied[4],
                                                 int format = 0);
    // Uploads the picture: copied as it is when in the pixel format,
    // otherwise converted into premultiplied pixel-format pixels.
    ResourceBuffer(const ImageData& image, const ConvertParameters& parameters);
    ResourceBuffer(const ImageBuffer& image, const ConvertParameters& parameters)
        : ResourceBuffer(ImageData::of(image), parameters) {}
    ~ResourceBuffer();
    ResourceBuffer(const ResourceBuffer&) = delete;
    ResourceBuffer& operator=(const ResourceBuffer&) = delete;

    // Replaces the texture with one of the buffer's size and format, from
    // rows `pitch` bytes apart when given.
    void createTexture2D(const void* pixels, UINT pitch = 0, Contents contents = Contents::Zero);
    void createShaderResourceView();
    void createRenderTargetView();
    void createUnorderedAccessView();
    void release();

    // Size and format of the picture; the size is not limited.
    void copyFromImage(const ImageData& image);
    void copyFromImage(const ImageBuffer& image) { copyFromImage(ImageData::of(image)); }
    // Only into an empty buffer, only R8G8B8A8 or B8G8R8A8, rows width * 4.
    void copyFromRGBA(int format, const void* pixels, UINT width, UINT height);
    void clear(const float rgba[4]);
    // The source's rectangle to this buffer's top-left corner; the part
    // outside the source or this buffer is left out.
    void copyRegion(ResourceBuffer& source, UINT x, UINT y, UINT width, UINT height);
    // A copy in the same format.
    std::unique_ptr<ResourceBuffer> clone();
    // A transparent (width, height) pixel-format buffer with this picture's
    // top-left corner at (x, y); what falls outside is cropped.
    std::unique_ptr<ResourceBuffer> cloneResize(UINT width, UINT height, int x, int y);
    // Draws into the picture with the 2D layer (RenderTargetDirect3D.h).
    RenderTargetDirect3D getSurface();

    UINT getWidth() const { return width_; }
    UINT getHeight() const { return height_; }
    int getFormat() const { return format_; }
    // The texture; null while the buffer is empty. A solid picture's is
    // made here.
    Platform::Gl::Texture* getTexture() const {
        if (solid_) fillSolid();
        return texture_.get();
    }
    // The premultiplied colour of a solid picture whose texture was not
    // made yet; null otherwise.
    const float* solidColor() const { return solid_ ? solidColor_ : nullptr; }

    // The texture through each view, the view made on first use.
    Platform::Gl::Texture& getShaderResourceView();
    Platform::Gl::Texture& getRenderTargetView();
    Platform::Gl::Texture& getUnorderedAccessView();

    // The service's bind rule for a format.
    static unsigned bindFlagsOf(int format);

private:
    friend class ResourceConvert;
    void checkView(unsigned flag, const char* call, const char* place);
    void fillSolid() const;

    UINT width_ = 0;
    UINT height_ = 0;
    int format_;
    // Made on demand for a solid picture, hence mutable.
    mutable std::unique_ptr<Platform::Gl::Texture> texture_;
    mutable bool solid_ = false;
    float solidColor_[4] = {0, 0, 0, 0};
    bool shaderResourceView_ = false;
    bool renderTargetView_ = false;
    bool unorderedAccessView_ = false;
};

}  // namespace Media
