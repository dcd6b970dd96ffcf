#pragma once
// A text laid out in a format, made at once, within 65536 x 65536 pixels
// unless trimmed to a width.
#include "media/draw/ComResourceDirect2D.h"
#include "platform/cairo/TextLayout.h"

#include <string>

namespace Resource {

class TextLayout {
public:
    // A length of 0 takes the whole text.
    TextLayout(Platform::Cairo::TextFormat* format, const wchar_t* text, std::size_t length = 0);
    TextLayout(Platform::Cairo::TextFormat* format, const std::wstring& text)
        : TextLayout(format, text.c_str(), text.size()) {}

    static std::unique_ptr<Platform::Cairo::TextLayout> create(Platform::Cairo::TextFormat* format,
                                                               const wchar_t* text, std::size_t length);

    Platform::Cairo::TextLayout* get() { return layout_.createResource(); }
    Platform::Cairo::TextMetrics getMetrics() { return get()->getMetrics(); }
    // Cuts the text at the width (a negative one counting as 0), ending it
    // with the sign.
    void setTrimming(float maxWidth, const Platform::Cairo::TrimmingSign* sign);

private:
    Media::ComResource<Platform::Cairo::TextLayout> layout_;
};

}  // namespace Resource
