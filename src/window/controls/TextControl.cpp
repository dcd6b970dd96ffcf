#include "window/controls/TextControl.h"

#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "window/controls/ControlPaint.h"

#include <cmath>

namespace Control {

TextControl::TextControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                         std::wstring text, int alignment)
    : WindowControlRenderTarget(owner, left, top, right, bottom), text(std::move(text)), alignment(alignment) {
    init();
}

TextControl::TextControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                         std::wstring text, int alignment)
    : WindowControlRenderTarget(parent, left, top, right, bottom), text(std::move(text)), alignment(alignment) {
    init();
}

void TextControl::init() {
    WindowMouse::detach();
    if (fontList) textFormat = &(*fontList)[Resource::TextFormatList::Control];
    if (host) textBrush = &host->brushList[Brushes::Text];
}

void TextControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    const int w = scope.width();
    const int h = scope.height();
    const int inset = borderBrush ? 2 : 0;
    if (backgroundBrush) fill(*backgroundBrush);
    if (textFormat && textBrush) {
        Resource::TextLayout layout(textFormat->get(), text);
        const Platform::Cairo::TextMetrics metrics = layout.getMetrics();
        const int textWidth = static_cast<int>(std::ceil(metrics.width));
        const int textHeight = static_cast<int>(std::ceil(metrics.height));
        int x = inset;
        int y = inset + (h - textHeight) / 2;
        switch (alignment) {
        case 0:
            break;
        case 1:
            x = inset + (w - textWidth) / 2;
            break;
        case 2:
            layout.setTrimming(static_cast<float>(w - 4), textFormat->getTrimmingSign());
            break;
        default:
            y = inset;
            break;
        }
        drawTextLayout(static_cast<float>(x), static_cast<float>(y), *layout.get(), *textBrush, true);
    }
    if (borderBrush) drawOutline(*this, 0, 0, w, h, *borderBrush, 2);
}

}  // namespace Control
