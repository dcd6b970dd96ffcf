#include "window/controls/CheckButtonControl.h"

#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "window/controls/IconShape.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {

const Platform::Cairo::Brush* groupingOf(Media::RenderTargetWindow* host) {
    return host ? &host->brushList[Brushes::Grouping] : nullptr;
}

// Two strokes 0.11 of the square wide: down to the bottom of the tick and
// up to its top right.
constexpr Media::RenderTarget::IconLine kCheckMarkLines[] = {{0.2f, 0.5f, 0.4f, 0.75f, 0.11f},
                                                             {0.4f, 0.75f, 0.8f, 0.25f, 0.11f}};
constexpr IconShape kCheckMark{nullptr, nullptr, kCheckMarkLines, 2};

Resource::TextFormat* controlFont(Resource::TextFormatList* list) {
    return list ? &(*list)[Resource::TextFormatList::Control] : nullptr;
}

}  // namespace

CheckButtonControl::CheckButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom)
    : ButtonControl(owner, left, top, right, bottom), faceBrush(groupingOf(host)) {}

CheckButtonControl::CheckButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : ButtonControl(parent, left, top, right, bottom), faceBrush(groupingOf(host)) {}

void CheckButtonControl::setCheckCallback(std::function<void(CheckButtonControl&)> callback) {
    onCheck = std::move(callback);
    onClick = [](ButtonControl& button) {
        auto& check = static_cast<CheckButtonControl&>(button);
        check.checked = !check.checked;
        if (check.onCheck) check.onCheck(check);
    };
}

void CheckButtonControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const Platform::Cairo::Brush* face = nullptr;
    if (hover || captured || (toggleStyle && checked))
        face = &brushes[stateFace(*this)];
    else
        face = faceBrushProvider ? faceBrushProvider() : faceBrush;
    if (face) fill(*face);
    drawContent(brushes, scope.width(), scope.height());
    if (toggleStyle) drawOutline(*this, 0, 0, scope.width(), scope.height(), brushes[Brushes::Border], 2);
}

void CheckButtonControl::drawContent(Brushes& brushes, int width, int height) {
    if (!checked) return;
    const float side = static_cast<float>(std::min(width, height));
    drawIcon(kCheckMark, 0, 0, side, side, brushes[Brushes::Text]);
}

void CheckBitmapButtonControl::drawContent(Brushes&, int width, int height) {
    cairo_surface_t* bitmap = checked ? checkedBitmap : uncheckedBitmap;
    if (bitmap) drawBitmap(bitmap, 0, 0, width, height, 1.0f);
}

CheckTextButtonControl::CheckTextButtonControl(Window::WindowControlOwner& owner, int left, int top, int right,
                                               int bottom)
    : CheckButtonControl(owner, left, top, right, bottom), textFormat(controlFont(fontList)) {}

CheckTextButtonControl::CheckTextButtonControl(Window::WindowControl& parent, int left, int top, int right,
                                               int bottom)
    : CheckButtonControl(parent, left, top, right, bottom), textFormat(controlFont(fontList)) {}

void CheckTextButtonControl::drawContent(Brushes& brushes, int width, int height) {
    if (!textFormat) return;
    Resource::TextLayout layout(textFormat->get(), text);
    const Platform::Cairo::TextMetrics metrics = layout.getMetrics();
    const float x = std::max((static_cast<float>(width) - std::ceil(metrics.width)) / 2, 2.0f);
    const float y = std::max((static_cast<float>(height) - std::ceil(metrics.height)) / 2, 2.0f);
    drawTextLayout(x, y, *layout.get(), brushes[checked ? Brushes::Text : Brushes::TextDisable], true);
}

}  // namespace Control
