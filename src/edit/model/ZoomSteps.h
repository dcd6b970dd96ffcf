#pragma once
// The timeline's zoom levels (pixels per frame x 10000, 10000 = one pixel
// a frame), the normaliser that keeps a zoom on them, and stepping from
// one level to another.
#include "edit/model/Scene.h"

#include <array>

namespace Edit {

inline constexpr std::array<int, 27> zoomStepTable = {
    20,   30,   40,   50,    75,    100,   150,   200,   300,   400,   500,   750,   1000,  1500,
    2000, 3000, 4000, 5000,  7500,  10000, 15000, 20000, 30000, 40000, 50000, 75000, 100000};

// A value of the table stays; any other becomes 10000.
int normalizeZoomStep(int zoom);
// The position of zoom in the table, -1 when it is none of them.
int zoomStepIndex(int zoom);
// The level steps away from current (clamped to the table), with the
// table normaliser; from a zoom off the table the steps count from -1.
FrameZoom stepZoom(int current, int steps);
// The level at a position of the table (clamped), with the normaliser.
FrameZoom zoomAtStep(int index);

}  // namespace Edit
