#include "settings/rows/ItemControlFactory.h"

#include "effect/item/EffectItemCheck.h"
#include "settings/rows/EffectItemCheckControl.h"
#include "settings/rows/EffectItemColorControl.h"
#include "settings/rows/EffectItemNumberControl.h"

namespace Component {

namespace {

template <class Row>
std::shared_ptr<EffectItemBaseControl> make(Window::WindowControlOwner& parent,
                                            const std::shared_ptr<Effect::EffectBase>& effect,
                                            Effect::EffectItem& item, EffectItemRowHost& host) {
    return std::make_shared<Row>(parent, effect, host, item);
}

}  // namespace

std::shared_ptr<EffectItemBaseControl> createItemControl(Window::WindowControlOwner& parent,
                                                         const std::shared_ptr<Effect::EffectBase>& effect,
                                                         Effect::EffectItem& item, EffectItemRowHost& host) {
    // Derived classes before their bases.
    if (dynamic_cast<Effect::EffectItemCheckButton*>(&item))
        return make<EffectItemCheckButtonControl>(parent, effect, item, host);
    if (auto* check = dynamic_cast<Effect::EffectItemCheck*>(&item))
        return check->visible ? make<EffectItemCheckControl>(parent, effect, item, host) : nullptr;
    if (dynamic_cast<Effect::EffectItemColor*>(&item)) return make<EffectItemColorControl>(parent, effect, item, host);
    if (auto* number = dynamic_cast<Effect::EffectItemNumber*>(&item))
        return number->visible ? make<EffectItemNumberControl>(parent, effect, item, host) : nullptr;
    return nullptr;
}

}  // namespace Component
