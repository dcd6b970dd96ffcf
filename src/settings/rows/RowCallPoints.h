#pragma once
// Windows the rows open that live beside the settings window: each fills
// its slot when it exists. An empty slot does nothing.
#include "edit/model/Object.h"

#include <functional>

namespace Effect {
class EffectItemColor;
class EffectItemNumber;
}  // namespace Effect

namespace Component {

struct RowCallPoints {
    // The colour window on the object's colour item, with the selection.
    static inline std::function<void(const Edit::ObjectPointer&, Effect::EffectItemColor&)> openColorWindow;
    // The time-control window on the object's number item.
    static inline std::function<void(const Edit::ObjectPointer&, Effect::EffectItemNumber&)> openTimeControlWindow;
    // The time-control window's ShowWindowTargetMovement (on when empty).
    static inline std::function<bool()> showTimeControlOnMovement;
};

}  // namespace Component
