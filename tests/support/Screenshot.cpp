#include "support/Screenshot.h"

#include <cairo.h>

#include <cstdio>
#include <string>

namespace TestSupport {

namespace {

struct Reader {
    std::string bytes;
    std::size_t at = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<Reader*>(closure);
    if (reader->bytes.size() - reader->at < length) return CAIRO_STATUS_READ_ERROR;
    reader->bytes.copy(reinterpret_cast<char*>(data), length, reader->at);
    reader->at += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Screenshot::Screenshot(const std::string& display) {
    Reader reader;
    const std::string command = "import -display " + display + " -window root png:- 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) reader.bytes.append(buffer, n);
        pclose(pipe);
    }
    cairo_surface_t* image = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
        image_ = image;
    else
        cairo_surface_destroy(image);
}

Screenshot::~Screenshot() {
    if (image_) cairo_surface_destroy(image_);
}

int Screenshot::width() const { return image_ ? cairo_image_surface_get_width(image_) : 0; }

int Screenshot::height() const { return image_ ? cairo_image_surface_get_height(image_) : 0; }

std::uint32_t Screenshot::pixel(int x, int y) const {
    if (!image_ || x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    const auto* row = cairo_image_surface_get_data(image_) + y * cairo_image_surface_get_stride(image_);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

int Screenshot::count(int left, int top, int right, int bottom, std::uint32_t rgb) const {
    int found = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) found += pixel(x, y) == rgb;
    return found;
}

}  // namespace TestSupport
