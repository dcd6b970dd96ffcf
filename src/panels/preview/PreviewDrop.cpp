#include "panels/preview/PreviewDrop.h"

#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/translate/TranslateService.h"
#include "edit/command/AliasCommand.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/command/ObjectEditCommand.h"
#include "edit/command/SceneFromFile.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectEvent.h"
#include "effect/registry/EffectService.h"
#include "panels/preview/PreviewEditComponent.h"
#include "window/DropInfo.h"
#include "window/ToolTips.h"

namespace Component {

namespace {

std::wstring extensionOf(const std::wstring& path) { return System::FileName::getExtension(path.c_str()); }

// Module installation comes with the plugin host; until then no file is
// installable and such a drop falls through to the other rules.
bool canInstallModules(const std::vector<std::wstring>&) { return false; }

Effect::EffectService* effectRegistry(Edit::EditService* edit) {
    if (edit && edit->getCurrentScene() && edit->getCurrentScene()->effectService)
        return edit->getCurrentScene()->effectService;
    return System::Singleton<Effect::EffectService>::getInstance();
}

}  // namespace

PreviewDropKind classifyPreviewDrop(const std::vector<std::wstring>& paths, bool modulesInstallable,
                                    const std::function<bool(const std::wstring&)>& supported) {
    if (paths.empty()) return PreviewDropKind::None;
    if (paths.size() == 1 && extensionOf(paths[0]) == L"mvl2") return PreviewDropKind::Language;
    if (modulesInstallable) return PreviewDropKind::Modules;
    const std::wstring first = extensionOf(paths[0]);
    if (first == L"mvp2") return PreviewDropKind::Project;
    if (first == L"object" || (supported && supported(paths[0]))) return PreviewDropKind::Layers;
    return PreviewDropKind::None;
}

const wchar_t* previewDropTooltip(PreviewDropKind kind) {
    switch (kind) {
    case PreviewDropKind::Language: return L"言語ファイルを設定";
    case PreviewDropKind::Modules: return L"プラグイン・スクリプトのインストール";
    case PreviewDropKind::Project: return L"プロジェクトを開く";
    case PreviewDropKind::Layers: return L"レイヤーに追加";
    case PreviewDropKind::None: break;
    }
    return L"";
}

int firstFreeLayer(const Edit::Scene& scene, int frame) {
    int layer = std::max(scene.displayLayer, 0);
    while (layer <= scene.lastLayer && scene.getLayerObjectList(layer).getObjectAtFrame(frame)) ++layer;
    return layer;
}

bool isEmptyScene(const Edit::Scene& scene) {
    return scene.lastLayer == 0 && scene.totalLength < 1 && scene.getLayerObjectList(0).objects.empty();
}

std::function<bool()>& separateVideoAudioSetting() {
    static std::function<bool()> setting;
    return setting;
}

bool PreviewEditComponent::procDragOver(int, int, Window::DropInfo* info) {
    if (!info) return false;
    Effect::EffectService* registry = effectRegistry(editService);
    const PreviewDropKind kind =
        classifyPreviewDrop(info->files, canInstallModules(info->files), [registry](const std::wstring& path) {
            return registry && registry->isSupportedFile(path.c_str());
        });
    if (kind == PreviewDropKind::None) return false;
    Window::ToolTips::showAtCursor(previewDropTooltip(kind), 0);
    return true;
}

void PreviewEditComponent::procDragLeave() { Window::ToolTips::hide(); }

bool PreviewEditComponent::procDrop(int, int, Window::DropInfo* info) {
    Window::ToolTips::hide();
    if (!info || info->files.empty() || !editService) return false;
    const std::vector<std::wstring>& paths = info->files;
    if (paths.size() == 1 && extensionOf(paths[0]) == L"mvl2") {
        if (auto* translate = System::Singleton<Translate::TranslateService>::getInstance())
            translate->registerLanguageFile(paths[0].c_str());
        return true;
    }
    if (canInstallModules(paths)) return true;
    if (extensionOf(paths[0]) == L"mvp2") return editService->loadProject(paths[0], true, true);
    if (editService->adjustSceneByDropFile && paths.size() == 1 && isEmptyScene(*editService->getCurrentScene()))
        Edit::EditCommand::updateSceneSetting(*editService, paths[0]);
    const int frame = editService->getCurrentScene()->cursorFrame;
    const int target = firstFreeLayer(*editService->getCurrentScene(), frame);
    Effect::EffectService* registry = effectRegistry(editService);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::wstring& path = paths[i];
        const int layer = target + static_cast<int>(i);
        if (extensionOf(path) == L"object") {
            Edit::EditCommand::loadObjectAlias(*editService, path, layer, frame);
            continue;
        }
        const wchar_t* name = registry ? registry->getFileEffectName(path.c_str()) : nullptr;
        if (!name) {
            Dialog::postError(L"このファイルには対応していません");
            return false;
        }
        Edit::EditCommand::createObject(*editService, name, layer, frame,
                                        [&path](const Edit::ObjectPointer& object, Edit::EditScope& scope) {
                                            scope.scene->updateLayerObject();
                                            Effect::EffectEvent event;
                                            event.code = Effect::EffectEvent::FileDropped;
                                            event.path = path.c_str();
                                            Edit::EditCommand::sendInputEvent(scope, *object, event);
                                        });
        const std::function<bool()>& separate = separateVideoAudioSetting();
        if (separate && separate() && Edit::EditCommand::canSeparateAudioObject(*editService))
            Edit::EditCommand::separateAudioObject(*editService);
    }
    return true;
}

}  // namespace Component
