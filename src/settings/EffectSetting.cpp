#include "settings/EffectSetting.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/translate/TranslateService.h"
#include "edit/command/EffectSettingCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectBase.h"
#include "media/draw/RenderTargetWindow.h"
#include "settings/SettingComponent.h"
#include "settings/rows/ItemControlFactory.h"
#include "window/DropInfo.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>

namespace Component {

namespace {

using Kind = Window::MenuEntry::Kind;

std::wstring effectText(const wchar_t* name) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, name);
}

std::wstring messageText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Message, text);
}

bool isFilterEntry(const Edit::EffectManager::EffectList& chain, int index) {
    return index >= 0 && index < static_cast<int>(chain.size()) &&
           chain[static_cast<std::size_t>(index)]->effectType == Effect::EffectKind::Filter;
}

Window::WindowMouseService::MouseCursor* cursorOf(int index) { return Window::WindowMouseService::cursor(index); }

}  // namespace

const Effect::EffectBase* EffectSettingSelect::selectedEffect = nullptr;

void EffectSettingSelect::clearSelection(SettingComponent& window) {
    if (!selectedEffect) return;
    EffectSetting* block = window.findBlock(selectedEffect);
    selectedEffect = nullptr;
    if (!block) return;
    block->selected = false;
    block->procPaint();
}

EffectSetting::EffectSetting(SettingComponent& window, Window::WindowControlOwner& blockOwner, EffectPointer effect,
                             EffectPointer output)
    : WindowControlRenderTarget(blockOwner, 0, 0, 0, 0),
      window(window),
      effect(std::move(effect)),
      output(std::move(output)),
      children(blockOwner.client, blockOwner.hostWindow, blockOwner.hostTarget, priority, &visibleRect(),
               &fullRect()),
      headerRow(children, 0, 0, 0, window.rowHeight + 2),
      separator(headerRow, 0, 0, 0, 2),
      header(*this, headerRow, 0, 2, 0, 0, window.rowHeight - 2) {
    if (host) separator.fillBrush = &host->brushList[Control::Brushes::Background];
    this->effect->updateItemVisible();
    setupHeader();
    rebuildItemControls();
    this->effect->setupSetting(*this);
}

EffectSetting::~EffectSetting() {
    if (selectedEffect == effect.get() && selected) selectedEffect = nullptr;
    rows.clear();
}

void EffectSetting::detach() {
    for (const std::shared_ptr<EffectItemBaseControl>& row : rows) row->controls.detachControls();
    header.detach();
    children.detachControls();
    WindowControl::detach();
}

bool EffectSetting::isFirstBlock() const { return !window.blocks.empty() && window.blocks.front().get() == this; }

bool EffectSetting::isFilter() const { return effect->effectType == Effect::EffectKind::Filter; }

void EffectSetting::setupHeader() {
    acceptsContextMenu = true;
    acceptsDrop = true;
    header.foldButton.onClick = [this](Control::ButtonControl&) { toggleFold(); };

    Control::CheckButtonControl& enable = header.addEnableCheck();
    enable.checked = !effect->disable;
    // The first block of an object shows or hides the object itself.
    const bool objectSwitch = window.blocks.empty() && !isFilter();
    enable.tooltip = messageText(objectSwitch ? L"オブジェクトの表示・非表示" : L"フィルタ効果の有効・無効");
    enable.setCheckCallback([this](Control::CheckButtonControl& check) {
        if (Edit::EditService* edit = window.editServiceOf())
            Edit::EditCommand::setEnableEffect(*edit, window.settingObject, effect, check.checked);
    });

    if (effect->mediaType != Effect::MediaKind::Audio) {
        IconCheckButtonControl& lock = header.addIconCheck(header.lockCheck, IconLock);
        lock.checked = effect->lock;
        lock.tooltip = messageText(L"プレビュー編集の操作をロック");
        lock.setCheckCallback([this](Control::CheckButtonControl& check) {
            if (Edit::EditService* edit = window.editServiceOf())
                Edit::EditCommand::setLockEffect(*edit, window.settingObject, effect, check.checked);
        });
    }

    const bool input = effect->effectType == Effect::EffectKind::Input;
    const bool switchable = isFilter() || input ||
                            (effect->effectType == Effect::EffectKind::Control &&
                             effect->targetType == Effect::MediaKind::Scene);
    if (switchable) {
        Control::IconButtonControl& popup = header.addPopupButton();
        popup.tooltip = messageText(isFilter() ? L"フィルタ効果を切替\n同じラベルのフィルタに切り替えます"
                                               : L"オブジェクトの切替\n同じラベルのオブジェクトに切り替えます");
        popup.enabled = static_cast<bool>(SettingMenuCalls::installed().effectSelectMenu);
        popup.onClick = [this](Control::ButtonControl&) { showSwitchMenu(); };
    }

    if (input && output &&
        (output->mediaType == Effect::MediaKind::Video || output->mediaType == Effect::MediaKind::VideoAudio) &&
        std::wstring(output->name) != L"基本出力") {
        IconCheckButtonControl& clipping = header.addIconCheck(header.clippingCheck, IconClipping);
        clipping.checked = window.settingObject && window.settingObject->clipping;
        clipping.tooltip =
            messageText(L"クリッピングオブジェクトの有効・無効\n下位レイヤーのオブジェクトを切り抜きする");
        clipping.setCheckCallback([this](Control::CheckButtonControl& check) {
            if (Edit::EditService* edit = window.editServiceOf())
                Edit::EditCommand::setEnableClippingObject(*edit, window.settingObject, check.checked);
        });
        IconCheckButtonControl& camera = header.addIconCheck(header.cameraCheck, IconCamera);
        camera.checked = window.settingObject && window.settingObject->camera;
        camera.tooltip = messageText(L"カメラ制御の対象");
        camera.setCheckCallback([this](Control::CheckButtonControl& check) {
            if (Edit::EditService* edit = window.editServiceOf())
                Edit::EditCommand::setEnableCameraObject(*edit, window.settingObject, check.checked);
        });
    }

    std::wstring title = effectText(effect->name);
    if (input && output) title += L" [" + effectText(output->name) + L"]";
    header.setTitle(std::move(title));
}

