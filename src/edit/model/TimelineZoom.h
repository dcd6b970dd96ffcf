#pragma once
// The timeline's zoom steps (pixels per frame x 10000), ascending: the only
// zooms a scene keeps.
#include <array>

namespace Edit {

inline constexpr std::array<int, 27> timelineZoomSteps = {
    20,   30,   40,   50,   75,    100,   150,   200,   300,   400,   500,   750,   1000, 1500,
    2000, 3000, 4000, 5000, 7500, 10000, 15000, 20000, 30000, 40000, 50000, 75000, 100000};

}  // namespace Edit
