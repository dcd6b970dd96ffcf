#pragma once
// Where the colour window puts its children, as layout numbers of the
// window's control owner (left, top, width, height; a negative left counts
// from the right edge, a width of 0 or less from the right edge).
namespace Component {

struct ColorWindowLayout {
    struct Box {
        int left, top, right, bottom;
    };
    Box swatch, rgb, hsv, wheel, palette;
    bool hsvShown;

    // width, height: the window's client size; top: below the title band;
    // margin, rowHeight: the style's setting rows; neededWidth: the width a
    // slider column needs to show its values.
    static ColorWindowLayout compute(int width, int height, int top, int margin, int rowHeight, int neededWidth);
};

}  // namespace Component
