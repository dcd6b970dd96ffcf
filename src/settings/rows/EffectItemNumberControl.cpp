#include "settings/rows/EffectItemNumberControl.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/text/FormatDouble.h"
#include "core/translate/TranslateService.h"
#include "edit/command/ObjectStateCommand.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementBase.h"
#include "effect/movement/MovementDefine.h"
#include "effect/registry/EffectService.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/gtk/Menu.h"
#include "settings/rows/RowCallPoints.h"
#include "settings/rows/RowText.h"
#include "window/MenuDefinePopups.h"
#include "window/PopupMenu.h"

#include <algorithm>

namespace Component {

namespace {

std::wstring menuText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Menu, text);
}

// The number items an operation on the item reaches: the item, or every
// member of its linked group.
std::vector<Effect::EffectItemNumber*> linkedItems(Effect::EffectItemNumber& item) {
    if (item.group && item.group->linked) return item.group->members;
    return {&item};
}

int boundaryCount(const Edit::Object& object) { return object.getMidPointCount() + 2; }

}  // namespace

bool EffectItemNumberControl::showsEndSlider(int sectionViewMode, int valueCount) {
    return (sectionViewMode == 2 && valueCount >= 2) || (sectionViewMode == 1 && valueCount == 2);
}

EffectItemNumberControl::EffectItemNumberControl(Window::WindowControlOwner& parent,
                                                 const std::shared_ptr<Effect::EffectBase>& effect,
                                                 EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      valueCount(static_cast<int>(this->item->values.size())),
      sectionIndex(0),
      label(layoutBox, 0, 0, headerWidth, 0),
      sliderArea(layoutBox, headerWidth + margin, 0, 0, 0),
      startSlider(sliderArea, 0, 0, 0),
      endSlider(sliderArea, 0, 0, 0) {
    setupLabel();
    const SettingRowOptions& options = host.getRowOptions();
    const std::shared_ptr<Control::EditFocusGroup::Members> group = host.getFocusGroup();
    for (Control::SliderInputControl* slider : {&startSlider, &endSlider}) {
        slider->hideCursorWhileDragging = options.slideMouseHidden;
        slider->hideArrows = options.sliderButtonHidden;
        slider->showPositionMark = !options.sliderCursorHidden;
        if (this->item->valueBoxText) slider->zeroText = this->item->valueBoxText;
        slider->edit.setFocusGroup(group);
        const bool end = slider == &endSlider;
        slider->onBeginChange = [this](Control::SliderInputControl&) {
            undoService->beginUndoGroup();
            recordUndo();
        };
        slider->onChange = [this, end](Control::SliderInputControl& s) {
            const int index = std::clamp(sectionIndex + (end ? 1 : 0), 0, std::max(valueCount - 1, 0));
            setSliderValue(index, s.getValue());
        };
        slider->onEndChange = [this](Control::SliderInputControl&) { undoService->commitUndoGroup(); };
    }
    setRanges();
    sectionIndex = computeSectionIndex();
    updateValue();
}

EffectItemNumberControl::~EffectItemNumberControl() {
    for (Control::SliderInputControl* slider : {&startSlider, &endSlider}) {
        slider->onBeginChange = nullptr;
        slider->onChange = nullptr;
        slider->onEndChange = nullptr;
    }
}

void EffectItemNumberControl::setupLabel() {
    label.text = translateEffectText(item->name);
    label.onClick = [this](Control::ButtonControl&) { showMovementMenu(); };
    label.onIconClick = [this](Control::TextIconButtonControl&) { iconClick(); };
    const Effect::MovementBase& movement = *item->movement;
    std::wstring tip = translateEffectText(movement.name ? movement.name : L"");
    if (!movement.defaultParams.empty() && !item->params.empty()) tip += L" : " + System::formatDouble(item->params[0]);
    label.tooltip = tip;
    Media::RenderTargetWindow* window = WindowControlRenderTarget::host;
    if (movement.timeControlled) {
        label.iconBitmap = window ? window->bitmapList[Resource::BitmapList::Clock] : nullptr;
        label.iconTooltip = translateMessageText(L"時間制御を編集");
    } else if (!movement.defaultParams.empty()) {
        label.iconBitmap = window ? window->bitmapList[Resource::BitmapList::Gear] : nullptr;
        label.iconTooltip = translateMessageText(L"設定値を変更");
    }
}

void EffectItemNumberControl::iconClick() {
    const Edit::ObjectPointer object = targetObject();
    if (!object) return;
    if (item->movement->timeControlled) {
        if (RowCallPoints::openTimeControlWindow) RowCallPoints::openTimeControlWindow(object, *item);
    } else if (!item->movement->defaultParams.empty()) {
        Edit::EditCommand::inputMovementSettings(*editService, object, *item);
    }
}

bool EffectItemNumberControl::twoSliders() const {
    return showsEndSlider(rowHost.getRowOptions().sectionViewMode, valueCount);
}

int EffectItemNumberControl::computeSectionIndex() const {
    const int last = twoSliders() ? std::max(valueCount - 2, 0) : std::max(valueCount - 1, 0);
    return std::min(rowHost.getSectionIndex(), last);
}

void EffectItemNumberControl::setRanges() {
    const double scale = item->scale;
    for (Control::SliderInputControl* slider : {&startSlider, &endSlider})
        slider->setRange(item->defaultValue / scale, item->minimum / scale, item->maximum / scale, 1.0 / scale);
}

void EffectItemNumberControl::setValueTextFunction(const Control::SliderValue::Conversion& toDisplay,
                                                   const Control::SliderValue::Conversion& fromDisplay,
                                                   double displayStep) {
    for (Control::SliderInputControl* slider : {&startSlider, &endSlider}) {
        slider->toDisplay = toDisplay;
        slider->fromDisplay = fromDisplay;
        slider->conversionStep = displayStep;
        slider->hasConversion = true;
    }
    setRanges();
    updateValue();
}

void EffectItemNumberControl::procMove() {
    const int w = fullRect().width - 3 * margin - headerWidth;
    const int h = w / 2 < 3 ? 1 : w / 2 - 1;
    if (twoSliders()) {
        startSlider.left = 0;
        startSlider.right = h;
        endSlider.left = -h;
        endSlider.right = 0;
        endSlider.visible = true;
    } else {
        startSlider.left = 0;
        startSlider.right = 0;
        endSlider.visible = false;
    }
    EffectItemBaseControl::procMove();
}

void EffectItemNumberControl::updateSection() {
    const int index = computeSectionIndex();
    if (index == sectionIndex) return;
    sectionIndex = index;
    updateValue();
    const Window::Rect& r = visibleRect();
    if (!visible || r.width <= 0 || r.height <= 0) return;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    startSlider.procPaint();
    if (endSlider.visible) endSlider.procPaint();
}

void EffectItemNumberControl::updateValue() {
    const int i = sectionIndex, n = valueCount;
    const double scale = item->scale;
    startSlider.atFirst = i == 0;
    startSlider.atLast = i + 1 == n;
    startSlider.setValue(item->values.at(static_cast<std::size_t>(item->clampValueIndex(i))) / scale);
    if (twoSliders()) {
        endSlider.atFirst = i + 1 == 0;
        endSlider.atLast = i + 2 == n;
        endSlider.setValue(item->values.at(static_cast<std::size_t>(item->clampValueIndex(i + 1))) / scale);
    }
}

void EffectItemNumberControl::recordUndo() {
    undoService->addEffectUndoUpdate(effect);
    for (const std::shared_ptr<Effect::EffectBase>& other : findSelectSameEffects())
        undoService->addEffectUndoUpdate(other);
}

void EffectItemNumberControl::setSliderValue(int index, double value) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    item->setValue(value, index);
    effect->notifyItemChange(&scope, scope.targetObject.get(), effect, *item);
    for (const SameItem& same : findSelectSameItems(*item)) {
        auto& other = static_cast<Effect::EffectItemNumber&>(*same.item);
        if (other.movement == item->movement && static_cast<int>(other.values.size()) == valueCount)
            other.setValue(value, index);
    }
}

