#pragma once
// How lines are stroked: caps, joins, miter limit and dashes. Dash lengths
// and the dash offset are multiples of the stroke width, as the callers
// specify them; they are scaled when applied. Plain data, any surface.
#include <vector>

typedef struct _cairo cairo_t;

namespace Platform::Cairo {

enum class CapStyle { Flat, Square, Round, Triangle };
enum class LineJoin { Miter, Bevel, Round, MiterOrBevel };
enum class DashStyle { Solid, Dash, Dot, DashDot, DashDotDot, Custom };

struct StrokeStyleProperties {
    CapStyle startCap = CapStyle::Flat;
    CapStyle endCap = CapStyle::Flat;
    CapStyle dashCap = CapStyle::Flat;
    LineJoin lineJoin = LineJoin::Miter;
    // Miter length over half the stroke width.
    float miterLimit = 10.0f;
    DashStyle dashStyle = DashStyle::Solid;
    float dashOffset = 0.0f;
};

class StrokeStyle {
public:
    // Custom dashes are used only with DashStyle::Custom.
    StrokeStyle(const StrokeStyleProperties& properties, std::vector<float> dashes = {});

    const StrokeStyleProperties& properties() const { return properties_; }
    // The dash pattern in stroke widths (empty for solid lines).
    const std::vector<float>& dashes() const { return dashes_; }

    // Sets width, caps, join, miter limit and dashes on the context. The
    // line's ends and its dashes share one cap in Cairo: the end cap serves
    // solid lines, the dash cap dashed ones. Triangle caps draw round.
    void applyTo(cairo_t* cr, float width) const;
    // The defaults (flat caps, miter join, solid) at a width.
    static void applyDefault(cairo_t* cr, float width);

private:
    StrokeStyleProperties properties_;
    std::vector<float> dashes_;
};

}  // namespace Platform::Cairo
