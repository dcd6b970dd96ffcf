#include "window/controls/TextClearButtonControl.h"

#include "media/draw/TextLayout.h"
#include "window/controls/IconShape.h"

#include <cmath>

namespace Control {

TextClearButtonControl::TextClearButtonControl(Window::WindowControlOwner& owner, int left, int top, int right,
                                               int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom) {}

TextClearButtonControl::TextClearButtonControl(Window::WindowControl& parent, int left, int top, int right,
                                               int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom) {}

void TextClearButtonControl::procMouseEnter() {
    if (onClear && (!canClear || canClear())) clearHover = true;
    procPaint();
}

void TextClearButtonControl::procMouseLeave() {
    clearHover = false;
    overClear = false;
    procPaint();
}

void TextClearButtonControl::procMouseMove(int x, int) {
    if (!clearHover) return;
    const Window::Rect& full = fullRect();
    const bool over = x >= full.width - full.height + 2;
    if (over == overClear) return;
    overClear = over;
    procPaint();
}

void TextClearButtonControl::procLButtonDown(int, int) {
    if (!overClear) return;
    clearHover = false;
    overClear = false;
    procPaint();
    if (onClear) onClear();
}

void TextClearButtonControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    if (onHover) onHover(*this);
}

void TextClearButtonControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const int w = scope.width();
    const int h = scope.height();
    if (faceBrushProvider) {
        if (const Platform::Cairo::Brush* face = faceBrushProvider()) fill(*face);
    }
    if (fontList) {
        Resource::TextLayout layout((*fontList)[Resource::TextFormatList::Control].get(), text);
        const float y = (static_cast<float>(h) - std::ceil(layout.getMetrics().height)) / 2;
        drawTextLayout(0, y, *layout.get(), brushes[Brushes::Text], true);
    }
    if (clearHover) {
        const int x0 = w - h + 4;
        fillRectangle(x0, 2, w, h - 2, brushes[overClear ? Brushes::ButtonBodyHover : Brushes::ButtonBody]);
        drawIcon(IconClose, static_cast<float>(x0), 2, static_cast<float>(h - 4), static_cast<float>(h - 4),
                 brushes[Brushes::Text]);
        drawOutline(*this, x0, 2, w, h - 2, brushes[Brushes::Border], 1);
    }
}

}  // namespace Control
