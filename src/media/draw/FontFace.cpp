#include "media/draw/FontFace.h"

#include "core/base/Exception.h"
#include "media/draw/Direct2DService.h"

namespace Resource {

void FontFace::setFont(const std::wstring& name, float fontSize, bool bold, bool italic, bool strikeThrough,
                       bool isVertical) {
    constexpr const char* place = "Resource::FontFace::setFont";
    const auto font = Media::Direct2DService::Get().fontManager.getFont(name, bold, italic);
    face_.set(new Platform::Font::FontFace(*font, "font->CreateFontFace", place));
    const Platform::Font::FontMetrics& m = face_.get()->metrics();
    size = fontSize;
    vertical = isVertical;
    scale = fontSize / static_cast<float>(m.designUnitsPerEm);
    if (vertical) {
        lineHeight = fontSize;
        ascent = fontSize * 0.5f;
    } else {
        ascent = static_cast<float>(m.ascent) * scale;
        lineHeight = static_cast<float>(m.ascent + m.descent + m.lineGap) * scale;
    }
    strikeThroughPosition = static_cast<float>(m.strikethroughPosition) * scale;
    strikeThroughThickness = strikeThrough ? static_cast<float>(m.strikethroughThickness) * scale : 0.0f;
}

}  // namespace Resource
