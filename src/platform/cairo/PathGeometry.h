#pragma once
// A path of figures, each begun at a point and continued by lines and cubic
// Béziers, open or closed; filled with the alternate (even-odd) or winding
// rule. Built once, then drawn on any surface at an offset.
#include "platform/cairo/DrawTypes.h"

#include <vector>

typedef struct _cairo cairo_t;

namespace Platform::Cairo {

enum class FillMode { Alternate, Winding };

class PathGeometry {
public:
    void setFillMode(FillMode mode) { fillMode_ = mode; }
    FillMode fillMode() const { return fillMode_; }

    void beginFigure(PointF start);
    void addLine(PointF to);
    void addBezier(PointF control1, PointF control2, PointF to);
    void endFigure(bool closed);

    // Replaces the context's path with this one moved by the offset, and
    // sets the fill rule.
    void appendTo(cairo_t* cr, float offsetX, float offsetY) const;
    bool empty() const { return segments_.empty(); }

private:
    enum class Kind { Begin, Line, Bezier, Close };
    struct Segment {
        Kind kind;
        PointF points[3];
    };

    std::vector<Segment> segments_;
    FillMode fillMode_ = FillMode::Alternate;
};

}  // namespace Platform::Cairo
