#include "window/controls/IconButtonControl.h"

namespace Control {

void IconButtonControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const Platform::Cairo::Brush& face = brushes[stateFace(*this)];
    if (!selected && !iconBrush) {
        if (faceBrush) fill(*faceBrush);
    } else {
        fill(faceBrush && iconBrush && !hover && !captured ? *faceBrush : face);
    }
    const Platform::Cairo::Brush* iconColour = iconBrush;
    if (!iconColour) iconColour = selected ? &brushes[enabled ? Brushes::Text : Brushes::TextDisable] : &face;
    if (icon) {
        drawIcon(*icon, 0, 0, static_cast<float>(scope.width()), static_cast<float>(scope.height()),
                 *iconColour);
    }
    if (selected) drawOutline(*this, 0, 0, scope.width(), scope.height(), brushes[Brushes::Border], 2);
}

}  // namespace Control
