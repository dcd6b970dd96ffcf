#include "window/controls/RectControl.h"

#include "window/controls/ControlPaint.h"

namespace Control {

void RectControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    if (fillBrush) fill(*fillBrush);
    if (painter) painter(*this);
}

}  // namespace Control
