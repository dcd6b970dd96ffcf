#pragma once
// Which pixels an edge through pixel centres covers. D3D's top-left rule
// takes centres on a top or left edge and leaves those on a bottom or right
// edge; GL leaves the rule to the driver, and the upper-left clip origin
// turns some drivers' rule upside down. The probe finds the viewport shift
// (a fraction of a pixel up or left, or none) that gives D3D's coverage.
namespace Platform::Gl {

class Display;

struct EdgeOffset {
    float x = 0.0f;
    float y = 0.0f;
};

// Runs on the calling thread's context.
EdgeOffset probeEdgeRule(Display& display);

}  // namespace Platform::Gl
