#include "platform/cairo/Brush.h"

#include <cairo.h>

namespace Platform::Cairo {

void SolidColorBrush::applyTo(cairo_t* cr) const {
    cairo_set_source_rgba(cr, color_.r, color_.g, color_.b, color_.a * getOpacity());
}

void LinearGradientBrush::applyTo(cairo_t* cr) const {
    cairo_pattern_t* pattern;
    if (start_.x == end_.x && start_.y == end_.y) {
        // No direction: everything lies past the end, so the last colour.
        const ColorF& c = stops_[1].color;
        pattern = cairo_pattern_create_rgba(c.r, c.g, c.b, c.a * getOpacity());
    } else {
        pattern = cairo_pattern_create_linear(start_.x, start_.y, end_.x, end_.y);
        for (const GradientStop& stop : stops_)
            cairo_pattern_add_color_stop_rgba(pattern, stop.position, stop.color.r, stop.color.g, stop.color.b,
                                              stop.color.a * getOpacity());
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    }
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

}  // namespace Platform::Cairo
