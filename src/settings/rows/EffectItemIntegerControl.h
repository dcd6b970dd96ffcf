#pragma once
// The rows of an integer: one slider, and for the layer range of a control
// object one that shows "---" for 0 (all following layers). One gesture is
// one undo step; only the object shown changes.
#include "effect/item/EffectItemInteger.h"
#include "settings/rows/EffectItemControl.h"
#include "window/controls/SliderInputControl.h"
#include "window/controls/TextControl.h"

namespace Component {

class EffectItemIntegerControl : public EffectItemControl<Effect::EffectItemInteger> {
public:
    EffectItemIntegerControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                             EffectItemRowHost& host, Effect::EffectItem& item, bool layerRange = false);
    ~EffectItemIntegerControl() override;

    void updateValue() override;
    void store(double value);

    const bool layerRange;
    Control::TextControl label;
    Control::SliderInputControl slider;
};

class EffectItemLayerRangeControl : public EffectItemIntegerControl {
public:
    EffectItemLayerRangeControl(Window::WindowControlOwner& parent,
                                const std::shared_ptr<Effect::EffectBase>& effect, EffectItemRowHost& host,
                                Effect::EffectItem& item)
        : EffectItemIntegerControl(parent, effect, host, item, true) {}
};

}  // namespace Component
