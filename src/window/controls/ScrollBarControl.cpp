#include "window/controls/ScrollBarControl.h"

#include "media/draw/RenderTargetWindow.h"
#include "window/WindowMouseService.h"

#include <algorithm>

namespace Control {

namespace {

// The thumb beats the track and the arrows.
constexpr int kThumbPriority = 300;

const Platform::Cairo::Brush* backgroundOf(Media::RenderTargetWindow* host) {
    return host ? &host->brushList[Brushes::Background] : nullptr;
}

// Which way a bar runs, from its width and height layout numbers.
bool isVertical(const Window::WindowControl& bar) {
    if (bar.bottom <= 0) return true;
    if (bar.right <= 0) return false;
    return bar.right < bar.bottom;
}

const IconShape& firstIcon(const Window::WindowControl& bar) {
    if (bar.bottom <= 0) return IconTriangleUp;
    if (bar.right <= 0) return IconTriangleLeft;
    static const IconShape none{};
    return none;
}

const IconShape& secondIcon(const Window::WindowControl& bar) {
    if (bar.bottom <= 0) return IconTriangleDown;
    if (bar.right <= 0) return IconPlay;
    static const IconShape none{};
    return none;
}

}  // namespace

ScrollBarControl::BarMouse::BarMouse(ScrollBarControl& bar)
    : WindowMouse(bar.window, &area, kThumbPriority), bar(bar) {}

void ScrollBarControl::BarMouse::procLButtonDown(int x, int y) {
    if (service) service->startDrag(x, y, service->defaultCursor);
    bar.dragStartValue = bar.viewStart;
    bar.procPaint();
}

void ScrollBarControl::BarMouse::procMouseDrag(int x, int y) {
    if (bar.trackLength <= 0) return;
    bar.requestPosition(bar.dragPosition(bar.vertical ? y : x, bar.dragStartValue));
}

void ScrollBarControl::BarMouse::procMouseEnter() { bar.procPaint(); }

void ScrollBarControl::BarMouse::procMouseLeave() { bar.procPaint(); }

void ScrollBarControl::BarMouse::procCaptureLost() { bar.procPaint(); }

ScrollBarControl::ScrollBarControl(Window::WindowControlOwner& owner, int left, int top, int thickness)
    : ScrollBarControl(owner, left, top, thickness, 0) {}

ScrollBarControl::ScrollBarControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom),
      backgroundBrush(backgroundOf(host)),
      inner(owner.client, owner.hostWindow, owner.hostTarget, priority, &visibleRect(), &fullRect()),
      firstArrow(inner, 0, 0, 0, 0, firstIcon(*this)),
      secondArrow(inner, 0, 0, 0, 0, secondIcon(*this)),
      thumb(*this) {
    init();
}

ScrollBarControl::ScrollBarControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom),
      backgroundBrush(backgroundOf(host)),
      inner(parent.owner ? parent.owner->client : nullptr, parent.window, host, priority, &visibleRect(),
            &fullRect()),
      firstArrow(inner, 0, 0, 0, 0, firstIcon(*this)),
      secondArrow(inner, 0, 0, 0, 0, secondIcon(*this)),
      thumb(*this) {
    init();
}

ScrollBarControl::~ScrollBarControl() = default;

void ScrollBarControl::init() {
    acceptsWheel = true;
    vertical = isVertical(*this);
    onScroll = [](ScrollBarControl&, int) {};
    firstArrow.onClick = [this](ButtonControl&) { requestPosition(viewStart - step); };
    secondArrow.onClick = [this](ButtonControl&) { requestPosition(viewStart + step); };
    procMove();
}

int ScrollBarControl::thickness() const { return vertical ? fullRect().width : fullRect().height; }

int ScrollBarControl::length() const { return vertical ? fullRect().height : fullRect().width; }

void ScrollBarControl::setViewRange(int start, int end) {
    ScrollBarGeometry::setViewRange(start, end);
    placeThumbArea();
}

void ScrollBarControl::setViewRatio(float fraction) {
    int start = 0;
    if (!ratioPosition(fraction, start)) return;
    setViewRange(start, start + (viewEnd - viewStart));
}

void ScrollBarControl::requestPosition(int position) {
    const int clamped = clampPosition(position);
    if (clamped != viewStart && onScroll) onScroll(*this, clamped);
}

void ScrollBarControl::placeArrows() {
    const Window::Rect& full = fullRect();
    if (vertical) {
        firstArrow.setRect(full.x, full.y, full.x + full.width, full.y + arrowSize);
        secondArrow.setRect(full.x, full.y + full.height - arrowSize, full.x + full.width, full.y + full.height);
    } else {
        firstArrow.setRect(full.x, full.y, full.x + arrowSize, full.y + full.height);
        secondArrow.setRect(full.x + full.width - arrowSize, full.y, full.x + full.width, full.y + full.height);
    }
    firstArrow.visible = secondArrow.visible = arrowSize > 0 && visible;
}

void ScrollBarControl::placeThumbArea() {
    const Window::Rect& full = fullRect();
    Window::Rect area;
    if (vertical)
        area = {full.x, full.y + thumbOffset(), full.width, thumbLength()};
    else
        area = {full.x + thumbOffset(), full.y, thumbLength(), full.height};
    // Only what shows of the bar can be grabbed.
    const Window::Rect& v = visibleRect();
    thumb.area = Window::WindowControl::clipRect(v, area.x, area.y, area.x + area.width, area.y + area.height);
    thumb.visible = visible && trackLength > 0;
    thumb.enabled = enabled;
}

void ScrollBarControl::procMove() {
    layoutTrack(length(), thickness());
    placeThumbArea();
    // The arrows follow the bar; the owner's layout places them by their
    // own rule, so they are placed after it.
    inner.updateLayout();
    placeArrows();
}

void ScrollBarControl::procLButtonDown(int x, int y) {
    const int t = (vertical ? y : x) - arrowSize;
    requestPosition(pagePosition(t));
}

void ScrollBarControl::procMouseWheel(int, int, int delta) {
    requestPosition(delta <= 0 ? viewStart + step : viewStart - step);
}

void ScrollBarControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    if (backgroundBrush) fill(*backgroundBrush);
    firstArrow.procPaint();
    secondArrow.procPaint();
    if (trackLength <= 0) return;
    const float across = static_cast<float>(thickness());
    const float inset = std::max(0.2f * across, 0.5f);
    const Platform::Cairo::Brush& face = brushes[ButtonControl::stateFace(thumb)];
    // The thumb is clipped to the track: it never covers the arrows.
    const Window::Rect& full = fullRect();
    const int trackX = full.x + (vertical ? 0 : arrowSize);
    const int trackY = full.y + (vertical ? arrowSize : 0);
    const Window::Rect track =
        Window::WindowControl::clipRect(visibleRect(), trackX, trackY, trackX + (vertical ? full.width : trackLength),
                                        trackY + (vertical ? trackLength : full.height));
    if (track.width <= 0 || track.height <= 0) return;
    DrawScope trackScope(*this, track.x, track.y, track.x + track.width, track.y + track.height, true);
    originX = trackX;
    originY = trackY;
    if (vertical)
        fillRectangleF(*this, inset, thumbFrom, across - inset, thumbTo, face);
    else
        fillRectangleF(*this, thumbFrom, inset, thumbTo, across - inset, face);
}

void ScrollBarControl::detach() {
    thumb.detach();
    inner.detachControls();
    WindowControlRenderTarget::detach();
}

}  // namespace Control
