#pragma once
// The user interface's four stroke styles, each made on first use:
//   0  flat caps, miter join (limit 10), custom dashes 3 on, 3 off
//   1  flat caps, miter join (limit 10), the standard dash
//   2  round caps, round join (limit 1), solid
//   3  flat caps, bevel join (limit 1), solid
// Dash lengths are in stroke widths; all dash offsets are 0.
#include "media/draw/ComResourceDirect2D.h"
#include "platform/cairo/StrokeStyle.h"

#include <array>
#include <memory>

namespace Resource {

class StrokeStyleList {
public:
    enum Index { CustomDash, StandardDash, Round, Bevel, Count };

    StrokeStyleList();
    StrokeStyleList(const StrokeStyleList&) = delete;
    StrokeStyleList& operator=(const StrokeStyleList&) = delete;

    Platform::Cairo::StrokeStyle* get(Index index) { return styles_[index]->createResource(); }

private:
    std::array<std::unique_ptr<Media::ComResource<Platform::Cairo::StrokeStyle>>, Count> styles_;
};

// The mixin through which controls reach the stroke styles.
class StrokeStyleResource {
public:
    StrokeStyleResource();

protected:
    StrokeStyleList* strokeStyleList;
};

}  // namespace Resource
