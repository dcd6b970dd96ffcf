#include "platform/cairo/TextFormat.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"

#include <pango/pango.h>

#include <algorithm>
#include <cmath>

namespace Platform::Cairo {

namespace {
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
}

TextFormat::TextFormat(const std::wstring& family, float size, int weight, Font::Style style, int stretch,
                       const char* call, const char* place)
    : family_(family), size_(size), weight_(weight) {
    if (!std::isfinite(size) || size <= 0) throw System::makeHResultException(call, place, kInvalidArgument);
    description_ = pango_font_description_new();
    pango_font_description_set_family(description_, System::String::toUtf8(family).c_str());
    pango_font_description_set_absolute_size(description_, size * PANGO_SCALE);
    pango_font_description_set_weight(description_, static_cast<PangoWeight>(std::clamp(weight, 1, 999)));
    pango_font_description_set_style(description_, style == Font::Style::Italic    ? PANGO_STYLE_ITALIC
                                                   : style == Font::Style::Oblique ? PANGO_STYLE_OBLIQUE
                                                                                   : PANGO_STYLE_NORMAL);
    pango_font_description_set_stretch(description_, static_cast<PangoStretch>(std::clamp(stretch, 1, 9) - 1));
}

TextFormat::~TextFormat() { pango_font_description_free(description_); }

}  // namespace Platform::Cairo
