#pragma once
// The tempo grid dialog: the tempo (1 to 1000 beats a minute), the beats of
// a bar (0 to 100) and the time of the first beat (-3600 to 3600 seconds).
// A value outside its range is refused by its row. User-interface thread
// only.
#include "core/event/DialogSeam.h"

namespace Dialog::GridTempDialog {

// True with the values replaced on OK.
bool show(TempoGridValues& values);

}  // namespace Dialog::GridTempDialog
