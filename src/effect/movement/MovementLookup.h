#pragma once
// How number texts find the movement they name. The registry owns the
// movement prototypes and installs its lookup here when it is built, before
// any effect is read; afterwards the lookup is only read.
#include <functional>
#include <string>

namespace Effect {

class MovementBase;

// Returns the prototype registered under the name, or null.
using MovementFinder = std::function<MovementBase*(const std::wstring& name)>;

void setMovementFinder(MovementFinder finder);

// The prototype of a registered movement; an unknown name throws
// "not found movement.".
MovementBase& findMovement(const std::wstring& name);

}  // namespace Effect
