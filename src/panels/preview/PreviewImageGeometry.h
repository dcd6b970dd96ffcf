#pragma once
// Where the preview picture lies in its area for a zoom: fitted (zoom 0)
// with the spare room split evenly, or scaled by the zoom in percent and
// centred, which may overflow the area and then needs scrolling. Also the
// zoom at which the picture just fits.
#include <cstdint>

namespace Component {

struct ImageRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    friend bool operator==(const ImageRect&, const ImageRect&) = default;
};

// The picture of w × h pixels fitted into an area of W × H.
ImageRect fitImageRect(std::uint32_t w, std::uint32_t h, int areaWidth, int areaHeight);

struct ZoomedImage {
    // Before scrolling: an axis that overflows starts at its negative
    // offset and is then moved by the scroll position.
    ImageRect rect;
    bool overflowX = false;
    bool overflowY = false;
    // The scaled picture's size, rounded.
    int contentWidth = 0;
    int contentHeight = 0;
};

// The picture scaled by zoom percent (at least 1) and centred in the area.
ZoomedImage zoomedImageRect(std::uint32_t w, std::uint32_t h, int zoom, int areaWidth, int areaHeight);

// The largest percentage at which the picture fits the area; 100 without a
// picture.
int fitZoomOf(std::uint32_t w, std::uint32_t h, int areaWidth, int areaHeight);

// A zoom drag of n steps (two pixels each) from a start zoom: 1.01^n times
// the start, at least one percent a step, kept to 10..4000.
int dragZoom(int start, int steps);

// Zoom steps and drags keep the zoom within these.
inline constexpr int MinimumZoom = 10;
inline constexpr int MaximumZoom = 4000;

}  // namespace Component