void EffectSetting::updateSwitches() {
    if (header.enableCheck) header.enableCheck->checked = !effect->disable;
    if (header.lockCheck) header.lockCheck->checked = effect->lock;
    if (window.settingObject) {
        if (header.clippingCheck) header.clippingCheck->checked = window.settingObject->clipping;
        if (header.cameraCheck) header.cameraCheck->checked = window.settingObject->camera;
    }
}

void EffectSetting::rebuildItemControls() {
    rows.clear();
    if (effect->hide) {
        header.setFolded(true);
        return;
    }
    header.setFolded(false);
    focusGroup_.reset();
    if (effect->effectType == Effect::EffectKind::Input && output)
        for (Effect::EffectItem* item : output->items) addItemControl(output, *item);
    for (Effect::EffectItem* item : effect->items) addItemControl(effect, *item);
    focusGroup_.reset();
}

void EffectSetting::addItemControl(const EffectPointer& owner, Effect::EffectItem& item) {
    // The row keeps a reference to the pointer: the block's own members.
    const EffectPointer& held = owner.get() == output.get() ? output : effect;
    if (std::shared_ptr<EffectItemBaseControl> row = createItemControl(children, held, item, *this))
        rows.push_back(std::move(row));
}

EffectItemBaseControl* EffectSetting::findItemControl(const Effect::EffectItem* item) const {
    for (const std::shared_ptr<EffectItemBaseControl>& row : rows)
        if (row->getEffectItem() == item) return row.get();
    return nullptr;
}

EffectItemBaseControl* EffectSetting::findFileItemControl() const {
    for (const std::shared_ptr<EffectItemBaseControl>& row : rows) {
        const Effect::EffectItem* item = row->getEffectItem();
        if (item && (item->type == Effect::ItemType::File || item->type == Effect::ItemType::FigureSelect))
            return row.get();
    }
    return nullptr;
}

Edit::ObjectPointer EffectSetting::getTargetObject() const { return window.settingObject; }

int EffectSetting::getSectionIndex() const { return window.sectionIndex; }

const SettingRowOptions& EffectSetting::getRowOptions() const { return window.rowOptions; }

std::shared_ptr<Control::EditFocusGroup::Members> EffectSetting::getFocusGroup() {
    if (!focusGroup_) focusGroup_ = std::make_shared<Control::EditFocusGroup::Members>();
    return focusGroup_;
}

void EffectSetting::paintItemBackground(Window::WindowControlRenderTarget& control, const Effect::EffectBase& of) {
    if (!control.host) return;
    Control::Brushes& brushes = control.host->brushList;
    const Window::Rect& full = control.fullRect();
    if (selectedEffect != &of) {
        control.fill(brushes[control.hover ? Control::Brushes::GroupingHover : Control::Brushes::Grouping]);
        return;
    }
    control.fillRectangle(2, 2, full.width - 2, full.height - 2, brushes[Control::Brushes::GroupingSelect]);
}

void EffectSetting::select() {
    if (selected && selectedEffect == effect.get()) return;
    clearSelection(window);
    selectedEffect = effect.get();
    selected = true;
    procPaint();
}

