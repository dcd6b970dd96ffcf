#pragma once
// How the timeline's object area maps pixels to frames and layers, and
// which part of which object lies under a point. x counts from the area's
// left edge, y from the top of the first visible row; a press on the ruler
// above arrives with a negative y.
//
// Boundaries of an object are numbered 0 (its start), 1..n (the inner
// boundaries, kept as offsets from the start) and n + 1 (end + 1).
#include "edit/model/Scene.h"

namespace Component {

// The part of an object under the pointer.
enum ObjectHitKind : int {
    HitBody = 0,
    HitStartEdge = 1,
    HitEndEdge = 2,
    HitSection = 3,
};

struct ObjectHitArea {
    int kind = HitBody;
    int section = -1;

    friend bool operator==(const ObjectHitArea&, const ObjectHitArea&) = default;
};

// The current scene's view as the area draws it.
struct ObjectAreaView {
    int firstFrame = 0;
    int firstLayer = 0;
    int zoom = 10000;  // pixels per frame x 10000
    int layerHeight = 1;

    // 64-bit products, divisions truncating toward zero.
    int frameAt(int x) const;
    int xAt(int frame) const;
    int layerAt(int y) const;
    // Eight pixels in frames, plus one: targets strictly nearer snap.
    int snapRadius() const { return 80000 / zoom + 1; }
};

// How far from an edge or boundary a point still picks it.
inline constexpr int pickTolerance = 8;

int innerBoundaryCount(const Edit::Object& object);
// The frame of boundary k (0 .. n + 1).
int boundaryFrame(const Edit::Object& object, int k);

// The object of the row under the point within the tolerance, or the empty
// pointer.
const Edit::ObjectPointer& hitTestObject(const ObjectAreaView& view, const Edit::Scene& scene, int x, int y);
// The inner boundary (1..n) within reach of x, or -1.
int hitTestSection(const ObjectAreaView& view, const Edit::Object& object, int x);
// Edge, boundary or body under x. An object on a locked layer is only ever
// its body.
ObjectHitArea hitTestArea(const ObjectAreaView& view, const Edit::Object& object, bool locked, int x);
bool isOnLockedLayer(const Edit::Scene& scene, const Edit::Object& object);

}  // namespace Component
