#include "panels/lists/ObjectButtonControl.h"

#include "core/file/SettingService.h"
#include "edit/command/ObjectStateCommand.h"
#include "effect/base/EffectBase.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace Component {

namespace {

using Resource::BitmapList;

int itemHeight() { return Setting::ListItemHeight; }
// The side of the two buttons.
int buttonSide() { return std::max(1, itemHeight() - 6); }
// The buttons' area at the right end of the row.
int areaWidth() { return 2 * itemHeight() - 6; }

const Effect::EffectBase* firstEffect(const Edit::Object& object) {
    return object.effectList.empty() ? nullptr : object.effectList.front().get();
}

bool named(const Effect::EffectBase& effect, const wchar_t* name) { return std::wcscmp(effect.name, name) == 0; }

bool ctrlHeld() { return Platform::getKeyState(Platform::VK::CONTROL) < 0; }

}  // namespace

ObjectButtonControl::ObjectButtonControl(Control::ListItemControl& list, const Edit::ObjectPointer& target)
    : ButtonControl(list.rowOwner, 0, 0, 0, rowHeight()),
      ListItemBase(list, *this),
      lockButton(*this, -areaWidth(), 3, buttonSide(), buttonSide()),
      enableButton(*this, -areaWidth() + itemHeight() - 3, 3, buttonSide(), buttonSide()) {
    acceptsContextMenu = true;
    onClick = [this](ButtonControl&) { press(); };
    const Effect::EffectBase* effect = firstEffect(*target);
    const bool filter = effect && effect->effectType == Effect::EffectKind::Filter;
    enableButton.tooltip = filter ? L"フィルタ効果の有効・無効" : L"オブジェクトの表示・非表示";
    enableButton.setCheckCallback([this](Control::CheckButtonControl& button) {
        if (editService) Edit::EditCommand::setEnableClickObject(*editService, object, button.checked, ctrlHeld());
    });
    if (effect && effect->mediaType != Effect::MediaKind::Audio) {
        lockButton.tooltip = L"プレビュー編集の操作をロック";
        if (host) {
            lockButton.checkedBitmap = host->bitmapList[BitmapList::LockOn];
            lockButton.uncheckedBitmap = host->bitmapList[BitmapList::LockOff];
        }
        lockButton.faceBrushProvider = [this]() -> const Platform::Cairo::Brush* {
            return host ? &host->brushList[getBodyBrush()] : nullptr;
        };
        lockButton.setCheckCallback([this](Control::CheckButtonControl& button) {
            if (editService) Edit::EditCommand::setLockClickObject(*editService, object, button.checked, ctrlHeld());
        });
    } else {
        lockButton.visible = false;
    }
    setObject(target);
}

ObjectButtonControl::~ObjectButtonControl() {
    if (service && service->keyReleaseWaiter == this) service->setKeyReleaseWait(nullptr, 0);
}

int ObjectButtonControl::rowHeight() { return itemHeight() + 2; }

BitmapList::Id ObjectButtonControl::iconOf(const Edit::Object& object) {
    const Effect::EffectBase* effect = firstEffect(object);
    if (!effect) return BitmapList::Gear;
    namespace Kind = Effect::EffectKind;
    namespace Media = Effect::MediaKind;
    switch (effect->effectType) {
    case Kind::Input:
        if (object.clipping) return BitmapList::ClipOn;
        if (named(*effect, L"動画ファイル") || named(*effect, L"シーン")) return BitmapList::Film;
        if (named(*effect, L"テキスト")) return BitmapList::LetterT;
        if (effect->mediaType == Media::Audio) return BitmapList::Speaker;
        return BitmapList::Picture;
    case Kind::Control:
        if (named(*effect, L"カメラ制御")) return BitmapList::CameraWhite;
        if (named(*effect, L"グループ制御") || named(*effect, L"グループ制御(音声)")) return BitmapList::LinkOn;
        return BitmapList::Gear;
    case Kind::Filter:
        if (effect->mediaType == Media::Video) return BitmapList::Sparkle;
        return BitmapList::Gear;
    default:
        return BitmapList::Gear;
    }
}

