#pragma once
// The row of an animated number: a label button with the item's name (the
// movement menu; its icon opens the time-control window or the movement
// parameter), the start slider for the value at the start of the current
// section and, when the settings ask for it, the end slider for the value
// at its end. A drag, a typed value or a button step is one undo step and
// reaches the same number of every other selected object that has the same
// movement and value count.
#include "effect/item/EffectItemNumber.h"
#include "settings/rows/EffectItemControl.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/SliderInputControl.h"
#include "window/controls/TextIconButtonControl.h"

#include <functional>

namespace Effect {
class MovementBase;
class MovementDefine;
}  // namespace Effect

namespace Component {

class EffectItemNumberControl : public EffectItemControl<Effect::EffectItemNumber> {
public:
    using Operation = std::function<void(const Edit::ObjectPointer&, Effect::EffectItemNumber&)>;

    EffectItemNumberControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                            EffectItemRowHost& host, Effect::EffectItem& item);
    ~EffectItemNumberControl() override;

    // Whether two sliders show for a value count under a view mode.
    static bool showsEndSlider(int sectionViewMode, int valueCount);

    void procMove() override;
    void updateSection() override;
    void updateValue() override;

    // Both sliders show and read values through the conversion (the movie
    // object's frame numbers).
    void setValueTextFunction(const Control::SliderValue::Conversion& toDisplay,
                              const Control::SliderValue::Conversion& fromDisplay, double displayStep);
    // The operation on (target, item), then on every same number item of
    // the other selected objects.
    void applyToSelection(const Operation& operation);
    // One value change of a slider: index into the value list.
    void setSliderValue(int index, double value);

    void showMovementMenu();
    // Menu actions, on the object and movement captured when the menu opened.
    void updateMovement(const Edit::ObjectPointer& object, Effect::MovementDefine& define);
    void updateMovementFlag(const Edit::ObjectPointer& object, Effect::MovementBase* movement, std::uint32_t mask);

    const int valueCount;
    int sectionIndex;
    Control::TextIconButtonControl label;
    Control::LayoutControl sliderArea;
    Control::SliderInputControl startSlider;
    Control::SliderInputControl endSlider;

private:
    bool twoSliders() const;
    int computeSectionIndex() const;
    void setRanges();
    void recordUndo();
    void setupLabel();
    void iconClick();
};

}  // namespace Component
