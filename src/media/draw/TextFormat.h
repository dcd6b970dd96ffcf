#pragma once
// A style text format of the user interface, made on first use by its
// generator: a font family and a size in pixels, normal weight, style and
// stretch, without word wrapping. It caches the line height of its font
// (the height of an empty layout, measured once) and keeps the ellipsis
// sign that trimmed texts end with. User-interface thread.
#include "media/draw/ComResourceDirect2D.h"
#include "platform/cairo/TextFormat.h"

#include <memory>
#include <string>

namespace Resource {

class TextFormat {
public:
    using Generator = Media::ComResource<Platform::Cairo::TextFormat>::Generator;

    explicit TextFormat(Generator generator) : format_(std::move(generator)) {}

    // A format of the family at size, normal weight, without wrapping.
    static std::unique_ptr<Platform::Cairo::TextFormat> create(const std::wstring& family, float size);
    // The same from a "Font" key of the style settings.
    static std::unique_ptr<Platform::Cairo::TextFormat> createFromStyle(const char* key);

    // The format, made on first use.
    Platform::Cairo::TextFormat* get() { return format_.createResource(); }
    std::wstring getName() { return get()->getFontFamilyName(); }
    const Platform::Cairo::TrimmingSign* getTrimmingSign();
    float getLineHeight();
    // The width of the text in this format, rounded up to a pixel.
    int getTextWidth(const std::wstring& text);

private:
    Media::ComResource<Platform::Cairo::TextFormat> format_;
    float lineHeight_ = 0;
    // Released before the format it was made for.
    std::unique_ptr<Platform::Cairo::TrimmingSign> trimmingSign_;
};

}  // namespace Resource
