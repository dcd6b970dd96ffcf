#pragma once
// The imaging service: decodes the first picture of any image file the
// installed codecs read into an RGBA image, tells whether a file can be
// decoded, encodes pictures as PNG or JPEG files, and makes drawing-surface
// bitmaps of the program's own PNG pictures.
//
// A process-wide service made at start-up. Its operations keep no state and
// run on any thread at once (cache loaders, readers, the export worker).
// Saved files replace their target atomically: a failed save leaves the
// old file, and no half-written one.
#include "platform/image/ImageEncoder.h"

#include <cstdint>
#include <memory>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace Media {

class ImageBuffer;

class ImageService {
public:
    // The 32-bit pixel forms a picture is handed in.
    enum class PixelFormat {
        Format32bppBGR,    // fourth byte ignored
        Format32bppBGRA,   // straight alpha
        Format32bppPBGRA,  // premultiplied alpha
        Format32bppRGBA,   // straight alpha
    };
    enum class Container { Png, Jpeg };

    // One encoder setting. The JPEG encoder knows "ImageQuality" (0.0 to
    // 1.0, quality in hundredths); settings an encoder does not know are
    // ignored.
    struct EncoderOption {
        const char* name;
        float value;
    };

    // Fails with "CoCreateInstance" when the PNG or JPEG decoder is missing.
    ImageService();

    // Encodes one picture into a new file. PNG: RGB from 32bppBGR, otherwise
    // RGBA with straight alpha. JPEG: RGB, alpha dropped. 72 dpi.
    static void saveToFile(const std::wstring& path, const void* pixels, std::uint32_t width,
                           std::uint32_t height, std::uint32_t pitch, PixelFormat pixelFormat,
                           Container container, const EncoderOption* option = nullptr);

    // Sets format to 28 and the size to the first picture's; true when its
    // pixels convert to RGBA. A file no codec opens throws.
    static bool canLoadFile(const std::wstring& path, int& format, std::uint32_t& width,
                            std::uint32_t& height);
    // The first picture as a format-28 image (straight alpha).
    static std::shared_ptr<ImageBuffer> loadFromFile(const std::wstring& path);

    // The program's PNG picture of that id as a premultiplied bitmap made
    // for the target (owned by the caller).
    static cairo_surface_t* loadFromResource(int id, cairo_t* target);
};

}  // namespace Media
