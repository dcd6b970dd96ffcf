#pragma once
// Geometry of the colour wheel: a hue ring with a saturation/value square
// inside it. Pure functions of the control size, the base angle and the
// colour, so picking, hovering and drawing agree on every pixel.
#include <cstdint>
#include <optional>
#include <vector>

namespace Component {

struct ColorWheelGeometry {
    int d = 0;      // ring diameter and bitmap side; 0 = nothing drawn, nothing reacts
    int ring = 0;   // ring width
    int sq = 0;     // side of the saturation/value square
    int sqOff = 0;  // offset of the square inside the bitmap, both axes
    int ox = 0, oy = 0;  // bitmap position inside the control

    static ColorWheelGeometry fromSize(int width, int height);

    float centreX() const { return ox + d / 2.0f; }
    float centreY() const { return oy + d / 2.0f; }

    // 0 none, 1 ring, 2 square: what a press at (x, y) would start.
    int hoverMode(int x, int y) const;
    // The hue a ring drag at (x, y) selects; none at the exact centre.
    std::optional<float> ringHueAt(float x, float y, int baseAngle) const;
    // Saturation and value a square drag at (x, y) selects, clamped.
    void squareValueAt(float x, float y, float& saturation, float& value) const;

    // Hue marker: centre and unit direction along the radius.
    struct Marker {
        float x, y, dirX, dirY;
    };
    Marker hueMarker(float hue, int baseAngle) const;
    void svMarker(float saturation, float value, float& x, float& y) const;

    // d × d pixels, premultiplied, in the native 32-bit ARGB word order
    // (0xAARRGGBB per pixel) a Cairo image surface reads.
    std::vector<std::uint32_t> buildBitmap(float hue, int baseAngle) const;
};

}  // namespace Component
