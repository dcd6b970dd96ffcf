#include "window/controls/TextButtonControl.h"

#include "media/draw/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {

Resource::TextFormat* controlFont(Resource::TextFormatList* list) {
    return list ? &(*list)[Resource::TextFormatList::Control] : nullptr;
}

}  // namespace

TextButtonControl::TextButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                                     int style)
    : ButtonControl(owner, left, top, right, bottom), textFormat(controlFont(fontList)), style(style) {}

TextButtonControl::TextButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                                     int style)
    : ButtonControl(parent, left, top, right, bottom), textFormat(controlFont(fontList)), style(style) {}

void TextButtonControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const float w = static_cast<float>(scope.width());
    const float h = static_cast<float>(scope.height());
    fill(brushes[stateFace(*this)]);
    if (textFormat) {
        Resource::TextLayout layout(textFormat->get(), text);
        const Platform::Cairo::TextMetrics metrics = layout.getMetrics();
        float x = 0;
        float y = 0;
        switch (style) {
        case 0:
            x = (w - std::ceil(metrics.width)) / 2;
            y = (h - metrics.height) / 2;
            break;
        case 1: {
            x = metrics.height / 6;
            y = (h - metrics.height) / 2;
            const float a = metrics.height / 5;
            const float b = w - metrics.height / 4;
            const float c = h / 2;
            const float corners[] = {b, c - a, b - 3 * a, c - a, b - 1.5f * a, c + a};
            fillPath(corners, brushes[Brushes::Text]);
            break;
        }
        case 2:
            layout.setTrimming(w - 4, textFormat->getTrimmingSign());
            x = (w - metrics.width) / 2;
            y = (h - metrics.height) / 2;
            break;
        default:
            break;
        }
        x = std::max(x, 3.0f);
        y = std::max(y, 3.0f);
        drawTextLayout(x, y, *layout.get(), brushes[enabled ? Brushes::Text : Brushes::TextDisable], true);
    }
    drawOutline(*this, 0, 0, scope.width(), scope.height(), brushes[Brushes::Border], 2);
}

void TextButtonWheelControl::procMouseEnter() {
    acceptsWheel = static_cast<bool>(onWheel);
    TextButtonControl::procMouseEnter();
}

void TextButtonWheelControl::procMouseLeave() {
    acceptsWheel = false;
    TextButtonControl::procMouseLeave();
}

bool TextButtonWheelControl::canMouseWheel() {
    if (!hover || !onWheel) return false;
    return canWheel ? canWheel(*this) : true;
}

void TextButtonWheelControl::procMouseWheel(int, int, int delta) {
    if (onWheel) onWheel(*this, delta);
}

}  // namespace Control
