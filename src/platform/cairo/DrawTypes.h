#pragma once
// Values of the 2D drawing layer: points, rectangles and colours in floats,
// in pixels of the surface drawn on (one unit is one pixel).
namespace Platform::Cairo {

struct PointF {
    float x = 0;
    float y = 0;
};

struct RectF {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// Straight (not premultiplied) colour, components 0..1.
struct ColorF {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// MultiSampleLinear averages every source pixel a destination pixel covers
// (for pictures drawn smaller than they are).
enum class Interpolation { NearestNeighbor, Linear, MultiSampleLinear };

}  // namespace Platform::Cairo
