#include "panels/preview/PreviewControl.h"

#include "core/file/SettingService.h"
#include "effect/anchor/AnchorList.h"
#include "media/image/FrameImage.h"
#include "panels/preview/PreviewZoomMenu.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <mutex>

namespace Component {

PreviewControl::PreviewControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                               int* zoom)
    : WindowControlRenderTarget(owner, left, top, right, bottom),
      zoom(zoom),
      inner(owner.client, owner.hostWindow, owner.hostTarget, priority, &visibleRect(), &fullRect()),
      video(*this, inner, 0, 0, -Setting::ScrollBarSize, -Setting::ScrollBarSize),
      horizontalBar(inner, 0, -Setting::ScrollBarSize, -Setting::ScrollBarSize, Setting::ScrollBarSize),
      verticalBar(inner, -Setting::ScrollBarSize, 0, Setting::ScrollBarSize, -Setting::ScrollBarSize) {
    // The area itself takes no input: its controls do.
    WindowMouse::detach();
    horizontalBar.vertical = false;
    verticalBar.vertical = true;
    horizontalBar.onScroll = [this](Control::ScrollBarControl&, int position) {
        scrollTo(position, verticalBar.viewStart);
    };
    verticalBar.onScroll = [this](Control::ScrollBarControl&, int position) {
        scrollTo(horizontalBar.viewStart, position);
    };
}

PreviewControl::~PreviewControl() = default;

void PreviewControl::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    for (Window::WindowControl* control : inner.controls) control->procPaint();
}

float PreviewControl::centreFraction(const Control::ScrollBarControl& bar) {
    return ((bar.viewStart + bar.viewEnd + 1) * 0.5f - bar.minimum) / (bar.maximum - bar.minimum + 1);
}

void PreviewControl::procMove() {
    inner.updateLayout();
    if (!scrollMode) return;
    const float fx = centreFraction(horizontalBar);
    const float fy = centreFraction(verticalBar);
    horizontalBar.setViewRange(0, video.fullRect().width);
    verticalBar.setViewRange(0, video.fullRect().height);
    horizontalBar.setViewRatio(fx);
    verticalBar.setViewRatio(fy);
}

void PreviewControl::placeControl(Window::WindowControl& control, int left, int top, int right, int bottom) {
    control.left = left;
    control.top = top;
    control.right = right;
    control.bottom = bottom;
    control.updateLayout();
}

void PreviewControl::setScrollMode(bool on, int contentWidth, int contentHeight) {
    const int bar = Setting::ScrollBarSize;
    if (!on) {
        if (!scrollMode) return;
        scrollMode = false;
        placeControl(horizontalBar, -1, -1, -1, -1);
        placeControl(verticalBar, -1, -1, -1, -1);
        placeControl(video, 0, 0, 0, 0);
        video.procMove();
        horizontalBar.procMove();
        verticalBar.procMove();
        return;
    }
    if (scrollMode && scrollWidth == contentWidth && scrollHeight == contentHeight) return;
    float fx = 0.5f;
    float fy = 0.5f;
    if (scrollMode) {
        fx = centreFraction(horizontalBar);
        fy = centreFraction(verticalBar);
    } else {
        scrollMode = true;
        placeControl(horizontalBar, 0, -bar, -bar, bar);
        placeControl(verticalBar, -bar, 0, bar, -bar);
        placeControl(video, 0, 0, -bar, -bar);
        video.procMove();
        horizontalBar.procMove();
        verticalBar.procMove();
    }
    scrollWidth = contentWidth;
    scrollHeight = contentHeight;
    horizontalBar.minimum = std::min(contentWidth, 0);
    horizontalBar.maximum = std::max(contentWidth, 0);
    verticalBar.minimum = std::min(contentHeight, 0);
    verticalBar.maximum = std::max(contentHeight, 0);
    horizontalBar.setViewRange(horizontalBar.viewStart, horizontalBar.viewEnd);
    verticalBar.setViewRange(verticalBar.viewStart, verticalBar.viewEnd);
    horizontalBar.setViewRange(0, video.fullRect().width);
    verticalBar.setViewRange(0, video.fullRect().height);
    horizontalBar.setViewRatio(fx);
    verticalBar.setViewRatio(fy);
    horizontalBar.procPaint();
    verticalBar.procPaint();
}

