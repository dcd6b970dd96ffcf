#include "settings/color/EffectColorSettingComponent.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemColor.h"
#include "media/draw/RenderTargetWindow.h"
#include "settings/color/ColorWindowCalls.h"
#include "settings/color/ColorWindowLayout.h"
#include "settings/rows/RowCallPoints.h"
#include "window/ClientPlacement.h"
#include "window/ToolTips.h"
#include "window/WindowMenuEntry.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"

#include <algorithm>

namespace Component {

namespace {

int styleValue(const char* key, int fallback) {
    auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings ? settings->layout.getValue(key).toInt(fallback) : fallback;
}

bool isColorItem(const Effect::EffectItem* item) {
    return item && (item->type == Effect::ItemType::Color || item->type == Effect::ItemType::ColorOrNone);
}

std::wstring messageText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Message, text);
}

const wchar_t* effectText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, text);
}

Undo::UndoService* undo() { return System::Singleton<Undo::UndoService>::getInstance(); }

void writeColor(Effect::EffectItemColor& item, Media::RGB8 rgb) {
    item.red = rgb.r;
    item.green = rgb.g;
    item.blue = rgb.b;
    item.noColor = false;
}

}  // namespace

EffectColorSettingComponent::EffectColorSettingComponent()
    : WindowClientRenderTarget(L"色設定", "Window.setting.color", &Window::Placements::settingColor, FloatsWithCaption),
      margin(styleValue("SettingItemMarginWidth", 4)),
      rowHeight(Setting::SettingItemHeight),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      header(owner, L"色設定"),
      swatch(owner, *this),
      rgb(owner, *this),
      wheel(owner, *this),
      hsv(owner, *this),
      palette(owner, *this),
      paletteButton(owner, 0, 0, 1, 1),
      pickButton(owner, 0, 0, 1, 1) {
    acceptsContextMenu = true;
    Media::RenderTargetWindow* host = hostTarget();
    paletteButton.bitmap = host ? host->bitmapList[Resource::BitmapList::Refresh] : nullptr;
    paletteButton.tooltip = messageText(L"パレットを切替");
    paletteButton.onClick = [this](Control::ButtonControl&) { palette.selectPalette(); };
    pickButton.bitmap = host ? host->bitmapList[Resource::BitmapList::Eyedropper] : nullptr;
    pickButton.tooltip = messageText(L"画面上から色を取得");
    pickButton.onClick = [this](Control::ButtonControl&) { startScreenPick(); };
    pickButton.onPickColor = [this](const Window::PickedColor* color) { endScreenPick(color); };
    if (eventService) {
        eventService->focusObjectChange.add(eventKey(),
                                            [this](std::shared_ptr<Edit::Object>& object) { setFocusObject(object); });
        eventService->sceneChange.add(eventKey(), [this](int) {
            const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr;
            setFocusObject(scene ? scene->focusObject : nullptr);
        });
    }
    // Through the slot, so a rebuilt window takes them over.
    if (editService) editService->hooks.refreshColorSetting = [] {
        if (const auto& window = instance()) window->updateTarget();
    };
    RowCallPoints::openColorWindow = [](const Edit::ObjectPointer& object, Effect::EffectItemColor& item) {
        if (const auto& window = instance()) window->setTarget(object, item, true);
    };
    palette.setPalette(selectPalette);
    syncUndoColors();
    procMove();
}

EffectColorSettingComponent::~EffectColorSettingComponent() {
    if (pickButton.service && pickButton.service->colorPicker == &pickButton) pickButton.service->cancelColorPick();
}

std::unique_ptr<EffectColorSettingComponent>& EffectColorSettingComponent::instance() {
    static std::unique_ptr<EffectColorSettingComponent> slot;
    return slot;
}

void EffectColorSettingComponent::recreateClient() {
    std::unique_ptr<EffectColorSettingComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<EffectColorSettingComponent>(); });
}

void EffectColorSettingComponent::setTarget(const Edit::ObjectPointer& object, Effect::EffectItemColor& item,
                                            bool withSelection) {
    if (!object) return;
    std::shared_ptr<Effect::EffectBase> owner_;
    for (const auto& effect : object->effectList) {
        if (std::find(effect->items.begin(), effect->items.end(), &item) != effect->items.end()) {
            owner_ = effect;
            break;
        }
    }
    if (!owner_) return;
    target.linked.clear();
    if (withSelection && editService) {
        if (const Edit::ScenePointer& scene = editService->getCurrentScene())
            target.linked = scene->getSelectSameEffect(*object, *owner_);
    }
    target.object = object;
    target.effect = owner_;
    target.item = &item;
    state.previous[0] = item.red / 255.0f;
    state.previous[1] = item.green / 255.0f;
    state.previous[2] = item.blue / 255.0f;
    state.previous[3] = 1;
    state.setColor(state.previous[0], state.previous[1], state.previous[2], 1);
    syncUndoColors();
    refreshTargetLabel();
    rgb.updateValues();
    hsv.updateValues();
    redrawControls();
    if (auto* windows = System::Singleton<Window::WindowService>::getInstance()) windows->showWindowClient(*this);
}

