#pragma once
// A scene's frame rate is the integer pair rate / scale; users see and type
// a decimal figure. The "FrameRate" presets of system.conf (key: the figure,
// value: "rate/scale" or "rate") map the figures users know to exact pairs,
// first match in file order; entries that do not read are skipped.
namespace Edit {

struct RateScale {
    int rate = 0;
    int scale = 1;
};

// The figure shown for rate / scale: the key of a preset with that pair,
// else the quotient.
double getFrameRate(int rate, int scale);
// The pair stored for a typed figure: a preset whose key reads as exactly
// that figure, else the figure in millionths with only the common factors
// of ten removed (29.97 -> 2997/100, 0.5 -> 5/10).
RateScale getFrameRateScale(double frameRate);

}  // namespace Edit
