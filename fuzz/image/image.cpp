// The image file reader: any bytes, under any of the names users give
// pictures (the first byte picks it), decode to a picture or raise the
// reader's error, and never hang.
#include "core/text/StringConvert.h"
#include "media/image/ImageBuffer.h"
#include "media/image/ImageService.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const char* const kExtensions[] = {"png", "jpg", "bmp", "gif", "tif", "webp", "ico", "tga", "jxl", "JPG"};

const std::string& folder() {
    static const std::string path = [] {
        char pattern[] = "/tmp/movane2-fuzz-image-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made) std::abort();
        return std::string(made);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string path = folder() + "/picture." + kExtensions[data[0] % std::size(kExtensions)];
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    try {
        const auto image = Media::ImageService::loadFromFile(System::String::toWide(path));
        if (!image || image->width == 0 || image->height == 0 ||
            image->pixels.size < std::size_t{image->pitch} * image->height)
            std::abort();
    } catch (const std::exception&) {
    }
    return 0;
}
