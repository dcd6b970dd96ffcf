#pragma once
// The picture area of the preview window: the newest frame as a bitmap,
// where it lies for the window's zoom ("DisplayZoom", 0 = fit), the two
// scroll bars that appear while a zoomed picture overflows the area, and
// the zoom choices. The picture control inside it paints.
// User-interface thread only.
#include "panels/preview/PreviewBitmap.h"
#include "panels/preview/PreviewImageGeometry.h"
#include "panels/preview/PreviewVideoControl.h"
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowMenuEntry.h"
#include "window/controls/ScrollBarControl.h"

namespace Anchor {
class AnchorList;
}
namespace Media {
class FrameImage;
}

namespace Component {

class PreviewControl : public Window::WindowControlRenderTarget {
public:
    // zoom: the window's "DisplayZoom", which outlives the area.
    PreviewControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom, int* zoom);
    ~PreviewControl() override;

    void procPaint() override;
    void procMove() override;

    // The picture's rectangle in the area's coordinates; switches the
    // scroll bars on or off as the zoomed picture needs them.
    ImageRect getImageRect();
    void setScrollMode(bool on, int contentWidth, int contentHeight);
    void scrollTo(int x, int y);
    // The zoom items of "PreviewZoom".
    void appendZoomMenu(Window::MenuEntries& menu);
    // Stores the zoom as it is and repaints the picture.
    void setZoom(int value);
    // The zoom at which the picture fits the area.
    int getFitZoom() const;

    // A new preview frame: its bitmap replaces the shown one, and fresh
    // anchors replace the shown ones; then the picture repaints.
    void updateFrame(Media::FrameImage& image, Anchor::AnchorList& pending);
    // A bitmap of a frame image for this area's drawing surface, or null
    // without one (no window yet).
    BitmapPointer makeBitmap(Media::FrameImage& image);
    void setBitmap(BitmapPointer next);

    int* zoom;
    BitmapPointer bitmap;
    bool scrollMode = true;
    int scrollWidth = 0;
    int scrollHeight = 0;
    Window::WindowControlOwner inner;
    PreviewVideoControl video;
    Control::ScrollBarControl horizontalBar;
    Control::ScrollBarControl verticalBar;

private:
    static float centreFraction(const Control::ScrollBarControl& bar);
    void placeControl(Window::WindowControl& control, int left, int top, int right, int bottom);
};

}  // namespace Component
