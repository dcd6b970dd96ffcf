#pragma once
// A picture in CPU memory: decoded video frames, still images, read-backs
// of rendered frames and frames on their way to a file. It takes a small
// fixed set of pixel formats named by their DXGI codes, converts to and from
// the device-independent bitmap rows that codecs, AVI files and plugins
// exchange, and packs YUY2 rows.
//
// Images are shared by pointer and not locked: whoever shares one treats it
// as read-only after it is filled. Row 0 is the top row.
#include "core/base/AlignedBuffer.h"
#include "platform/WinMediaTypes.h"
#include "platform/image/AlphaMode.h"

#include <cstdint>
#include <memory>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace Media {

class ImageBuffer {
public:
    // A new image with the default pitch; the pixel bytes are not cleared.
    static std::shared_ptr<ImageBuffer> create(std::uint32_t format, std::uint32_t width,
                                               std::uint32_t height);

    // A pitch of 0 takes the format's default pitch. The store holds exactly
    // height × pitch bytes (its block rounded up to 32 bytes).
    void resize(std::uint32_t width, std::uint32_t height, std::uint32_t pitch);

    // The byte width rounded up to a multiple of 32 for formats 10, 11, 13,
    // 28, 87, 88 and 107; any other format raises "image format not
    // supported.".
    static std::uint32_t getDefaultPitchSize(std::uint32_t format, std::uint32_t width);
    // Size, planes, bit count, compression and image size of the bitmap form
    // of a format (all of the above but 28); the other fields stay as the
    // caller set them.
    static void getBitmapInfoHeader(BITMAPINFOHEADER& out, std::uint32_t format, std::uint32_t width,
                                    std::uint32_t height);
    // Bytes of one bitmap row: the pixel bytes rounded up to 4.
    static std::uint32_t getBitmapRowSize(std::uint32_t bitCount, std::uint32_t width);

    // Fills this image (already sized, in the header's matching format) from
    // bitmap rows. A pairing it does not know, or a header of another size,
    // logs a warning and leaves the image all zero; it never throws.
    // Uncompressed 24- and 32-bit rows run bottom-up unless the header's
    // height is negative.
    void convertFrom(const BITMAPINFOHEADER& header, const void* bits);
    // Writes this image as the header's bitmap rows, padding zeroed. A
    // pairing it does not know writes nothing.
    void convertTo(const BITMAPINFOHEADER& header, void* bits) const;

    // Packs rows of 4-byte (Y, Cb, Cr, any) pixels into this YUY2 image: each
    // pair gives Y0, Cb0, Y1, Cr0. With an odd width the last pair takes the
    // row's last pixel twice; nothing past a row's last pixel is read.
    void packYUY2(const void* source, std::uint32_t width, std::uint32_t height, std::uint32_t sourcePitch);

    // A Cairo bitmap (premultiplied ARGB32, owned by the caller) of this
    // format-28 image made for the target; alphaMode says how its alpha is
    // to be read (straight alpha is premultiplied, ignored alpha made
    // opaque). A premultiplied format-87 image is copied row by row.
    cairo_surface_t* createRenderTargetBitmap(cairo_t* target, D2D1_ALPHA_MODE alphaMode) const;

    // Saves as JPEG (quality 0 to 100). Formats 87 and 88 are read as 32-bit
    // BGR (the fourth byte is ignored), 28 as RGBA; others are refused.
    void saveJpegFile(const std::wstring& path, int quality) const;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t pitch = 0;
    std::uint32_t format = 0;
    System::AlignedBuffer pixels;
};

}  // namespace Media
