#include "platform/image/ImageEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <jpeglib.h>
#include <png.h>

namespace Platform::Image {

namespace {

constexpr int kDotsPerInch = 72;
// 72 dpi in the pixels per metre of the PNG pHYs chunk.
constexpr png_uint_32 kPngPixelsPerMetre = 2835;

// Both libraries report errors through a jump back into the encoder: their
// callbacks never let a C++ exception cross the C frames.
void pngError(png_structp png, png_const_charp message) {
    auto* text = static_cast<std::string*>(png_get_error_ptr(png));
    try {
        *text = message ? message : "libpng error";
    } catch (...) {
    }
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void pngWrite(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    try {
        out->insert(out->end(), data, data + size);
    } catch (const std::bad_alloc&) {
        png_error(png, "Out of memory");
    }
}

void pngFlush(png_structp) {}

// One source row as the PNG row of its colour type.
void packPngRow(const std::uint8_t* in, std::uint32_t width, SourceLayout layout, std::uint8_t* out) {
    for (std::uint32_t x = 0; x < width; ++x, in += 4) {
        switch (layout) {
            case SourceLayout::BGRX:
                *out++ = in[2];
                *out++ = in[1];
                *out++ = in[0];
                break;
            case SourceLayout::BGRA:
                *out++ = in[2];
                *out++ = in[1];
                *out++ = in[0];
                *out++ = in[3];
                break;
            case SourceLayout::PremultipliedBGRA:
                *out++ = unpremultiply(in[2], in[3]);
                *out++ = unpremultiply(in[1], in[3]);
                *out++ = unpremultiply(in[0], in[3]);
                *out++ = in[3];
                break;
            case SourceLayout::RGBA:
                std::memcpy(out, in, 4);
                out += 4;
                break;
        }
    }
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    // Filled by libjpeg's memory destination; kept here, in memory, across
    // the jump.
    unsigned char* buffer;
    unsigned long size;
};

void jpegErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

void jpegOutputMessage(j_common_ptr) {}

J_COLOR_SPACE jpegColourSpace(SourceLayout layout) {
    switch (layout) {
        case SourceLayout::BGRX: return JCS_EXT_BGRX;
        case SourceLayout::BGRA:
        case SourceLayout::PremultipliedBGRA: return JCS_EXT_BGRA;
        case SourceLayout::RGBA: return JCS_EXT_RGBA;
    }
    return JCS_EXT_BGRX;
}

}  // namespace

bool encodePng(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t pitch,
               SourceLayout layout, std::vector<std::uint8_t>& out, std::string& error) {
    const bool alpha = layout != SourceLayout::BGRX;
    std::vector<std::uint8_t> row;
    try {
        row.resize(static_cast<std::size_t>(width) * (alpha ? 4 : 3));
    } catch (const std::bad_alloc&) {
        error = "Out of memory";
        return false;
    }
    out.clear();
    std::string message;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, pngError, pngWarning);
    if (!png) {
        error = "png_create_write_struct failed";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = message.empty() ? "png_create_info_struct failed" : message;
        out.clear();
        return false;
    }
    png_set_write_fn(png, &out, pngWrite, pngFlush);
    png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, kPngPixelsPerMetre, kPngPixelsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < height; ++y) {
        packPngRow(pixels + static_cast<std::size_t>(y) * pitch, width, layout, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool encodeJpeg(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t pitch,
                SourceLayout layout, int quality, std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    jpeg_compress_struct info;
    JpegError jpegError;
    jpegError.buffer = nullptr;
    jpegError.size = 0;
    info.err = jpeg_std_error(&jpegError.manager);
    jpegError.manager.error_exit = jpegErrorExit;
    jpegError.manager.output_message = jpegOutputMessage;
    if (setjmp(jpegError.jump)) {
        jpeg_destroy_compress(&info);
        std::free(jpegError.buffer);
        error = jpegError.message;
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &jpegError.buffer, &jpegError.size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 4;
    info.in_color_space = jpegColourSpace(layout);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
    info.write_JFIF_header = TRUE;
    info.density_unit = 1;  // dots per inch
    info.X_density = kDotsPerInch;
    info.Y_density = kDotsPerInch;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + static_cast<std::size_t>(info.next_scanline) * pitch);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    bool copied = true;
    try {
        out.assign(jpegError.buffer, jpegError.buffer + jpegError.size);
    } catch (const std::bad_alloc&) {
        error = "Out of memory";
        copied = false;
    }
    std::free(jpegError.buffer);
    return copied;
}

}  // namespace Platform::Image