void EffectColorSettingComponent::syncUndoColors() {
    std::copy(state.current, state.current + 4, color.begin());
    std::copy(state.previous, state.previous + 4, previousColor.begin());
}

void EffectColorSettingComponent::updateTarget() {
    // An undo of the swatch's swap gave the window its two colours back.
    std::copy(previousColor.begin(), previousColor.end(), state.previous);
    state.setColor(color[0], color[1], color[2], color[3]);
    if (target.item)
        state.setColor(target.item->red / 255.0f, target.item->green / 255.0f, target.item->blue / 255.0f, 1);
    syncUndoColors();
    rgb.updateValues();
    hsv.updateValues();
    redrawControls();
}

void EffectColorSettingComponent::setFocusObject(const Edit::ObjectPointer& object) {
    if (!isHidden() && object && !object->effectList.empty()) {
        for (Effect::EffectItem* item : object->effectList.front()->items) {
            if (isColorItem(item)) {
                setTarget(object, static_cast<Effect::EffectItemColor&>(*item), false);
                return;
            }
        }
    }
    if (target.item) target = TargetItem{};
    refreshTargetLabel();
}

void EffectColorSettingComponent::beginUndoGroup() {
    Undo::UndoService* u = undo();
    if (!target.item || !u) return;
    u->beginUndoGroup();
    u->addEffectUndoUpdate(target.effect);
    for (const auto& effect : target.linked) u->addEffectUndoUpdate(effect);
}

void EffectColorSettingComponent::commitUndoGroup() {
    if (Undo::UndoService* u = undo(); target.item && u) u->commitUndoGroup();
}

void EffectColorSettingComponent::swapWithPrevious() {
    ColorState probe = state;
    if (!probe.swapWithPrevious()) return;
    Undo::UndoService* u = undo();
    const bool group = u && !u->recording;
    if (group) {
        u->beginUndoGroup();
        syncUndoColors();
        u->addColorSettingUndoUpdate(*this);
        if (target.item) {
            u->addEffectUndoUpdate(target.effect);
            for (const auto& effect : target.linked) u->addEffectUndoUpdate(effect);
        }
    }
    state.swapWithPrevious();
    applyColor();
    if (group) u->commitUndoGroup();
}

void EffectColorSettingComponent::applyColor() {
    syncUndoColors();
    if (!target.item || !editService) {
        rgb.updateValues();
        hsv.updateValues();
        redrawControls();
        return;
    }
    Edit::EditScope scope(*editService);
    scope.notifyObjectUpdate = scope.refreshTimeSetting = scope.refreshSetting = scope.refreshColorSetting = true;
    scope.targetObject = target.object;
    Undo::UndoService* u = undo();
    if (u && !u->recording) {
        scope.beginUndo();
        u->addEffectUndoUpdate(target.effect);
        for (const auto& effect : target.linked) u->addEffectUndoUpdate(effect);
    }
    const Media::RGB8 bytes = state.currentBytes();
    writeColor(*target.item, bytes);
    if (!target.linked.empty()) {
        const auto& items = target.effect->items;
        const std::size_t i =
            static_cast<std::size_t>(std::find(items.begin(), items.end(), target.item) - items.begin());
        for (const auto& effect : target.linked) {
            if (effect->items.size() <= i) continue;
            Effect::EffectItem* other = effect->items[i];
            if (other->type == target.item->type && other->name == target.item->name && isColorItem(other))
                writeColor(static_cast<Effect::EffectItemColor&>(*other), bytes);
        }
    }
}

void EffectColorSettingComponent::redrawControls() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    swatch.procPaint();
    wheel.procPaint();
    rgb.procPaint();
    hsv.procPaint();
}

std::wstring EffectColorSettingComponent::getTargetLabel(const TargetItem& t) const {
    if (!t.item || !t.effect) return {};
    const Effect::EffectBase* named = t.effect.get();
    if (named->effectType == Effect::EffectKind::Output && t.object && !t.object->effectList.empty())
        named = t.object->effectList.front().get();
    std::wstring label = effectText(named->getDisplayName());
    label += L" [";
    label += effectText(t.item->name.c_str());
    label += L"]";
    if (!t.linked.empty()) {
        label += L" (";
        label += effectText(L"複数");
        label += L")";
    }
    return label;
}

void EffectColorSettingComponent::refreshTargetLabel() {
    header.title = target.item ? getTargetLabel(target) : std::wstring(L"色設定");
    paintTitleBand();
}

void EffectColorSettingComponent::paintTitleBand() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    // The band is drawn whole: the buttons on it follow.
    header.procPaint();
    paletteButton.procPaint();
    pickButton.procPaint();
}

