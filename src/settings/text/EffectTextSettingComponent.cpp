#include "settings/text/EffectTextSettingComponent.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "media/draw/RenderTargetWindow.h"
#include "window/ClientPlacement.h"
#include "window/WindowService.h"

namespace Component {

namespace {

cairo_surface_t* letterT(Media::RenderTargetWindow* host) {
    return host ? host->bitmapList[Resource::BitmapList::LetterT] : nullptr;
}

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

}  // namespace

EffectTextSettingComponent::EffectTextSettingComponent()
    : WindowClientRenderTarget(L"テキスト編集", "Window.setting.text", &Window::Placements::settingText,
                               FloatsWithoutCaption),
      rowHeight(Setting::SettingItemHeight),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      titleBar(owner, rowHeight, L"テキスト編集", letterT(hostTarget())),
      container(owner, 8, rowHeight + 8, -8, -8),
      editor(container, 0, -Setting::ScrollBarSize),
      scrollBar(container, editor, -Setting::ScrollBarSize, Setting::ScrollBarSize) {
    acceptsContextMenu = true;
    acceptsWheel = true;
    titleBar.addCloseButton(this);
    if (eventService) {
        eventService->focusObjectChange.add(eventKey(),
                                            [this](std::shared_ptr<Edit::Object>& object) { followObject(object); });
        eventService->sceneChange.add(eventKey(), [this](int) {
            const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr;
            followObject(scene ? scene->focusObject : nullptr);
        });
    }
    // Through the slot, so a rebuilt window takes it over.
    if (editService) editService->hooks.refreshTextSetting = [] {
        if (const auto& window = instance()) window->editor.reloadTarget();
    };
    procMove();
}

EffectTextSettingComponent::~EffectTextSettingComponent() = default;

std::unique_ptr<EffectTextSettingComponent>& EffectTextSettingComponent::instance() {
    static std::unique_ptr<EffectTextSettingComponent> slot;
    return slot;
}

void EffectTextSettingComponent::recreateClient() {
    std::unique_ptr<EffectTextSettingComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<EffectTextSettingComponent>(); });
}

void EffectTextSettingComponent::followObject(const Edit::ObjectPointer& object) {
    if (!isHidden()) {
        setFocusObject(object);
    } else if (showWindowFocusTextObject != 0 && EffectTextSettingControl::findTextItem(object).item) {
        if (auto* windows = System::Singleton<Window::WindowService>::getInstance()) windows->showWindowClient(*this);
    }
}

void EffectTextSettingComponent::setFocusObject(const Edit::ObjectPointer& object) {
    const EffectTextSettingControl::TextTarget found =
        isHidden() ? EffectTextSettingControl::TextTarget{} : EffectTextSettingControl::findTextItem(object);
    if (!found.item) {
        if (editor.clearTarget()) refreshTitle();
        return;
    }
    editor.setTarget(found);
    refreshTitle();
}

void EffectTextSettingComponent::refreshTitle() {
    Media::RenderTargetWindow* host = hostTarget();
    if (host)
        titleBar.titleText.textBrush =
            &host->brushList[editor.target.item ? Resource::ColorBrushList::Text : Resource::ColorBrushList::TextDisable];
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    titleBar.procPaint();
}

void EffectTextSettingComponent::setVisible(bool visible) {
    WindowClient::setVisible(visible);
    if (visible) {
        const Edit::ScenePointer& scene = editService ? editService->getCurrentScene() : nullptr;
        setFocusObject(scene ? scene->focusObject : nullptr);
    } else if (editor.clearTarget()) {
        refreshTitle();
    }
}

void EffectTextSettingComponent::procMouseWheel(int x, int y, int delta) {
    const Window::Rect& bar = scrollBar.fullRect();
    scrollBar.procMouseWheel(x + clientRect.x - bar.x, y + clientRect.y - bar.y, delta);
}

void EffectTextSettingComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    if (Media::RenderTargetWindow* host = hostTarget()) fill(host->brushList[Resource::ColorBrushList::Background]);
    titleBar.procPaint();
    editor.procPaint();
    scrollBar.procPaint();
}

void EffectTextSettingComponent::procMove() { owner.updateLayout(); }

void EffectTextSettingComponent::createWindowMenu(Window::MenuEntries& menu) {
    Window::MenuEntry options{Window::MenuEntry::Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};
    Window::MenuEntry show{Window::MenuEntry::Kind::Check, menuText(L"テキストオブジェクトのフォーカス時にウィンドウを表示"),
                           true, showWindowFocusTextObject != 0, {}, {}};
    show.command = [this] { showWindowFocusTextObject = showWindowFocusTextObject == 0 ? 1 : 0; };
    options.children.push_back(std::move(show));
    menu.push_back(std::move(options));
    WindowClient::createWindowMenu(menu);
}

}  // namespace Component
