#include "edit/undo/ColorSettingUndo.h"

#include "edit/scope/EditScope.h"

namespace Component {

const std::shared_ptr<ColorSetting>& ColorSettingColors::undoHolder() {
    if (!holder_) holder_ = std::make_shared<ColorSetting>(ColorSetting{this});
    return holder_;
}

ColorSettingColors::~ColorSettingColors() {
    if (holder_) holder_->window = nullptr;
}

void ColorSettingUndoUpdate::capture(const ColorSetting& setting) {
    if (!setting.window) return;
    color = setting.window->color;
    previousColor = setting.window->previousColor;
}

bool ColorSettingUndoUpdate::isChange(ColorSettingUndoUpdate& before, ColorSettingUndoUpdate& after) {
    for (std::size_t i = 0; i < 4; ++i)
        if (!(before.color[i] == after.color[i]) || !(before.previousColor[i] == after.previousColor[i]))
            return true;
    return false;
}

void ColorSettingUndoUpdate::restore(const std::shared_ptr<ColorSetting>& setting, Edit::EditScope& scope) const {
    if (!setting->window) return;
    setting->window->color = color;
    setting->window->previousColor = previousColor;
    scope.refreshSetting = scope.refreshColorSetting = true;
}

}  // namespace Component
