#include "settings/color/EffectColorInputControls.h"

#include "core/file/SettingService.h"
#include "settings/color/EffectColorSettingComponent.h"

namespace Component {

EffectColorInputBase::EffectColorInputBase(Window::WindowControlOwner& owner, EffectColorSettingComponent& window,
                                           const std::array<const wchar_t*, 3>& names)
    : LayoutControl(owner, 0, 0, 1, 1), window(window), rowHeight(Setting::SettingItemHeight) {
    const int h = rowHeight, pitch = h + 2;
    for (int row = 0; row < 3; ++row) {
        labels[row] = std::make_unique<Control::TextControl>(*this, 0, 2 + row * pitch, h, h, names[row], 1);
        sliders[row] = std::make_unique<Control::SliderInputControl>(*this, h, 2 + row * pitch, h);
        Control::SliderInputControl& slider = *sliders[row];
        slider.alwaysShowArrows = true;
        slider.onBeginChange = [this](Control::SliderInputControl&) { this->window.beginUndoGroup(); };
        slider.onChange = [this, row](Control::SliderInputControl& s) {
            applySlider(row, s.getValue());
            this->window.applyColor();
        };
        slider.onEndChange = [this](Control::SliderInputControl&) { this->window.commitUndoGroup(); };
    }
}

EffectColorInputBase::~EffectColorInputBase() {
    for (auto& slider : sliders) slider->onBeginChange = slider->onChange = slider->onEndChange = nullptr;
}

void EffectColorInputBase::procPaint() {
    for (auto& label : labels) label->procPaint();
    for (auto& slider : sliders) slider->procPaint();
}

EffectColorInputHSVControl::EffectColorInputHSVControl(Window::WindowControlOwner& owner,
                                                       EffectColorSettingComponent& window)
    : EffectColorInputBase(owner, window, {L"H", L"S", L"V"}) {
    sliders[0]->setRange(window.state.hue * 360, 0, 360, 0.1);
    sliders[1]->setRange(window.state.saturation * 100, 0, 100, 0.1);
    sliders[2]->setRange(window.state.value * 100, 0, 100, 0.1);
}

void EffectColorInputHSVControl::updateValues() {
    sliders[0]->setValue(window.state.hue * 360.0);
    sliders[1]->setValue(window.state.saturation * 100.0);
    sliders[2]->setValue(window.state.value * 100.0);
    for (auto& slider : sliders) slider->procPaint();
}

void EffectColorInputHSVControl::applySlider(int row, double value) {
    if (row == 0) window.state.setHueDegrees(value);
    if (row == 1) window.state.setSaturationPercent(value);
    if (row == 2) window.state.setValuePercent(value);
}

EffectColorInputRGBControl::EffectColorInputRGBControl(Window::WindowControlOwner& owner,
                                                       EffectColorSettingComponent& window)
    : EffectColorInputBase(owner, window, {L"R", L"G", L"B"}) {
    const Media::RGB8 rgb = window.state.currentBytes();
    sliders[0]->setRange(rgb.r, 0, 255, 1);
    sliders[1]->setRange(rgb.g, 0, 255, 1);
    sliders[2]->setRange(rgb.b, 0, 255, 1);
}

void EffectColorInputRGBControl::updateValues() {
    const Media::RGB8 rgb = window.state.currentBytes();
    sliders[0]->setValue(rgb.r);
    sliders[1]->setValue(rgb.g);
    sliders[2]->setValue(rgb.b);
    for (auto& slider : sliders) slider->procPaint();
}

void EffectColorInputRGBControl::applySlider(int row, double value) { window.state.setChannelByte(row, value); }

}  // namespace Component
