#include "effect/anchor/AnchorEvent.h"

namespace Anchor {

const AnchorItem* AnchorEvent::findItem() const {
    if (!control) return nullptr;
    for (const AnchorItem* item : control->hitList)
        if (item->object == object && item->effect == effect && item->index == index && item->flags == flags)
            return item;
    return nullptr;
}

}  // namespace Anchor
