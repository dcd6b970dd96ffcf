#include "media/draw/TextFormat.h"

#include "media/draw/StyleValue.h"
#include "media/draw/TextLayout.h"

#include <cmath>

namespace Resource {

std::unique_ptr<Platform::Cairo::TextFormat> TextFormat::create(const std::wstring& family, float size) {
    auto format = std::make_unique<Platform::Cairo::TextFormat>(
        family, size, 400, Platform::Font::Style::Normal, 5, "Direct2DService::Get().writeFactory->CreateTextFormat",
        "Resource::TextFormat::create");
    format->setWordWrapping(Platform::Cairo::WordWrapping::NoWrap);
    return format;
}

std::unique_ptr<Platform::Cairo::TextFormat> TextFormat::createFromStyle(const char* key) {
    const StyleFont font = styleFont(key);
    return create(font.family, font.size);
}

const Platform::Cairo::TrimmingSign* TextFormat::getTrimmingSign() {
    if (!trimmingSign_) trimmingSign_ = std::make_unique<Platform::Cairo::TrimmingSign>(*get());
    return trimmingSign_.get();
}

float TextFormat::getLineHeight() {
    if (lineHeight_ == 0) lineHeight_ = TextLayout(get(), L"").getMetrics().height;
    return lineHeight_;
}

int TextFormat::getTextWidth(const std::wstring& text) {
    return static_cast<int>(std::ceil(TextLayout(get(), text).getMetrics().width));
}

}  // namespace Resource
