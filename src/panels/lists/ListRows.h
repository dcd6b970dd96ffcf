#pragma once
// Emptying a list of rows while one of them may be handling the input that
// rebuilds the list (a click that switches the scene, a menu command that
// deletes the row's object): the rows leave at once and are freed once the
// event has been handled.
#include "window/controls/ListItemControl.h"

namespace Component {

void clearRowsLater(Control::ListItemControl& list);

}  // namespace Component
