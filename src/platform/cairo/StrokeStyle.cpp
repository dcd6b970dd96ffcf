#include "platform/cairo/StrokeStyle.h"

#include <cairo.h>

#include <algorithm>

namespace Platform::Cairo {

namespace {

cairo_line_cap_t capOf(CapStyle cap) {
    switch (cap) {
        case CapStyle::Square: return CAIRO_LINE_CAP_SQUARE;
        case CapStyle::Round:
        case CapStyle::Triangle: return CAIRO_LINE_CAP_ROUND;
        default: return CAIRO_LINE_CAP_BUTT;
    }
}

cairo_line_join_t joinOf(LineJoin join) {
    switch (join) {
        case LineJoin::Bevel: return CAIRO_LINE_JOIN_BEVEL;
        case LineJoin::Round: return CAIRO_LINE_JOIN_ROUND;
        default: return CAIRO_LINE_JOIN_MITER;
    }
}

std::vector<float> dashesOf(DashStyle style, std::vector<float> custom) {
    switch (style) {
        case DashStyle::Dash: return {2, 2};
        case DashStyle::Dot: return {0, 2};
        case DashStyle::DashDot: return {2, 2, 0, 2};
        case DashStyle::DashDotDot: return {2, 2, 0, 2, 0, 2};
        case DashStyle::Custom: return custom;
        default: return {};
    }
}

}  // namespace

StrokeStyle::StrokeStyle(const StrokeStyleProperties& properties, std::vector<float> dashes)
    : properties_(properties), dashes_(dashesOf(properties.dashStyle, std::move(dashes))) {}

void StrokeStyle::applyTo(cairo_t* cr, float width) const {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, capOf(dashes_.empty() ? properties_.endCap : properties_.dashCap));
    cairo_set_line_join(cr, joinOf(properties_.lineJoin));
    // Cairo's limit is miter length over the whole width.
    cairo_set_miter_limit(cr, std::max(1.0, properties_.miterLimit / 2.0));
    // Cairo refuses patterns without length, which would end the drawing.
    std::vector<double> scaled;
    double total = 0;
    bool valid = true;
    for (float dash : dashes_) {
        valid &= dash >= 0;
        scaled.push_back(static_cast<double>(dash) * width);
        total += scaled.back();
    }
    if (!valid || total <= 0) scaled.clear();
    cairo_set_dash(cr, scaled.data(), static_cast<int>(scaled.size()), properties_.dashOffset * width);
}

void StrokeStyle::applyDefault(cairo_t* cr, float width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 5.0);
    cairo_set_dash(cr, nullptr, 0, 0);
}

}  // namespace Platform::Cairo