void PreviewControl::scrollTo(int x, int y) {
    bool moved = false;
    for (auto [bar, wanted] : {std::pair{&horizontalBar, x}, std::pair{&verticalBar, y}}) {
        if (wanted == bar->viewStart) continue;
        const int length = bar->viewEnd - bar->viewStart;
        int start = wanted;
        if (start + length > bar->maximum) start = bar->maximum - length;
        if (start < bar->minimum) start = bar->minimum;
        bar->setViewRange(start, start + length);
        bar->procPaint();
        moved = true;
    }
    if (moved) video.procPaint();
}

ImageRect PreviewControl::getImageRect() {
    const int W = fullRect().width;
    const int H = fullRect().height;
    const int w = bitmapWidth(bitmap.get());
    const int h = bitmapHeight(bitmap.get());
    if (!bitmap) {
        setScrollMode(false, 0, 0);
        return {};
    }
    const auto uw = static_cast<std::uint32_t>(w);
    const auto uh = static_cast<std::uint32_t>(h);
    if (*zoom < 1) {
        setScrollMode(false, 0, 0);
        return fitImageRect(uw, uh, W, H);
    }
    ZoomedImage zoomed = zoomedImageRect(uw, uh, *zoom, W, H);
    ImageRect& r = zoomed.rect;
    if (zoomed.overflowX || zoomed.overflowY) {
        setScrollMode(true, zoomed.contentWidth, zoomed.contentHeight);
        const float width = r.right - r.left;
        const float height = r.bottom - r.top;
        if (zoomed.overflowX) r.left = static_cast<float>(-horizontalBar.viewStart);
        if (zoomed.overflowY) r.top = static_cast<float>(-verticalBar.viewStart);
        r.right = r.left + width;
        r.bottom = r.top + height;
    } else {
        setScrollMode(false, 0, 0);
    }
    return r;
}

void PreviewControl::appendZoomMenu(Window::MenuEntries& menu) {
    appendZoomItems(menu, previewZoomList(), *zoom, [this](int value) { setZoom(value); });
}

void PreviewControl::setZoom(int value) {
    *zoom = value;
    video.procPaint();
}

int PreviewControl::getFitZoom() const {
    return fitZoomOf(static_cast<std::uint32_t>(bitmapWidth(bitmap.get())),
                     static_cast<std::uint32_t>(bitmapHeight(bitmap.get())), fullRect().width, fullRect().height);
}

BitmapPointer PreviewControl::makeBitmap(Media::FrameImage& image) {
    Platform::Cairo::DeviceContext* context = Media::RenderTarget::owner ? Media::RenderTarget::owner->target : nullptr;
    cairo_t* surface = context ? context->cairo() : nullptr;
    if (!surface) return nullptr;
    std::lock_guard lock(image.mutex);
    if (image.image.width == 0 || image.image.height == 0) return nullptr;
    return BitmapPointer(image.image.createRenderTargetBitmap(surface, D2D1_ALPHA_MODE_PREMULTIPLIED));
}

void PreviewControl::setBitmap(BitmapPointer next) { bitmap = std::move(next); }

void PreviewControl::updateFrame(Media::FrameImage& image, Anchor::AnchorList& pending) {
    if (BitmapPointer next = makeBitmap(image)) setBitmap(std::move(next));
    std::vector<Anchor::AnchorItem> fresh;
    if (pending.takeOver(fresh)) video.showAnchors(std::move(fresh));
    video.updateAnchorLayout();
    video.procPaint();
}

}  // namespace Component