void EffectItemNumberControl::applyToSelection(const Operation& operation) {
    const Edit::ObjectPointer target = targetObject();
    operation(target, *item);
    for (const SameItem& same : findSelectSameItems(*item))
        if (auto* number = dynamic_cast<Effect::EffectItemNumber*>(same.item)) operation(same.object, *number);
}

void EffectItemNumberControl::showMovementMenu() {
    const Edit::ObjectPointer object = targetObject();
    if (!object) return;
    Effect::MovementBase* movement = item->movement;
    Window::PopupMenu menu;
    // Grouped, ordered and hidden as the movement menu definitions say.
    Menu::createMovementMenu(menu, *item, [this, object](Effect::MovementDefine* define) {
        if (define) updateMovement(object, *define);
    });
    bool separated = false;
    const auto flagItem = [&](const wchar_t* text, std::uint32_t mask) {
        if (!separated) menu.insertSeparator();
        separated = true;
        const Window::MenuItem entry =
            menu.insertItem(text, [this, object, movement, mask] { updateMovementFlag(object, movement, mask); });
        if (item->flags & mask)
            Platform::checkMenuItem(menu.hmenu, entry.commandId, Platform::MF_BYCOMMAND | Platform::MF_CHECKED);
    };
    if (movement->accelerateOption >= 0) flagItem(L"加速", Effect::EffectItemNumber::Accelerate);
    if (movement->decelerateOption >= 0) flagItem(L"減速", Effect::EffectItemNumber::Decelerate);
    if ((movement->ignoreMidPointsOption == 0 || movement->ignoreMidPointsOption == 1) &&
        movement->valueCount == Effect::MovementBase::PerBoundary)
        flagItem(L"中間点無視", Effect::EffectItemNumber::IgnoreMidPoints);
    if (!movement->defaultParams.empty()) {
        menu.insertSeparator();
        const double first = item->getMovementParams().empty() ? 0.0 : item->getMovementParams()[0];
        Effect::EffectItemNumber* target = item;
        menu.insertItem(menuText(L"設定") + L" : " + System::formatDouble(first),
                        [this, object, target] { Edit::EditCommand::inputMovementSettings(*editService, object, *target); });
    }
    if (item->group) {
        menu.insertSeparator();
        Effect::EffectItemNumberGroup* group = item->group;
        Effect::EffectItemNumber* target = item;
        const Window::MenuItem entry =
            menu.insertItem(menuText(L"グループ化") + L" " + group->getLabel(), [this, object, group, target] {
                Edit::EditCommand::toggleMovementGroup(*editService, object, *group, *target);
            });
        if (group->linked)
            Platform::checkMenuItem(menu.hmenu, entry.commandId, Platform::MF_BYCOMMAND | Platform::MF_CHECKED);
    }
    menu.show();
}

