// The SVG document reader: any bytes either make a document or raise the
// reader's own error; a document is checked, recoloured, resized and drawn
// into a small picture.
#include "media/resource/SvgDocument.h"

#include <cairo.h>

#include <cstdint>
#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<Media::SvgDocument> document;
    try {
        document = Media::SvgDocument::fromData(bytes);
    } catch (const std::exception&) {
        return 0;
    }
    Media::SvgDocument::Color recorded{0, 0, 0, 0};
    Media::SvgDocument::checkMonochrome(document->root(), recorded);
    if (document->isMonochrome()) Media::SvgDocument::setColor(document->root(), {0.2f, 0.4f, 0.6f, 1.0f});
    if (document->isSized()) document->setSize(24, 16);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 16);
    cairo_t* cr = cairo_create(image);
    try {
        document->draw(cr, 24, 16);
    } catch (const std::exception&) {
    }
    cairo_destroy(cr);
    cairo_surface_destroy(image);
    return 0;
}
