#pragma once
// Brushes of the 2D drawing layer: what a fill or stroke paints with. A
// brush is plain data (no surface owns it), so it serves any surface. Its
// opacity multiplies the alpha of its colours.
#include "platform/cairo/DrawTypes.h"

#include <array>

typedef struct _cairo cairo_t;

namespace Platform::Cairo {

class Brush {
public:
    virtual ~Brush() = default;

    float getOpacity() const { return opacity_; }
    void setOpacity(float opacity) { opacity_ = opacity; }

    // Makes the brush the context's source, in the context's coordinates.
    virtual void applyTo(cairo_t* cr) const = 0;

private:
    float opacity_ = 1.0f;
};

class SolidColorBrush final : public Brush {
public:
    explicit SolidColorBrush(const ColorF& color) : color_(color) {}

    const ColorF& getColor() const { return color_; }
    void setColor(const ColorF& color) { color_ = color; }
    void applyTo(cairo_t* cr) const override;

private:
    ColorF color_;
};

struct GradientStop {
    float position;
    ColorF color;
};

// Two stops blended in the colour space the colours are given in (gamma
// 2.2), clamped beyond its end points. Start and end are (0, 0) until set.
class LinearGradientBrush final : public Brush {
public:
    LinearGradientBrush(const GradientStop& first, const GradientStop& second) : stops_{first, second} {}

    const std::array<GradientStop, 2>& getStops() const { return stops_; }
    PointF getStartPoint() const { return start_; }
    PointF getEndPoint() const { return end_; }
    void setStartPoint(PointF point) { start_ = point; }
    void setEndPoint(PointF point) { end_ = point; }
    void applyTo(cairo_t* cr) const override;

private:
    std::array<GradientStop, 2> stops_;
    PointF start_;
    PointF end_;
};

}  // namespace Platform::Cairo
