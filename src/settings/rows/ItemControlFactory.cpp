#include "settings/rows/ItemControlFactory.h"

#include "effect/item/EffectItemCheck.h"
#include "settings/rows/EffectItemButtonControls.h"
#include "settings/rows/EffectItemCheckControl.h"
#include "settings/rows/EffectItemColorControl.h"
#include "settings/rows/EffectItemFileControls.h"
#include "settings/rows/EffectItemIntegerControl.h"
#include "settings/rows/EffectItemSelectControl.h"
#include "settings/rows/EffectItemTextControls.h"
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
    if (dynamic_cast<Effect::EffectItemFontSelect*>(&item))
        return make<EffectItemFontSelectControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemSelectButton*>(&item))
        return make<EffectItemSelectButtonControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemSelect*>(&item)) return make<EffectItemSelectControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemComboFile*>(&item))
        return make<EffectItemComboFileControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemMaskSelect*>(&item))
        return make<EffectItemMaskSelectControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemScene*>(&item)) return make<EffectItemSceneControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemFile*>(&item)) return make<EffectItemFileControl>(parent, effect, item, host);
    if (auto* range = dynamic_cast<Effect::EffectItemLayerRange*>(&item))
        return range->visible ? make<EffectItemLayerRangeControl>(parent, effect, item, host) : nullptr;
    if (auto* integer = dynamic_cast<Effect::EffectItemInteger*>(&item)) {
        if (!integer->visible || integer->type == Effect::ItemType::HiddenInteger) return nullptr;
        if (integer->type == Effect::ItemType::LayerRange)
            return make<EffectItemLayerRangeControl>(parent, effect, item, host);
        return make<EffectItemIntegerControl>(parent, effect, item, host);
    }
    if (dynamic_cast<Effect::EffectItemButton*>(&item)) return make<EffectItemButtonControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemString*>(&item)) return make<EffectItemStringControl>(parent, effect, item, host);
    if (dynamic_cast<Effect::EffectItemText*>(&item)) return make<EffectItemTextControl>(parent, effect, item, host);
    if (auto* number = dynamic_cast<Effect::EffectItemNumber*>(&item))
        return number->visible ? make<EffectItemNumberControl>(parent, effect, item, host) : nullptr;
    return nullptr;
}

}  // namespace Component
