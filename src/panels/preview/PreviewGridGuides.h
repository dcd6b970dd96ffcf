#pragma once
// The XY grid drawn over the preview picture: guide lines handed to the
// picture as anchors of the frame, in normalised frame coordinates (x from
// -1 at the left to 1 at the right, y from 1 at the top to -1 at the
// bottom). Regular columns and rows every width / height pixels from the
// centre, and free guides at pixel offsets from an edge (negative offsets
// count from the right or bottom edge).
#include "effect/anchor/AnchorList.h"

#include <vector>

namespace Component {

struct GridGuides {
    int width = 200;
    int height = 200;
    std::vector<int> x;
    std::vector<int> y;
};

// Appends the guides for a frame of frameWidth × frameHeight pixels.
void addGridGuides(const GridGuides& grid, int frameWidth, int frameHeight, Anchor::AnchorList& anchors);

}  // namespace Component
