#include "settings/time/EffectTimeSettingComponent.h"

#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/MovementBase.h"
#include "media/draw/RenderTargetWindow.h"
#include "settings/rows/RowCallPoints.h"
#include "settings/time/TimeControlPresets.h"
#include "window/ClientPlacement.h"
#include "window/PopupMenu.h"
#include "window/ToolTips.h"
#include "window/WindowService.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/IconShape.h"

#include <algorithm>

namespace Component {

namespace {

constexpr const wchar_t* kTitle = L"時間制御";

cairo_surface_t* clockBitmap(Media::RenderTargetWindow* host) {
    return host ? host->bitmapList[Resource::BitmapList::Clock] : nullptr;
}

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

}  // namespace

EffectTimeSettingComponent::EffectTimeSettingComponent()
    : WindowClientRenderTarget(L"時間制御編集", "Window.setting.time", &Window::Placements::settingTime,
                               FloatsWithoutCaption),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      title(owner, Setting::SettingItemHeight, kTitle, clockBitmap(hostTarget())),
      editor(owner, options, [this](Window::MenuEntries& menu) { createWindowMenu(menu); }) {
    acceptsContextMenu = true;
    editor.top = Setting::SettingItemHeight;
    Control::IconButtonControl* presets = title.addIconButton(Control::IconList);
    presets->tooltip = L"制御点のプリセットを読込";
    presets->onClick = [this](Control::ButtonControl&) { showPresetMenu(); };
    title.addCloseButton(this);
    title.onClick = [this](WindowTitleControl&) { showTargetMenu(); };
    if (eventService) {
        eventService->focusObjectChange.add(eventKey(),
                                            [this](std::shared_ptr<Edit::Object>& object) { retargetFocusObject(object); });
        eventService->frameChange.add(eventKey(), [this](int frame) { editor.setCursorFrame(frame); });
        eventService->sceneChange.add(eventKey(), [this](int) {
            const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr;
            retargetFocusObject(scene ? scene->focusObject : nullptr);
            if (scene) editor.setCursorFrame(scene->cursorFrame);
        });
    }
    // Through the slots, so a rebuilt window takes them over.
    if (editService) editService->hooks.refreshTimeSetting = [](const Edit::ObjectPointer& named) {
        if (const auto& window = instance()) window->refreshTarget(named);
    };
    RowCallPoints::openTimeControlWindow = [](const Edit::ObjectPointer& object, Effect::EffectItemNumber& item) {
        if (const auto& window = instance()) window->setTargetItem(object, item);
    };
    RowCallPoints::showTimeControlOnMovement = [] {
        const auto& window = instance();
        return !window || window->options.showWindowTargetMovement == 1;
    };
    owner.updateLayout();
    updateTitle();
}

EffectTimeSettingComponent::~EffectTimeSettingComponent() = default;

std::unique_ptr<EffectTimeSettingComponent>& EffectTimeSettingComponent::instance() {
    static std::unique_ptr<EffectTimeSettingComponent> slot;
    return slot;
}

void EffectTimeSettingComponent::recreateClient() {
    std::unique_ptr<EffectTimeSettingComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<EffectTimeSettingComponent>(); });
}

void EffectTimeSettingComponent::retargetFocusObject(const Edit::ObjectPointer& object) {
    if (!isHidden() && object) {
        if (const TimeControlTarget target = focusTarget(object)) {
            editor.setTarget(target.object, target.effect, target.item);
            updateTitle();
            return;
        }
    }
    if (editor.clearTarget()) updateTitle();
}

void EffectTimeSettingComponent::setTargetItem(const Edit::ObjectPointer& object, Effect::EffectItemNumber& item) {
    const TimeControlTarget target = findTarget(object, item);
    if (!target) return;
    editor.setTarget(target.object, target.effect, target.item);
    updateTitle();
    if (auto* windows = System::Singleton<Window::WindowService>::getInstance()) windows->showWindowClient(*this);
}

