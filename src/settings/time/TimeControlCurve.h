#pragma once
// The points of a time-control curve and the rules of the curve editor that
// need no window: the flat list form the number items keep, hovering in
// plot pixels, dragging a point or a handle under its constraints and snap
// guides, adding and deleting points. A curve is a chain of cubic Bezier
// segments inside the unit square: x is the time inside the object (0 its
// first frame, 1 its last), y the position its movement uses instead.
#include <vector>

namespace Component {

// One point: its place and one handle vector used symmetrically (towards
// the next point it ends at (x + hx, y + hy), towards the previous one at
// (x - hx, y - hy)).
struct ControlAnchor {
    double x = 0;
    double y = 0;
    double hx = 0;
    double hy = 0;
    friend bool operator==(const ControlAnchor&, const ControlAnchor&) = default;
};

// What a part under the pointer is.
enum class CurvePart { None = 0, EndPoint = 1, InnerPoint = 2, HandleBefore = 3, HandleAfter = 4 };

struct CurveHover {
    CurvePart part = CurvePart::None;
    int index = -1;
    friend bool operator==(const CurveHover&, const CurveHover&) = default;
};

// Where a dragged point may snap: the frame cursor's fraction (-1 when
// outside the object), the section boundaries (empty unless shown) and the
// movement's mid-point positions (empty unless shown).
struct CurveSnapGuides {
    double cursor = -1;
    std::vector<double> times;
    std::vector<double> positions;
};

// The plot: the control's size less a 10 px margin on every side.
struct CurvePlot {
    static constexpr int Margin = 10;
    int width = 0;
    int height = 0;

    double screenX(double x) const { return Margin + width * x; }
    double screenY(double y) const { return Margin + (1 - y) * height; }
    // A point of the curve under a pixel.
    double curveX(double px) const { return (px - Margin) / width; }
    double curveY(double py) const { return 1 - (py - Margin) / height; }
};

class TimeControlCurve {
public:
    // The smallest x gap kept between neighbouring points.
    static constexpr double Gap = 1e-7;

    // Fewer than 4 values or a count not a multiple of 4: the diagonal
    // (two points with the handle (0.25, 0.25)); 4 values: the points (0, 0)
    // and (1, 1) with those handles; otherwise four values a point.
    void load(const std::vector<double>& flat);
    // Empty for fewer than 2 points and for the diagonal pair (whose
    // handles each have x = y); the four handles for another curve of the
    // two end points; otherwise four values a point.
    std::vector<double> save() const;

    // The part of the point or handle within 12 px of (x, y) in plot pixels
    // (distances truncated; the nearest wins, the earlier on a tie).
    CurveHover hoverAt(const CurvePlot& plot, int x, int y) const;

    // Moves the part from where it was at the press (pressed) by the pointer
    // offset (dx, dy) in pixels, then applies the constraints.
    void drag(CurveHover part, const ControlAnchor& pressed, int dx, int dy, bool shift, const CurvePlot& plot,
              const CurveSnapGuides& guides);

    // A point at (x, y) with a flat handle, kept strictly inside (0, 1) and
    // off the x of every other point; returns its index.
    int add(double x, double y);
    // Only inner points go; false otherwise.
    bool remove(int index);

    std::vector<ControlAnchor> points;
};

}  // namespace Component
