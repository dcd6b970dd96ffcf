#include "window/controls/BitmapButtonControl.h"

namespace Control {

void BitmapButtonControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    if (faceBrush) fill(selected || hover || captured ? brushes[stateFace(*this)] : *faceBrush);
    if (bitmap) drawBitmap(bitmap, 0, 0, scope.width(), scope.height(), 1.0f);
    if (selected) drawOutline(*this, 0, 0, scope.width(), scope.height(), brushes[Brushes::Border], 2);
}

}  // namespace Control
