#pragma once
// The level meter at the right of the preview picture: a bar per channel
// lit green, yellow and red up to the peak level by the player's two
// thresholds, a held-peak marker, an RMS marker, tick lines every 5 dB and,
// while the pointer rests on it during playback, the dB scale.
// User-interface thread only.
#include "media/draw/TextFormatList.h"
#include "panels/preview/LevelMeterValues.h"
#include "window/WindowControlRenderTarget.h"

namespace Render {
class MoviePlayer;
}

namespace Component {

class LevelMeterControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    // player: its thresholds; may be null (tests): the defaults apply.
    LevelMeterControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                      Render::MoviePlayer* player);

    void procMouseEnter() override;
    void procMouseLeave() override;
    void procMove() override;
    void procPaint() override;

    // Every level at -60, then repaint.
    void reset();
    // Takes a record and repaints.
    void setValues(const LevelMeterValues& next);

    // One bar's rectangles from x0 to x1, in the draw scope.
    void drawBar(int x0, int x1, const ChannelLevel& channel);
    void drawScale();

    // A rectangle of the bar (x0, B - from .. B - to) in a brush.
    struct Segment {
        int brush;
        int top;     // pixels above the bottom, the higher end
        int bottom;  // pixels above the bottom, the lower end
    };
    // The coloured segments of a bar for a peak (pixels above the bottom),
    // lowest first: lit parts then unlit ones.
    std::vector<Segment> barSegments(int peak) const;

    Render::MoviePlayer* player;
    LevelMeterValues values;
    int leftX = 2;
    int rightX = 0;
    int barWidth = 1;
    int bottomY = 0;
    int meterHeight = 1;
    int markerThickness = 3;
    int yellowLine = 0;
    int redLine = 0;
    // Whether the scale is shown (by default: hovered during playback).
    std::function<bool()> showScale;
};

}  // namespace Component
