#include "platform/cairo/PathGeometry.h"

#include <cairo.h>

namespace Platform::Cairo {

void PathGeometry::beginFigure(PointF start) { segments_.push_back({Kind::Begin, {start}}); }

void PathGeometry::addLine(PointF to) { segments_.push_back({Kind::Line, {to}}); }

void PathGeometry::addBezier(PointF control1, PointF control2, PointF to) {
    segments_.push_back({Kind::Bezier, {control1, control2, to}});
}

void PathGeometry::endFigure(bool closed) {
    if (closed) segments_.push_back({Kind::Close, {}});
}

void PathGeometry::appendTo(cairo_t* cr, float offsetX, float offsetY) const {
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, fillMode_ == FillMode::Winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    const auto x = [offsetX](const PointF& p) { return static_cast<double>(p.x) + offsetX; };
    const auto y = [offsetY](const PointF& p) { return static_cast<double>(p.y) + offsetY; };
    for (const Segment& s : segments_) {
        switch (s.kind) {
            case Kind::Begin: cairo_move_to(cr, x(s.points[0]), y(s.points[0])); break;
            case Kind::Line: cairo_line_to(cr, x(s.points[0]), y(s.points[0])); break;
            case Kind::Bezier:
                cairo_curve_to(cr, x(s.points[0]), y(s.points[0]), x(s.points[1]), y(s.points[1]), x(s.points[2]),
                               y(s.points[2]));
                break;
            case Kind::Close: cairo_close_path(cr); break;
        }
    }
}

}  // namespace Platform::Cairo