void EffectTimeSettingComponent::refreshTarget(const Edit::ObjectPointer& named) {
    const TimeControlTarget& target = editor.getTarget();
    if (!target || (named && named != target.object)) return;
    if (isTargetValid(target)) {
        editor.loadControlPoints(target.item->curve);
        editor.procPaint();
    } else {
        editor.clearTarget();
    }
    updateTitle();
}

void EffectTimeSettingComponent::updateTitle() {
    // The frame cursor's place depends on the target's range.
    if (const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr)
        editor.setCursorFrame(scene->cursorFrame);
    const TimeControlTarget& target = editor.getTarget();
    if (target) {
        const wchar_t* movement = target.item->movement->name ? target.item->movement->name : L"";
        title.title = makeTargetLabel(target) + L" " +
                      Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, movement);
        title.titleText.text = title.title;
        if (title.host) title.titleText.textBrush = &title.host->brushList[Control::Brushes::Text];
    } else {
        title.title = kTitle;
        title.updateTitle();
    }
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    title.procPaint();
}

void EffectTimeSettingComponent::showTargetMenu() {
    const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr;
    const Edit::ObjectPointer object = scene ? scene->focusObject : nullptr;
    if (!object) {
        Window::ToolTips::showAtCursor(L"設定対象のオブジェクトをフォーカスすると表示されます", 3000);
        return;
    }
    const std::vector<TimeControlTarget> targets = collectTargetItems(object);
    if (targets.empty()) {
        Window::ToolTips::showAtCursor(L"時間制御の設定対象の項目がありません", 3000);
        return;
    }
    Window::MenuEntries menu;
    for (const TimeControlTarget& target : targets) {
        // A linked group is one entry: checked for any of its members.
        const std::vector<Effect::EffectItemNumber*> members = linkedMembers(*target.item);
        const bool current = std::find(members.begin(), members.end(), editor.getTarget().item) != members.end();
        menu.push_back({Window::MenuEntry::Kind::Command, makeTargetLabel(target), true, current,
                        [this, target] {
                            editor.setTarget(target.object, target.effect, target.item);
                            updateTitle();
                        },
                        {}});
    }
    if (const Window::PopupMenuCall& show = Window::popupMenuCall()) show(window, menu);
}

void EffectTimeSettingComponent::showPresetMenu() {
    if (!editor.getTarget()) {
        Window::ToolTips::showAtCursor(L"時間制御の設定対象を選択すると表示されます", 3000);
        return;
    }
    Window::PopupMenu menu;
    if (appendPresetItems(menu, [this](const std::vector<double>& values) { editor.setControlPoints(values); }))
        menu.insertSeparator();
    menu.insertItem(L"現在の設定でプリセットを作成", [this] { createTimeControlPreset(editor.saveControlPoints()); });
    menu.show();
}

void EffectTimeSettingComponent::createWindowMenu(Window::MenuEntries& menu) {
    using Kind = Window::MenuEntry::Kind;
    const auto flip = [this](int& option) {
        option = option == 1 ? 0 : 1;
        editor.procPaint();
    };
    menu.push_back({Kind::Check, menuText(L"中間点の位置を表示"), true, options.displaySectionPosition == 1,
                    [this, flip] { flip(options.displaySectionPosition); }, {}});
    menu.push_back({Kind::Check, menuText(L"中間点の時間を表示"), true, options.displaySectionTime == 1,
                    [this, flip] { flip(options.displaySectionTime); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back({Kind::Submenu, menuText(L"オプション"), true, false, {},
                    {{Kind::Check, menuText(L"時間制御の設定対象へ変更した時にウィンドウを表示"), true,
                      options.showWindowTargetMovement == 1,
                      [this] { options.showWindowTargetMovement = options.showWindowTargetMovement == 1 ? 0 : 1; },
                      {}}}});
    WindowClient::createWindowMenu(menu);
}

void EffectTimeSettingComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    title.procPaint();
    editor.procPaint();
}

void EffectTimeSettingComponent::procMove() { owner.updateLayout(); }

}  // namespace Component
