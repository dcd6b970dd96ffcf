#pragma once
// Helpers of the image tests: the text of a failure, and the pixel bytes of
// an image without its rows' padding.
#include "core/Exception.h"
#include "media/ImageBuffer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ImageTest {

// The program exception's text that call raised, or "" when it did not.
inline std::string failureText(const std::function<void()>& call) {
    try {
        call();
    } catch (const System::Exception& e) {
        return e.what();
    }
    return "";
}

// Rows top to bottom, width × bytesPerPixel bytes each.
inline std::vector<std::uint8_t> packedPixels(const Media::ImageBuffer& image, std::uint32_t bytesPerPixel = 4) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data + std::size_t{y} * image.pitch;
        out.insert(out.end(), row, row + std::size_t{image.width} * bytesPerPixel);
    }
    return out;
}

}  // namespace ImageTest
