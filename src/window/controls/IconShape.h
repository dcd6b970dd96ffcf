#pragma once
// The vector symbols of the program's buttons: each a filled triangle, a
// filled rectangle and round-capped lines in fractions of the icon's box, so
// one record serves every button size and colour. Drawn into a box of
// (x, y, w, h) by drawIcon(icon, x, y, w, h, brush): line widths are
// fractions of the box height.
#include "media/draw/RenderTarget.h"

namespace Control {

using IconShape = Media::RenderTarget::Icon;

extern const IconShape IconStop;
extern const IconShape IconPlay;  // also the right arrow of horizontal scroll bars
extern const IconShape IconStepRight;
extern const IconShape IconStepLeft;
extern const IconShape IconDoubleChevronRight;
extern const IconShape IconDoubleChevronLeft;
extern const IconShape IconToEnd;
extern const IconShape IconToStart;
extern const IconShape IconPause;
extern const IconShape IconFolder;
extern const IconShape IconArrowUp;
extern const IconShape IconArrowRight;
extern const IconShape IconArrowLeft;
extern const IconShape IconList;  // its dots are zero-length lines
extern const IconShape IconMinus;  // left of the centre, towards a slider
extern const IconShape IconPlus;   // right of the centre
extern const IconShape IconAdd;
extern const IconShape IconClose;
extern const IconShape IconTriangleUp;
extern const IconShape IconTriangleDown;
extern const IconShape IconTriangleLeft;
}  // namespace Control