void EffectSetting::toggleFold() {
    effect->hide = !effect->hide;
    rebuildItemControls();
    window.layoutEffectSettings();
    window.procMove();
    window.procPaint();
}

void EffectSetting::procLButtonDown(int, int) {
    movable = false;
    if (const Edit::ObjectPointer& object = window.settingObject; object && isFilter()) {
        const int index = object->indexOf(effect.get());
        movable = isFilterEntry(object->effectList, index - 1) || isFilterEntry(object->effectList, index + 1);
    }
    if (service)
        service->startDrag(0, 0,
                           cursorOf(movable ? Window::WindowMouseService::CursorSwapNS
                                            : Window::WindowMouseService::CursorNo));
    if (movable) select();
}

void EffectSetting::procMouseDrag(int, int y) {
    if (!movable || !service || !window.settingObject) return;
    const int dy = y + service->dragOriginY - visibleRect().y;
    if (dy < 0)
        moveUp(dy);
    else
        moveDown(dy);
}

bool EffectSetting::moveUp(int dy) {
    const int i = window.blockIndex(this);
    if (i <= 0) return false;
    const int h = fullRect().height;
    const int previous = window.blocks[static_cast<std::size_t>(i) - 1]->fullRect().height;
    if (!(dy < std::min((h - previous) / 2, 0) - 4)) return false;
    const Edit::ObjectPointer& object = window.settingObject;
    if (!isFilter() || !isFilterEntry(object->effectList, object->indexOf(effect.get()) - 1)) return false;
    swapWith(-1);
    return true;
}

bool EffectSetting::moveDown(int dy) {
    const int i = window.blockIndex(this);
    if (i < 0 || i + 1 >= static_cast<int>(window.blocks.size())) return false;
    const int h = fullRect().height;
    const int next = window.blocks[static_cast<std::size_t>(i) + 1]->fullRect().height;
    if (!(dy > std::min(next, (h + next) / 2) + 4)) return false;
    const Edit::ObjectPointer& object = window.settingObject;
    if (!isFilter() || !isFilterEntry(object->effectList, object->indexOf(effect.get()) + 1)) return false;
    swapWith(1);
    return true;
}

void EffectSetting::swapWith(int neighbour) {
    Edit::EditService* edit = window.editServiceOf();
    if (!edit) return;
    const Edit::ObjectPointer object = window.settingObject;
    {
        // The drag's undo group stays open past this scope until the
        // press ends.
        Edit::EditScope scope(*edit);
        if (!dragUndoOpen) {
            dragUndoOpen = true;
            if (Undo::UndoService* undo = edit->getUndoService()) {
                undo->beginUndoGroup();
                undo->addObjectUndoEffect(object);
            }
        }
        if (neighbour < 0)
            object->moveEffectUp(effect.get());
        else
            object->moveEffectDown(effect.get());
    }
    const int i = window.blockIndex(this);
    std::swap(window.blocks[static_cast<std::size_t>(i)], window.blocks[static_cast<std::size_t>(i + neighbour)]);
    window.layoutEffectSettings();
    window.procMove();
    window.procPaint();
}

void EffectSetting::procCaptureLost() {
    if (dragUndoOpen) {
        dragUndoOpen = false;
        if (Edit::EditService* edit = window.editServiceOf())
            if (Undo::UndoService* undo = edit->getUndoService()) undo->commitUndoGroup();
        if (auto* events = System::Singleton<Event::EventService>::getInstance()) {
            std::shared_ptr<Edit::Object> none;
            events->objectUpdate.notify(none);
        }
    }
    clearSelection(window);
}

bool EffectSetting::procDragOver(int, int, Window::DropInfo* info) {
    EffectItemBaseControl* row = findFileItemControl();
    if (!info || info->files.empty() || !row || !effect->isSupportedFile(info->files.front().c_str())) return false;
    Control::showTooltipBelowPointer(messageText(L"ファイルを設定"));
    info->accepted = true;
    return true;
}

bool EffectSetting::procDrop(int, int, Window::DropInfo* info) {
    EffectItemBaseControl* row = findFileItemControl();
    if (!info || info->files.empty() || !row || !effect->isSupportedFile(info->files.front().c_str())) return false;
    info->accepted = true;
    row->updateFile(info->files.front());
    return true;
}

void EffectSetting::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    fill(brushes[selected ? Control::Brushes::GroupingSelect : Control::Brushes::Grouping]);
    for (Window::WindowControl* control : children.controls) control->procPaint();
    if (selected) Control::drawOutline(*this, 0, 0, scope.width(), scope.height(), brushes[Control::Brushes::BorderFocus], 2);
}

void EffectSetting::procMove() { children.updateLayout(); }

}  // namespace Component
