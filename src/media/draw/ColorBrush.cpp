#include "media/draw/ColorBrush.h"

#include "media/draw/StyleValue.h"

namespace Resource {

using Platform::Cairo::ColorF;

std::unique_ptr<Platform::Cairo::SolidColorBrush> ColorBrush::create(const ColorF& color) {
    return std::make_unique<Platform::Cairo::SolidColorBrush>(color);
}

std::unique_ptr<Platform::Cairo::SolidColorBrush> ColorBrush::create(const char* key) {
    return create(styleColor(key));
}

std::unique_ptr<Platform::Cairo::SolidColorBrush> ColorBrush::create(const char* key, std::size_t n) {
    return create(styleColorEntry(key, n));
}

std::unique_ptr<Platform::Cairo::LinearGradientBrush> GradientBrush::create(const ColorF& a, const ColorF& b) {
    return std::make_unique<Platform::Cairo::LinearGradientBrush>(Platform::Cairo::GradientStop{0.0f, a},
                                                                  Platform::Cairo::GradientStop{1.0f, b});
}

std::unique_ptr<Platform::Cairo::LinearGradientBrush> GradientBrush::create(const char* key) {
    const std::vector<ColorF> colors = styleColorList(key);
    return create(colors.front(), colors.back());
}

std::unique_ptr<Platform::Cairo::LinearGradientBrush> GradientBrush::create(const char* key, float factor) {
    const ColorF last = styleColorList(key).back();
    ColorF faded = last;
    faded.a *= factor;
    return create(faded, last);
}

}  // namespace Resource