void EffectItemNumberControl::updateMovementFlag(const Edit::ObjectPointer& object, Effect::MovementBase* movement,
                                                 std::uint32_t mask) {
    System::Log::info("Component::EffectItemNumberControl::updateMovementFlag", "toggle move flag [%d] layer=%d frame=%d",
             static_cast<int>(mask), object->layer, object->start);
    Edit::EditScope scope(*editService);
    scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting =
        scope.notifyObjectUpdate = true;
    scope.targetObject = object;
    scope.beginUndo();
    const bool on = (item->flags & mask) == 0;
    applyToSelection([&](const Edit::ObjectPointer& owner, Effect::EffectItemNumber& number) {
        if (number.movement != movement) return;
        undoService->addObjectUndoSection(owner);
        for (Effect::EffectItemNumber* member : linkedItems(number)) {
            if (((member->flags & mask) != 0) == on) continue;
            member->flags ^= mask;
            member->resizeValueList(boundaryCount(*owner));
        }
    });
}

void EffectItemNumberControl::updateMovement(const Edit::ObjectPointer& object, Effect::MovementDefine& define) {
    System::Log::info("Component::EffectItemNumberControl::updateMovement", L"set move type [%ls] layer=%d frame=%d",
             define.getName(), object->layer, object->start);
    Edit::EditScope scope(*editService);
    scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting =
        scope.notifyObjectUpdate = true;
    scope.targetObject = object;
    scope.beginUndo();
    Effect::MovementBase& chosen = *define.prototype;
    Effect::EffectItemNumber* const self = item;
    applyToSelection([&](const Edit::ObjectPointer& owner, Effect::EffectItemNumber& number) {
        if (number.movement == &chosen) return;
        undoService->addObjectUndoSection(owner);
        const int boundaries = boundaryCount(*owner);
        for (Effect::EffectItemNumber* member : linkedItems(number)) {
            member->setMovement(chosen);
            member->resizeValueList(boundaries);
        }
        for (Effect::EffectItemNumber* member : linkedItems(number)) member->adjustToMovement(boundaries);
    });
    if (self->movement->timeControlled &&
        (!RowCallPoints::showTimeControlOnMovement || RowCallPoints::showTimeControlOnMovement()) &&
        RowCallPoints::openTimeControlWindow)
        RowCallPoints::openTimeControlWindow(object, *self);
}

}  // namespace Component
