#include "media/image/ImageBuffer.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "media/image/ImageService.h"
#include "platform/ErrorCode.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/image/CairoBitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace Media {

namespace {

constexpr FOURCC kHF64 = mmioFOURCC('H', 'F', '6', '4');
constexpr FOURCC kPA64 = mmioFOURCC('P', 'A', '6', '4');
constexpr FOURCC kYC48 = mmioFOURCC('Y', 'C', '4', '8');
constexpr FOURCC kYUY2 = mmioFOURCC('Y', 'U', 'Y', '2');

struct FormatInfo {
    std::uint32_t format;
    std::uint32_t bytesPerPixel;  // in the image
    WORD bitCount;                // in the bitmap form; 0: none
    DWORD compression;
};

constexpr FormatInfo kFormats[] = {
    {DXGI_FORMAT_R16G16B16A16_FLOAT, 8, 64, kHF64},
    {DXGI_FORMAT_R16G16B16A16_UNORM, 8, 64, kPA64},
    {DXGI_FORMAT_R16G16B16A16_SNORM, 8, 48, kYC48},
    {DXGI_FORMAT_R8G8B8A8_UNORM, 4, 0, 0},
    {DXGI_FORMAT_B8G8R8A8_UNORM, 4, 32, BI_RGB},
    {DXGI_FORMAT_B8G8R8X8_UNORM, 4, 24, BI_RGB},
    {DXGI_FORMAT_YUY2, 2, 16, kYUY2},
};

const FormatInfo* findFormat(std::uint32_t format) {
    for (const FormatInfo& info : kFormats)
        if (info.format == format) return &info;
    return nullptr;
}

[[noreturn]] void formatNotSupported(const char* place, std::uint32_t format) {
    throw System::makeExceptionFormat(place, "image format not supported.", L"dxgi format = %d",
                                      static_cast<int>(format));
}

// A size that must fit the 32-bit sizes of the pixel store; larger ones are
// memory the program cannot have.
std::uint32_t checkedSize(std::uint64_t size, const char* place) {
    if (size > std::numeric_limits<std::uint32_t>::max()) throw System::makeErrorCodeException(place, 14);
    return static_cast<std::uint32_t>(size);
}

// How bitmap rows and image rows pair up: the row bytes on each side, the
// pixel bytes that carry over, and whether the bitmap runs bottom-up.
struct RowPlan {
    enum class Kind { Copy, Expand24, Expand48, None } kind = Kind::None;
    std::uint32_t bitmapRow = 0;
    bool bottomUp = false;
};

RowPlan planRows(const ImageBuffer& image, const BITMAPINFOHEADER& header) {
    RowPlan plan;
    const std::uint32_t format = image.format;
    switch (header.biBitCount) {
        case 16:
            if (format == DXGI_FORMAT_YUY2) plan.kind = RowPlan::Kind::Copy;
            break;
        case 24:
            if (format == DXGI_FORMAT_B8G8R8X8_UNORM) plan.kind = RowPlan::Kind::Expand24;
            break;
        case 32:
            if (format == DXGI_FORMAT_B8G8R8A8_UNORM) plan.kind = RowPlan::Kind::Copy;
            break;
        case 48:
            if (format == DXGI_FORMAT_R16G16B16A16_SNORM) plan.kind = RowPlan::Kind::Expand48;
            break;
        case 64:
            if (format == DXGI_FORMAT_R16G16B16A16_FLOAT || format == DXGI_FORMAT_R16G16B16A16_UNORM)
                plan.kind = RowPlan::Kind::Copy;
            break;
        default: break;
    }
    // Rows of another size would be read or written past their block.
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(header.biHeight));
    if (header.biWidth < 0 || static_cast<std::uint32_t>(header.biWidth) != image.width || rows != image.height)
        plan.kind = RowPlan::Kind::None;
    if (plan.kind == RowPlan::Kind::None) return plan;
    plan.bitmapRow = ImageBuffer::getBitmapRowSize(header.biBitCount, image.width);
    plan.bottomUp = (header.biBitCount == 24 || header.biBitCount == 32) && header.biHeight > 0;
    return plan;
}

