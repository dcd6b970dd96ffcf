#pragma once
// The geometry of handles on the picture, in the control's pixels: where an
// item's normalised points land, the shapes that keep small handles
// usable, which items a point hits and which of them wins.
#include "effect/anchor/AnchorEvent.h"

namespace Anchor {

// Handles are never smaller than this many pixels each way.
inline constexpr float kMinimumHandleSize = 16.0f;

// Points to pixels over the picture rectangle, the centre, and the shape
// rules of the item's kind (a thin or collapsed outline becomes an
// oriented box of at least 16 × 16; a corner square close to a neighbour
// moves outward; an axis handle gets its fixed on-screen length). Docked
// items are laid out by layoutDocked instead.
void layoutItem(AnchorItem& item, const AnchorControlData::Rect& picture);
// A docked icon at the picture's top right, below the ones before it;
// `stackTop` is the top of the next icon and moves down by this one.
void layoutDocked(AnchorItem& item, const AnchorControlData::Rect& picture, float controlWidth, float& stackTop);
// Replaces a polygon's screen outline by the box around it along its
// longest edge, widened to at least 16 pixels each way.
void fallbackRectangle(AnchorItem& item);

// Whether the point lies in the item's hit area (its screen points).
bool hitsAnchor(const AnchorItem& item, float x, float y);
// Between two hit anchors: lower kind, then nearer centre (radius counts
// twice), then the focus object's, then the lower index.
bool hitPrecedes(const AnchorItem& a, const AnchorItem& b, float x, float y, const Edit::Object* focus);

}  // namespace Anchor