void EffectColorSettingComponent::showTargetMenu() {
    const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr;
    const Edit::ObjectPointer object = scene ? scene->focusObject : nullptr;
    const auto message = [](const wchar_t* text) {
        return std::wstring(Translate::TranslateService::translate(Translate::TranslateService::Table::Message, text));
    };
    if (!object) {
        Window::ToolTips::showAtCursor(message(L"設定対象のオブジェクトをフォーカスすると表示されます"), 3000);
        return;
    }
    Window::MenuEntries menu;
    for (const auto& effect : object->effectList) {
        for (Effect::EffectItem* item : effect->items) {
            if (!isColorItem(item)) continue;
            auto* colour = static_cast<Effect::EffectItemColor*>(item);
            const TargetItem candidate{object, effect, colour, {}};
            menu.push_back({Window::MenuEntry::Kind::Command, getTargetLabel(candidate), true, colour == target.item,
                            [this, object, colour] {
                                setTarget(object, *colour, false);
                                refreshTargetLabel();
                            },
                            {}});
        }
    }
    if (menu.empty()) {
        Window::ToolTips::showAtCursor(message(L"色の設定対象項目がありません"), 3000);
        return;
    }
    if (const Window::PopupMenuCall& show = Window::popupMenuCall()) show(window, menu);
}

void EffectColorSettingComponent::procLButtonDown(int, int y) {
    if (!header.floating && y < Setting::TitleHeaderHeight + 2) showTargetMenu();
}

void EffectColorSettingComponent::showBaseAngleDialog() {
    const ColorWindowCalls& calls = ColorWindowCalls::installed();
    int value = colorCircleAngle;
    if (!calls.integerDialog || !calls.integerDialog(L"カラーサークルの基準角度", L"基準角度", value, 0, 360)) return;
    colorCircleAngle = value;
    wheel.cachedHue = -1;
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    wheel.procPaint();
}

void EffectColorSettingComponent::startScreenPick() {
    if (!pickButton.service) return;
    header.title = messageText(L"マウスクリックで色を取得");
    paintTitleBand();
    pickButton.service->startColorPick(&pickButton);
}

void EffectColorSettingComponent::endScreenPick(const Window::PickedColor* picked) {
    refreshTargetLabel();
    if (!picked) return;
    state.setColor(picked->red / 255.0f, picked->green / 255.0f, picked->blue / 255.0f, 1);
    applyColor();
}

void EffectColorSettingComponent::createWindowMenu(Window::MenuEntries& menu) {
    const auto menuText = [](const wchar_t* text) {
        return std::wstring(Translate::TranslateService::translate(Translate::TranslateService::Table::Menu, text));
    };
    const auto command = [](std::wstring text, std::function<void()> run) {
        return Window::MenuEntry{Window::MenuEntry::Kind::Command, std::move(text), true, false, std::move(run), {}};
    };
    Window::MenuEntry option{Window::MenuEntry::Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};
    option.children.push_back(command(menuText(L"カラーサークルの基準角度"), [this] { showBaseAngleDialog(); }));
    // A floating window has no title band for the two buttons.
    if (header.floating) {
        option.children.push_back(command(messageText(L"パレットを切替"), [this] { palette.selectPalette(); }));
        option.children.push_back(command(messageText(L"画面上から色を取得"), [this] { startScreenPick(); }));
    }
    menu.push_back(std::move(option));
    WindowClientRenderTarget::createWindowMenu(menu);
}

void EffectColorSettingComponent::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    Window::MenuEntries menu;
    createWindowMenu(menu);
    show(window, menu);
}

void EffectColorSettingComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    if (Media::RenderTargetWindow* host = hostTarget()) fill(host->brushList[Resource::ColorBrushList::Grouping]);
    header.procPaint();
    swatch.procPaint();
    rgb.procPaint();
    wheel.procPaint();
    hsv.procPaint();
    palette.procPaint();
    paletteButton.procPaint();
    pickButton.procPaint();
}

void EffectColorSettingComponent::procMove() {
    // "-999.0" in the row font, the slider's arrows and the label column.
    const int needed = 6 * 7 + 2 * rowHeight;
    const int top = header.floating ? 0 : Setting::TitleHeaderHeight + 2;
    const ColorWindowLayout l =
        ColorWindowLayout::compute(clientRect.width, clientRect.height, top, margin, rowHeight, needed);
    const auto place = [](Window::WindowControl& control, const ColorWindowLayout::Box& box) {
        control.left = box.left, control.top = box.top, control.right = box.right, control.bottom = box.bottom;
    };
    place(swatch, l.swatch);
    place(rgb, l.rgb);
    place(hsv, l.hsv);
    place(wheel, l.wheel);
    place(palette, l.palette);
    // The palette switch and the eyedropper at the right of the title band.
    const int side = Setting::TitleHeaderHeight;
    paletteButton.visible = pickButton.visible = !header.floating;
    place(paletteButton, {-(2 * side + 2), 1, side, side});
    place(pickButton, {-(side + 1), 1, side, side});
    owner.updateLayout();
}

}  // namespace Component