std::uint32_t imageRowOf(const RowPlan& plan, std::uint32_t bitmapRow, std::uint32_t height) {
    return plan.bottomUp ? height - 1 - bitmapRow : bitmapRow;
}

}  // namespace

std::shared_ptr<ImageBuffer> ImageBuffer::create(std::uint32_t format, std::uint32_t width,
                                                 std::uint32_t height) {
    auto image = std::make_shared<ImageBuffer>();
    image->format = format;
    image->resize(width, height, 0);
    return image;
}

void ImageBuffer::resize(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t newPitch) {
    constexpr const char* place = "Media::ImageBuffer::resize";
    width = newWidth;
    height = newHeight;
    pitch = newPitch ? newPitch : getDefaultPitchSize(format, newWidth);
    const std::uint32_t size = checkedSize(std::uint64_t{height} * pitch, place);
    pixels.allocMemory(checkedSize((std::uint64_t{size} + 31) / 32 * 32, place));
    pixels.size = size;
}

std::uint32_t ImageBuffer::getDefaultPitchSize(std::uint32_t format, std::uint32_t width) {
    constexpr const char* place = "Media::ImageBuffer::getDefaultPitchSize";
    const FormatInfo* info = findFormat(format);
    if (!info) formatNotSupported(place, format);
    return checkedSize((std::uint64_t{width} * info->bytesPerPixel + 31) / 32 * 32, place);
}

std::uint32_t ImageBuffer::getBitmapRowSize(std::uint32_t bitCount, std::uint32_t width) {
    return checkedSize((std::uint64_t{width} * (bitCount / 8) + 3) / 4 * 4, "Media::ImageBuffer::getBitmapRowSize");
}

void ImageBuffer::getBitmapInfoHeader(BITMAPINFOHEADER& out, std::uint32_t format, std::uint32_t width,
                                      std::uint32_t height) {
    constexpr const char* place = "Media::ImageBuffer::getBitmapInfoHeader";
    const FormatInfo* info = findFormat(format);
    if (!info || info->bitCount == 0) formatNotSupported(place, format);
    out.biSize = sizeof(BITMAPINFOHEADER);
    out.biWidth = static_cast<LONG>(width);
    out.biHeight = static_cast<LONG>(height);
    out.biPlanes = 1;
    out.biBitCount = info->bitCount;
    out.biCompression = info->compression;
    out.biSizeImage = checkedSize(std::uint64_t{getBitmapRowSize(info->bitCount, width)} * height, place);
}

void ImageBuffer::convertFrom(const BITMAPINFOHEADER& header, const void* bits) {
    const RowPlan plan = planRows(*this, header);
    // An empty picture has no rows to fill (and may have no store at all).
    if (plan.kind != RowPlan::Kind::None && (width == 0 || height == 0)) return;
    if (plan.kind == RowPlan::Kind::None || !bits) {
        System::Log::warn("Media::ImageBuffer::convertFrom", "can not convert DIB image data. bit=%d fcc=%04x",
                          header.biBitCount, header.biCompression);
        if (pixels.data) std::memset(pixels.data, 0, pixels.size);
        return;
    }
    const auto* source = static_cast<const std::uint8_t*>(bits);
    if (plan.kind == RowPlan::Kind::Copy && !plan.bottomUp && plan.bitmapRow == pitch) {
        std::memcpy(pixels.data, source, std::size_t{pitch} * height);
        return;
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        const std::uint8_t* in = source + std::size_t{row} * plan.bitmapRow;
        std::uint8_t* out = pixels.data + std::size_t{imageRowOf(plan, row, height)} * pitch;
        switch (plan.kind) {
            case RowPlan::Kind::Copy:
                std::memcpy(out, in, std::min(plan.bitmapRow, pitch));
                break;
            case RowPlan::Kind::Expand24:
                for (std::uint32_t x = 0; x < width; ++x, in += 3, out += 4) {
                    out[0] = in[0];
                    out[1] = in[1];
                    out[2] = in[2];
                    out[3] = 0;
                }
                break;
            case RowPlan::Kind::Expand48:
                for (std::uint32_t x = 0; x < width; ++x, in += 6, out += 8) {
                    std::memcpy(out, in, 6);
                    out[6] = out[7] = 0;
                }
                break;
            case RowPlan::Kind::None: break;
        }
    }
}

