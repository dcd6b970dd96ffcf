#pragma once
// Whether overlapping primitives of one draw touch each pixel in submission
// order, as D3D's rasterizer-ordered views guarantee.
namespace Platform::Gl {

class Display;

// Draws overlapping primitives that read, modify and write an image, and
// compares every pixel with the same sequence computed on the CPU. Runs on
// the calling thread's context.
bool primitiveOrderHolds(Display& display);

}  // namespace Platform::Gl
