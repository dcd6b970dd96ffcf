#include "media/gpu/CpuAccessBuffer.h"

#include "core/base/Exception.h"
#include "media/image/ImageBuffer.h"
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlTexture.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace Media {

namespace {
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
constexpr const char* kCall = "Direct3DService::Get().device->CreateTexture2D";
}  // namespace

CpuAccessBuffer::CpuAccessBuffer(UINT width, UINT height, int format)
    : width_(width), height_(height), format_(format) {
    constexpr const char* kPlace = "Media::CpuAccessBuffer::CpuAccessBuffer";
    const Platform::Gl::Format* found = Platform::Gl::findFormat(format);
    const std::uint64_t pitch =
        found ? (std::uint64_t{width} * static_cast<std::uint64_t>(found->bytesPerPixel) + 31) / 32 * 32 : 0;
    const std::uint64_t size = pitch * height;
    if (!found || width == 0 || height == 0 || size > std::numeric_limits<std::uint32_t>::max())
        throw System::makeHResultException(kCall, kPlace, kInvalidArgument);
    rowPitch_ = static_cast<UINT>(pitch);
    block_.allocMemory(static_cast<std::uint32_t>(size));
}

void CpuAccessBuffer::copyFrom(Platform::Gl::Texture& texture) {
    constexpr const char* kPlace = "Media::CpuAccessBuffer::copyFrom";
    // A texture of another size or format would not fit the block.
    if (static_cast<UINT>(texture.width()) != width_ ||
        static_cast<UINT>(texture.height()) != height_ || texture.format().code != format_)
        throw System::makeHResultException("CopyResource", kPlace, kInvalidArgument);
    texture.read(block_.data, rowPitch_, kPlace);
}

CpuAccessBuffer CpuAccessBuffer::readBack(Platform::Gl::Texture* texture, int format) {
    CpuAccessBuffer staging(texture ? static_cast<UINT>(texture->width()) : 0,
                            texture ? static_cast<UINT>(texture->height()) : 0, format);
    staging.copyFrom(*texture);
    return staging;
}

void CpuAccessBuffer::copyTo(ImageBuffer& image) const {
    image.resize(width_, height_, rowPitch_);
    std::memcpy(image.pixels.data, block_.data, std::size_t{height_} * rowPitch_);
}

void CpuAccessBuffer::moveTo(ImageBuffer& image) && {
    image.width = width_;
    image.height = height_;
    image.pitch = rowPitch_;
    image.pixels = std::move(block_);
}

}  // namespace Media