void ImageBuffer::convertTo(const BITMAPINFOHEADER& header, void* bits) const {
    const RowPlan plan = planRows(*this, header);
    if (plan.kind == RowPlan::Kind::None || !bits || width == 0 || height == 0) return;
    auto* target = static_cast<std::uint8_t*>(bits);
    for (std::uint32_t row = 0; row < height; ++row) {
        std::uint8_t* out = target + std::size_t{row} * plan.bitmapRow;
        const std::uint8_t* in = pixels.data + std::size_t{imageRowOf(plan, row, height)} * pitch;
        std::uint32_t written = 0;
        switch (plan.kind) {
            case RowPlan::Kind::Copy:
                written = std::min(plan.bitmapRow, width * (header.biBitCount / 8u));
                std::memcpy(out, in, written);
                break;
            case RowPlan::Kind::Expand24:
                for (std::uint32_t x = 0; x < width; ++x, in += 4) std::memcpy(out + x * 3, in, 3);
                written = width * 3;
                break;
            case RowPlan::Kind::Expand48:
                for (std::uint32_t x = 0; x < width; ++x, in += 8) std::memcpy(out + x * 6, in, 6);
                written = width * 6;
                break;
            case RowPlan::Kind::None: break;
        }
        // Padding never carries stale memory into files.
        std::memset(out + written, 0, plan.bitmapRow - written);
    }
}

void ImageBuffer::packYUY2(const void* source, std::uint32_t sourceWidth, std::uint32_t sourceHeight,
                           std::uint32_t sourcePitch) {
    if (!source || sourceWidth == 0) return;
    const std::uint32_t rows = std::min(sourceHeight, height);
    const std::uint32_t pairs = std::min((sourceWidth + 1) / 2, pitch / 4);
    for (std::uint32_t row = 0; row < rows; ++row) {
        const auto* in = static_cast<const std::uint8_t*>(source) + std::size_t{row} * sourcePitch;
        std::uint8_t* out = pixels.data + std::size_t{row} * pitch;
        for (std::uint32_t k = 0; k < pairs; ++k, out += 4) {
            const std::uint8_t* first = in + std::size_t{k} * 8;
            const std::uint8_t* second = 2 * k + 1 < sourceWidth ? first + 4 : first;
            out[0] = first[0];
            out[1] = first[1];
            out[2] = second[0];
            out[3] = first[2];
        }
    }
}

cairo_surface_t* ImageBuffer::createRenderTargetBitmap(cairo_t* target, D2D1_ALPHA_MODE alphaMode) const {
    cairo_surface_t* bitmap = nullptr;
    if (format == DXGI_FORMAT_R8G8B8A8_UNORM)
        bitmap = Platform::Image::createCairoBitmap(target, pixels.data, width, height, pitch, alphaMode);
    else if (format == DXGI_FORMAT_B8G8R8A8_UNORM && alphaMode == D2D1_ALPHA_MODE_PREMULTIPLIED)
        bitmap = Platform::Image::copyCairoBitmap(target, pixels.data, width, height, pitch);
    if (!bitmap)
        throw System::makeHResultException("target->CreateBitmap", "Media::ImageBuffer::createRenderTargetBitmap",
                                           Platform::hresultFromWin32(87));
    return bitmap;
}

void ImageBuffer::saveJpegFile(const std::wstring& path, int quality) const {
    ImageService::PixelFormat source;
    if (format == DXGI_FORMAT_B8G8R8A8_UNORM || format == DXGI_FORMAT_B8G8R8X8_UNORM)
        source = ImageService::PixelFormat::Format32bppBGR;
    else if (format == DXGI_FORMAT_R8G8B8A8_UNORM)
        source = ImageService::PixelFormat::Format32bppRGBA;
    else
        formatNotSupported("Media::ImageBuffer::saveJpegFile", format);
    const ImageService::EncoderOption option{"ImageQuality", static_cast<float>(quality) / 100.0f};
    ImageService::saveToFile(path, pixels.data, width, height, pitch, source, ImageService::Container::Jpeg,
                             &option);
}

}  // namespace Media
