#pragma once
// PNG and JPEG encoding of 32-bit pixel rows into memory, with libpng and
// libjpeg-turbo. Both write 8 bits per channel at 72 dpi. Any thread may
// call them; nothing is shared between calls.
#include <cstdint>
#include <string>
#include <vector>

namespace Platform::Image {

// The byte order of the 32-bit source pixels.
enum class SourceLayout {
    BGRX,               // fourth byte ignored
    BGRA,               // straight alpha
    PremultipliedBGRA,  // colour multiplied by alpha
    RGBA,               // straight alpha
};

// RGB (colour type 2) from BGRX rows, otherwise RGBA with straight alpha
// (colour type 6). False with libpng's message on failure.
bool encodePng(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t pitch,
               SourceLayout layout, std::vector<std::uint8_t>& out, std::string& error);

// Baseline RGB JPEG at quality 1 to 100 (0 counts as 1); alpha is dropped.
// False with libjpeg's message on failure.
bool encodeJpeg(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t pitch,
                SourceLayout layout, int quality, std::vector<std::uint8_t>& out, std::string& error);

// Straight colour from premultiplied: c × 255 / a rounded, 0 where a is 0.
inline std::uint8_t unpremultiply(std::uint8_t colour, std::uint8_t alpha) {
    if (alpha == 0) return 0;
    const unsigned value = (colour * 255u + alpha / 2u) / alpha;
    return static_cast<std::uint8_t>(value > 255u ? 255u : value);
}

}  // namespace Platform::Image