void ObjectButtonControl::setObject(const Edit::ObjectPointer& target) {
    if (target != object) {
        object = target;
        icon = iconOf(*object);
    }
    const Effect::EffectBase* effect = firstEffect(*object);
    lockButton.checked = effect && effect->lock;
    enableButton.checked = effect && !effect->disable;
}

Control::Brushes::Id ObjectButtonControl::getBodyBrush() const {
    if (editService && object) {
        const Edit::Scene& scene = *editService->getCurrentScene();
        if (!scene.selection.objects.empty()) {
            if (object->selected) return Control::Brushes::ButtonBodySelect;
        } else if (scene.focusObject == object) {
            return Control::Brushes::ButtonBodySelect;
        }
    }
    return hover ? Control::Brushes::ButtonBodyHover : Control::Brushes::ButtonBody;
}

void ObjectButtonControl::selectWithWait(const Edit::ObjectPointer& target) {
    if (!editService->selectObject(target, true)) return;
    if (service && !service->keyReleaseWaiter) service->setKeyReleaseWait(this, Platform::VK::CONTROL);
}

void ObjectButtonControl::press() {
    if (!editService || !object) return;
    if (!ctrlHeld()) {
        editService->setFocusObject(object);
        return;
    }
    const Edit::Scene& scene = *editService->getCurrentScene();
    if (scene.selection.objects.empty() && scene.focusObject) selectWithWait(scene.focusObject);
    selectWithWait(object);
}

void ObjectButtonControl::procContextMenu(int x, int y) {
    if (editService && object &&
        (!ctrlHeld() || editService->getCurrentScene()->selection.objects.empty()))
        selectWithWait(object);
    if (showMenu) showMenu(x, y);
}

void ObjectButtonControl::procKeyUp() {
    if (!editService) return;
    editService->clearSelectObject(*this);
    // Kept while Ctrl is held or a drag runs: wait for the next release.
    if (!editService->getCurrentScene()->selection.objects.empty() && service && !service->keyReleaseWaiter &&
        ctrlHeld())
        service->setKeyReleaseWait(this, Platform::VK::CONTROL);
}

void ObjectButtonControl::procCaptureLost() {
    if (editService) editService->clearSelectObject(*this);
    procPaint();
}

bool ObjectButtonControl::isControlKeyDown() const { return ctrlHeld(); }

bool ObjectButtonControl::isMouseCaptured() const { return service && service->pressed && service->pressed->captured; }

void ObjectButtonControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    if (!editService || !object) return;
    const Effect::EffectBase* effect = firstEffect(*object);
    Control::showTooltipBelowPointer(editService->getLayerName(object->layer) + L" : " +
                                     (effect ? effect->getDisplayName() : L""));
}

void ObjectButtonControl::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    const int width = scope.width();
    const int item = itemHeight();
    fillRectangle(0, 0, width, item, brushes[getBodyBrush()]);
    if (host) drawBitmap(host->bitmapList[icon], 3, 3, item - 3, item - 3, 1.0f);
    const Effect::EffectBase* effect = object ? firstEffect(*object) : nullptr;
    if (fontList && effect) {
        Resource::TextFormat& format = (*fontList)[Resource::TextFormatList::Control];
        Resource::TextLayout layout(format.get(), effect->getDisplayName());
        layout.setTrimming(static_cast<float>(width - 3 * item + 6), format.getTrimmingSign());
        const int y = (item - static_cast<int>(std::ceil(layout.getMetrics().height))) / 2;
        drawTextLayout(static_cast<float>(item), static_cast<float>(y), *layout.get(),
                       brushes[enabled ? Control::Brushes::Text : Control::Brushes::TextDisable]);
    }
    fillRectangle(0, item, width, scope.height(), brushes[Control::Brushes::Grouping]);
    lockButton.procPaint();
    enableButton.procPaint();
}

void ObjectButtonControl::procMove() {
    lockButton.updateLayout();
    lockButton.procMove();
    enableButton.updateLayout();
    enableButton.procMove();
}

}  // namespace Component
