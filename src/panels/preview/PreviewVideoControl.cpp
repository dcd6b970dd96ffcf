#include "panels/preview/PreviewVideoControl.h"

#include "panels/preview/PreviewControl.h"
#include "window/controls/ControlPaint.h"

namespace Component {

PreviewVideoControl::PreviewVideoControl(PreviewControl& area, Window::WindowControlOwner& owner, int left,
                                         int top, int right, int bottom)
    : AnchorControl(owner, left, top, right, bottom), area(area) {
    acceptsRightButton = true;
}

PreviewVideoControl::~PreviewVideoControl() = default;

Platform::Cairo::Interpolation previewInterpolation(int zoom) {
    return zoom < 100 ? Platform::Cairo::Interpolation::MultiSampleLinear
                      : Platform::Cairo::Interpolation::NearestNeighbor;
}

void PreviewVideoControl::updateAnchorLayout() {
    pictureRect = {imageRect.left, imageRect.top, imageRect.right, imageRect.bottom};
    layoutAnchors();
}

void PreviewVideoControl::showAnchors(std::vector<Anchor::AnchorItem> list) { setItems(std::move(list)); }

void PreviewVideoControl::clearAnchors() { setItems({}); }

void PreviewVideoControl::procPaint() {
    if (!visible) return;
    const ImageRect r = area.getImageRect();
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    fill(scope.brushes()[Control::Brushes::OutsideDisplay]);
    cairo_surface_t* bitmap = area.bitmap.get();
    if (!bitmap || bitmapWidth(bitmap) == 0 || bitmapHeight(bitmap) == 0) return;
    if (target) {
        const Platform::Cairo::RectF destination{r.left + originX, r.top + originY, r.right + originX,
                                                 r.bottom + originY};
        target->drawBitmap(bitmap, destination, 1.0f, previewInterpolation(*area.zoom));
    }
    if (!(r == imageRect)) {
        imageRect = r;
        updateAnchorLayout();
    }
    drawAnchors();
}

}  // namespace Component
