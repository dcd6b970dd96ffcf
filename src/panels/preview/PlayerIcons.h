#pragma once
// The two icons of the player row the shared set lacks: the range start
// (a bracket opening to the right) and the range end (closing).
#include "window/controls/IconShape.h"

namespace Component {

extern const Control::IconShape IconRangeStart;
extern const Control::IconShape IconRangeEnd;

}  // namespace Component
