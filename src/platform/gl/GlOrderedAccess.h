#pragma once
// Whether overlapping primitives of one draw read, modify and write each
// pixel in submission order, as D3D's rasterizer-ordered views guarantee.
// Where the driver has fragment-shader interlock the programs use it. A
// software rasterizer without it shades each tile on one thread in
// submission order; that is trusted only when a probe proves it: hundreds
// of overlapping translucent rectangles over many tiles, drawn in one draw
// with more than one rasterizer thread, must match the same blending done
// on the CPU. Any other driver has no ordered access.
#include <vector>

namespace Platform::Gl {

class Display;
struct Capabilities;

namespace OrderedAccessProbe {

// The probe's target is kSize x kSize pixels (sixteen 64-pixel tiles).
inline constexpr int kSize = 256;

// One translucent rectangle, drawn as two triangles: every pixel inside
// (pixel centres between the integer edges) becomes
// value * alpha + pixel * (1 - alpha).
struct Rectangle {
    int left, top, right, bottom;
    float value, alpha;
};

// The rectangles in drawing order; the same on every call.
const std::vector<Rectangle>& rectangles();
// Draws them in one draw through image loads and stores into a cleared
// R32F picture on the calling thread's context; its pixels, top row first.
std::vector<float> draw(Display& display);
// The software rasterizer's thread count (its environment setting, or one
// per processor); 0 for another driver.
int rasterizerThreads(const Capabilities& capabilities);

// For checking the "not supported" road: the probe then always fails.
void forceFailure(bool force);

}  // namespace OrderedAccessProbe

// The decision, on the calling thread's context.
bool orderedAccessSupported(Display& display, const Capabilities& capabilities);

}  // namespace Platform::Gl
