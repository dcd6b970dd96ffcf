#pragma once
// The slider blocks of the colour window: three labelled sliders each, H, S
// and V (degrees and percent) or R, G and B (bytes). A slider gesture is one
// undo step.
// User-interface thread only.
#include "window/controls/LayoutControl.h"
#include "window/controls/SliderInputControl.h"
#include "window/controls/TextControl.h"

#include <array>
#include <memory>

namespace Component {

class EffectColorSettingComponent;

class EffectColorInputBase : public Control::LayoutControl {
public:
    EffectColorInputBase(Window::WindowControlOwner& owner, EffectColorSettingComponent& window,
                         const std::array<const wchar_t*, 3>& labels);
    ~EffectColorInputBase() override;

    void procPaint() override;
    // Shows the window's colour in the sliders.
    virtual void updateValues() = 0;

    EffectColorSettingComponent& window;
    const int rowHeight;
    std::array<std::unique_ptr<Control::TextControl>, 3> labels;
    std::array<std::unique_ptr<Control::SliderInputControl>, 3> sliders;

protected:
    // Row's slider value changed by the user.
    virtual void applySlider(int row, double value) = 0;
};

class EffectColorInputHSVControl : public EffectColorInputBase {
public:
    EffectColorInputHSVControl(Window::WindowControlOwner& owner, EffectColorSettingComponent& window);
    void updateValues() override;

protected:
    void applySlider(int row, double value) override;
};

class EffectColorInputRGBControl : public EffectColorInputBase {
public:
    EffectColorInputRGBControl(Window::WindowControlOwner& owner, EffectColorSettingComponent& window);
    void updateValues() override;

protected:
    void applySlider(int row, double value) override;
};

}  // namespace Component
