#pragma once
// Brushes from colours and from the "Color" section of the style settings.
// A colour list is the key's value split at ",". Brushes are plain data of
// the drawing layer, so one serves any window.
#include "platform/cairo/Brush.h"

#include <memory>

namespace Resource {

struct ColorBrush {
    static std::unique_ptr<Platform::Cairo::SolidColorBrush> create(const Platform::Cairo::ColorF& color);
    // The colour under the key.
    static std::unique_ptr<Platform::Cairo::SolidColorBrush> create(const char* key);
    // The n-th colour of the key's list (from 0), the last one past its end.
    static std::unique_ptr<Platform::Cairo::SolidColorBrush> create(const char* key, std::size_t n);
};

// Two stops, a at 0 and b at 1; start and end points (0, 0) until the
// control that fills with it sets them.
struct GradientBrush {
    static std::unique_ptr<Platform::Cairo::LinearGradientBrush> create(const Platform::Cairo::ColorF& a,
                                                                        const Platform::Cairo::ColorF& b);
    // The first and the last colour of the key's list.
    static std::unique_ptr<Platform::Cairo::LinearGradientBrush> create(const char* key);
    // The last colour of the key's list, at 0 with its alpha times factor.
    static std::unique_ptr<Platform::Cairo::LinearGradientBrush> create(const char* key, float factor);
};

}  // namespace Resource
