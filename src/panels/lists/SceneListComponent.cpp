#include "panels/lists/SceneListComponent.h"

#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/command/SceneFromFile.h"
#include "edit/service/EditService.h"
#include "effect/registry/EffectService.h"
#include "panels/lists/ListRows.h"
#include "panels/lists/SceneButtonControl.h"
#include "window/ClientPlacement.h"
#include "window/DropInfo.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <cwctype>

namespace Component {

namespace {

int headerHeight(const Control::TitleHeaderControl& header) {
    return header.floating ? 0 : Setting::TitleHeaderHeight + 2;
}

std::wstring lowerExtension(const std::wstring& path) {
    std::wstring extension = System::FileName::getExtension(path.c_str());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return extension;
}

}  // namespace

SceneListComponent::SceneListComponent()
    : WindowClientRenderTarget(L"シーンリスト", "Window.scene.list", &Window::Placements::sceneList, FloatsWithCaption),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      header(owner, L"シーンリスト"),
      list(owner, headerHeight(header)) {
    acceptsContextMenu = true;
    acceptsDrop = true;
    if (eventService) eventService->sceneChange.add(eventKey(), [this](int) { rebuildSceneList(); });
    procMove();
    rebuildSceneList();
}

SceneListComponent::~SceneListComponent() {
    if (eventService) eventService->removeListener(eventKey());
}

std::unique_ptr<SceneListComponent>& SceneListComponent::instance() {
    static std::unique_ptr<SceneListComponent> slot;
    return slot;
}

void SceneListComponent::rebuildSceneList() {
    clearRowsLater(list);
    if (editService) {
        for (const Edit::ScenePointer& scene : editService->project.getSceneList()) {
            auto row = std::make_unique<SceneButtonControl>(list, scene);
            row->windowMenu = [this](Window::MenuEntries& menu) { createWindowMenu(menu); };
            list.rows.push_back(std::move(row));
        }
    }
    std::stable_sort(list.rows.begin(), list.rows.end(),
                     [](const std::unique_ptr<Control::ListItemBase>& a, const std::unique_ptr<Control::ListItemBase>& b) {
                         return a->getOrder() < b->getOrder();
                     });
    list.updateItemLayout();
    list.procMove();
    list.procPaint();
}

bool SceneListComponent::canCreateScene(const std::wstring& path) const {
    const std::wstring extension = lowerExtension(path);
    if (extension == L"qro") return true;
    if (extension == L"txt") return false;
    const Effect::EffectService* effects = System::Singleton<Effect::EffectService>::getInstance();
    return effects && effects->isSupportedFile(path.c_str());
}

void SceneListComponent::setVisible(bool visible) {
    WindowClientRenderTarget::setVisible(visible);
    rebuildSceneList();
}

void SceneListComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    header.procPaint();
    list.procPaint();
}

void SceneListComponent::procMove() { owner.updateLayout(); }

void SceneListComponent::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    Window::MenuEntries menu;
    Window::MenuEntry create{Window::MenuEntry::Kind::Command,
                             Translate::TranslateService::translateMenu(L"シーンを新規作成"), editService != nullptr,
                             false, {}, {}};
    Edit::EditService* edit = editService;
    create.command = [edit] {
        if (edit) edit->createNewScene();
    };
    menu.push_back(std::move(create));
    menu.push_back(Window::MenuEntry::separator());
    createWindowMenu(menu);
    show(window, menu);
}

bool SceneListComponent::procDragOver(int, int, Window::DropInfo* info) {
    if (!info || info->files.empty() || !canCreateScene(info->files.front())) return false;
    Control::showTooltipBelowPointer(L"シーンを作成");
    return true;
}

bool SceneListComponent::procDrop(int, int, Window::DropInfo* info) {
    if (!info || info->files.empty() || !editService) return false;
    const std::wstring& path = info->files.front();
    if (!canCreateScene(path)) return false;
    if (lowerExtension(path) == L"qro") return editService->importQroScene(path);
    return Edit::EditCommand::createSceneFromFile(*editService, path);
}

void SceneListComponent::recreateClient() {
    std::unique_ptr<SceneListComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<SceneListComponent>(); });
}

}  // namespace Component
