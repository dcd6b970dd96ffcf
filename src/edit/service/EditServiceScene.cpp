// The scene operations of the scene list and the menus.
#include "edit/service/EditService.h"

#include "core/base/Log.h"
#include "core/event/DialogSeam.h"
#include "core/event/MessageBox.h"
#include "edit/scope/EditScope.h"
#include "effect/base/StdConvert.h"

namespace Edit {

namespace {

// A name typed or pasted into a dialog, as one line: a line break would
// make the project file unwritable.
std::wstring typedName(const std::wstring& name) { return Effect::StdConvert::joinedLine(name); }

}  // namespace

void EditService::renameScene(int id) {
    const ScenePointer scene = project.getScene(id);
    if (!scene) return;
    std::wstring name = scene->name;
    if (!Dialog::inputString(L"シーン名を変更", L"名前", name)) return;
    EditScope scope(*this);
    markModified();
    scope.notifySceneChange = true;
    scope.sceneId = currentScene_->id;
    scene->name = typedName(name);
    System::Log::info("Edit::EditService::renameScene", L"update scnene name [%ls](%d)", scene->name.c_str(),
                      scene->id);
}

void EditService::settingScene(int id, const std::wstring& name, int rate, int scale, int width, int height,
                               int audioRate) {
    const ScenePointer scene = project.getScene(id);
    if (!scene) return;
    Dialog::SceneDialogValues values{name, width, height, rate, scale, audioRate};
    if (!Dialog::showSceneDialog(L"シーンの設定", values)) return;
    EditScope scope(*this);
    markModified();
    scope.notifySceneChange = true;
    scope.sceneId = currentScene_->id;
    scene->name = typedName(values.name.value_or(name));
    scene->videoRate = values.rate.value_or(rate);
    scene->videoScale = values.scale.value_or(scale);
    scene->width = values.width.value_or(width);
    scene->height = values.height.value_or(height);
    scene->audioRate = values.audioRate.value_or(audioRate);
    System::Log::info("Edit::EditService::settingScene", L"update scnene setting [%ls](%d)",
                      scene->name.c_str(), scene->id);
}

bool EditService::createNewScene() {
    const Scene& current = *currentScene_;
    return createScene(Scene::getDefaultName(project.getFreeSceneId()), current.width, current.height,
                       current.videoRate, current.videoScale, current.audioRate);
}

bool EditService::createScene(const std::wstring& name, int width, int height, int rate, int scale,
                              int audioRate) {
    Dialog::SceneDialogValues values{name, width, height, rate, scale, audioRate};
    if (!Dialog::showSceneDialog(L"シーンを作成", values)) return false;
    const int id = project.getFreeSceneId();
    EditScope scope(*this);
    markModified();
    scope.notifySceneChange = true;
    scope.sceneId = id;
    setCurrentScene(id);
    Scene& scene = *currentScene_;
    scene.name = typedName(values.name.value_or(name));
    scene.width = values.width.value_or(width);
    scene.height = values.height.value_or(height);
    scene.videoRate = values.rate.value_or(rate);
    scene.videoScale = values.scale.value_or(scale);
    scene.audioRate = values.audioRate.value_or(audioRate);
    System::Log::info("Edit::EditService::createScene", L"set current scnene (create) [%ls](%d)",
                      scene.name.c_str(), scene.id);
    return true;
}

void EditService::duplicateScene(int id) {
    const ScenePointer source = project.getScene(id);
    if (!source) return;
    std::wstring name;
    if (!Dialog::inputString(L"シーンを複製", L"名前", name)) return;
    EditScope scope(*this);
    markModified();
    scope.notifySceneChange = true;
    scope.sceneId = currentScene_->id;
    const ScenePointer copy = project.getOrCreateScene(project.getFreeSceneId());
    // The copy follows its source; the orders stay contiguous.
    const int order = source->listOrder;
    for (const auto& [otherId, other] : project.scenes)
        if (other != copy && other->listOrder > order) ++other->listOrder;
    copy->listOrder = order + 1;
    copy->name = typedName(name);
    copy->copyScene(*source);
    System::Log::info("Edit::EditService::duplicateScene", L"duplicate scnene [%ls]", copy->name.c_str());
}

void EditService::deleteScene(int id) {
    if (id == 0) return;
    const ScenePointer scene = project.getScene(id);
    if (!scene) return;
    const bool current = id == currentScene_->id;
    // Asked from the scene being deleted, not from the current one: a full
    // scene elsewhere is never dropped without a question.
    if (scene->totalLength > 0 &&
        !Dialog::showConfirm(current ? L"現在のシーンを削除しますか？" : L"シーンを削除しますか？"))
        return;
    System::Log::info("Edit::EditService::deleteScene", "delete scnene (%d)", id);
    EditScope scope(*this);
    markModified();
    scope.notifySceneChange = true;
    if (current) {
        scope.sceneId = 0;
        setCurrentScene(0);
        System::Log::info("Edit::EditService::updateScene", L"set current scnene [%ls](%d)",
                          currentScene_->name.c_str(), currentScene_->id);
    } else {
        scope.sceneId = currentScene_->id;
    }
    project.deleteScene(id);
}

}  // namespace Edit
