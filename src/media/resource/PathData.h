#pragma once
// A unit shape of the figure and transition lists: path commands in the
// shape's own coordinates, the box of those coordinates that is mapped onto
// a target rectangle, and the factor that turns an outline width into the
// inset of the outline path (inradius over circumradius for the regular
// polygons). Built once; read from any thread.
#include "platform/cairo/PathGeometry.h"

#include <memory>
#include <vector>

namespace Resource {

// Where a path command's points go: shape coordinates mapped onto a
// rectangle, collected as a geometry of lines and cubic curves.
class PathSink {
public:
    PathSink(Platform::Cairo::PathGeometry& geometry, float x, float y, float scaleX, float scaleY,
             float x0, float y0)
        : geometry_(geometry), x_(x), y_(y), scaleX_(scaleX), scaleY_(scaleY), x0_(x0), y0_(y0) {}

    void moveTo(float x, float y);
    void lineTo(float x, float y);
    // An elliptical arc from the current point, swept clockwise; radii too
    // small to reach the end point grow until they do.
    void arcTo(float x, float y, float radiusX, float radiusY, float rotation, bool largeArc);
    void bezier2To(float controlX, float controlY, float x, float y);
    void close();

private:
    Platform::Cairo::PointF map(double x, double y) const;
    void cubicTo(double x1, double y1, double x2, double y2, double x3, double y3);

    Platform::Cairo::PathGeometry& geometry_;
    float x_, y_, scaleX_, scaleY_, x0_, y0_;
    double currentX_ = 0, currentY_ = 0;
    bool open_ = false;
};

class PathCommand {
public:
    virtual ~PathCommand() = default;
    virtual void addToSink(PathSink& sink) const = 0;
};

class PathCommandMoveTo : public PathCommand {
public:
    PathCommandMoveTo(float x, float y) : x(x), y(y) {}
    void addToSink(PathSink& sink) const override { sink.moveTo(x, y); }
    float x, y;
};

class PathCommandLineTo : public PathCommand {
public:
    PathCommandLineTo(float x, float y) : x(x), y(y) {}
    void addToSink(PathSink& sink) const override { sink.lineTo(x, y); }
    float x, y;
};

class PathCommandArcTo : public PathCommand {
public:
    PathCommandArcTo(float x, float y, float radiusX, float radiusY, float rotation, bool largeArc)
        : x(x), y(y), radiusX(radiusX), radiusY(radiusY), rotation(rotation), largeArc(largeArc) {}
    void addToSink(PathSink& sink) const override { sink.arcTo(x, y, radiusX, radiusY, rotation, largeArc); }
    float x, y, radiusX, radiusY, rotation;
    bool largeArc;
};

class PathCommandBezier2To : public PathCommand {
public:
    PathCommandBezier2To(float controlX, float controlY, float x, float y)
        : controlX(controlX), controlY(controlY), x(x), y(y) {}
    void addToSink(PathSink& sink) const override { sink.bezier2To(controlX, controlY, x, y); }
    float controlX, controlY, x, y;
};

class PathCommandClosePath : public PathCommand {
public:
    void addToSink(PathSink& sink) const override { sink.close(); }
};

class PathData {
public:
    // The built-in shapes in list order.
    enum Shape { Circle, Square, Triangle, Pentagon, Hexagon, Star, Heart, Diamond, Count };

    PathData() = default;
    PathData(PathData&&) = default;
    PathData& operator=(PathData&&) = default;

    static PathData builtIn(Shape shape);

    // The shape placed so that its box fills the rectangle at (x, y) of
    // that width and height.
    Platform::Cairo::PathGeometry createPathGeometry(float x, float y, float width, float height) const;

    float x0 = 0, y0 = 0, w = 1, h = 1;
    float factor = 1;
    std::vector<std::unique_ptr<PathCommand>> commands;
};

}  // namespace Resource
