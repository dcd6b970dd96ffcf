#include "settings/rows/EffectItemIntegerControl.h"

#include "settings/rows/RowText.h"

#include <cmath>

namespace Component {

EffectItemIntegerControl::EffectItemIntegerControl(Window::WindowControlOwner& parent,
                                                   const std::shared_ptr<Effect::EffectBase>& effect,
                                                   EffectItemRowHost& host, Effect::EffectItem& item,
                                                   bool layerRange)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      layerRange(layerRange),
      label(layoutBox, 0, 0, headerWidth, 0, translateEffectText(item.name), 1),
      slider(layoutBox, headerWidth + margin, 0, 0) {
    const SettingRowOptions& options = host.getRowOptions();
    slider.setRange(this->item->defaultValue, this->item->minimum, this->item->maximum, 1);
    slider.hideCursorWhileDragging = options.slideMouseHidden;
    slider.hideArrows = options.sliderButtonHidden;
    if (layerRange) {
        slider.zeroText = L"---";
    } else {
        slider.showPositionMark = !options.sliderCursorHidden;
        if (this->item->unitText) slider.zeroText = this->item->unitText;
    }
    slider.edit.setFocusGroup(host.getFocusGroup());
    slider.onBeginChange = [this](Control::SliderInputControl&) {
        undoService->beginUndoGroup();
        if (this->layerRange) {
            if (const Edit::ObjectPointer object = targetObject()) undoService->addObjectUndoLayerRange(object);
        } else {
            undoService->addEffectUndoUpdate(this->effect);
        }
    };
    slider.onChange = [this](Control::SliderInputControl& s) { store(s.getValue()); };
    slider.onEndChange = [this](Control::SliderInputControl&) { undoService->commitUndoGroup(); };
    updateValue();
}

EffectItemIntegerControl::~EffectItemIntegerControl() {
    slider.onBeginChange = nullptr;
    slider.onChange = nullptr;
    slider.onEndChange = nullptr;
}

void EffectItemIntegerControl::updateValue() {
    slider.setValue(item->value);
    slider.updateText();
}

void EffectItemIntegerControl::store(double value) {
    const int v = static_cast<int>(std::lround(value));
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    item->value = v;
    if (layerRange) {
        scope.resortLayers = true;
        if (const Edit::ObjectPointer object = targetObject(); object && object->layer >= 0)
            scope.scene->getLayerObjectListGrow(object->layer).controlRangeNeeded = true;
    }
}

}  // namespace Component
