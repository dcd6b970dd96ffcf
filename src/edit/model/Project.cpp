#include "edit/model/Project.h"

#include "core/base/Log.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"

#include <algorithm>
#include <climits>
#include <sys/stat.h>

namespace Edit {

namespace {

// The folder part of a path, variables expanded, with a closing '/'; empty
// for a path without a folder.
std::wstring folderOf(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L"/\\");
    if (last == std::wstring::npos) return {};
    std::wstring folder = path.substr(0, last);
    System::FileName::expandVariable(folder);
    std::replace(folder.begin(), folder.end(), L'\\', L'/');
    return folder + L'/';
}

bool fileExists(const std::wstring& path) {
    struct stat st;
    return ::stat(System::String::toUtf8(path).c_str(), &st) == 0;
}

// Whether the path begins with the folder, either separator matching.
bool startsWithFolder(const std::wstring& path, const std::wstring& folder) {
    if (path.size() < folder.size()) return false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const wchar_t c = path[i] == L'\\' ? L'/' : path[i];
        if (c != folder[i]) return false;
    }
    return true;
}

}  // namespace

Project::Project(Effect::EffectService* service) : effectService(service) {}

ScenePointer Project::getScene(int id) const {
    const auto found = scenes.find(id);
    return found == scenes.end() ? nullptr : found->second;
}

const ScenePointer& Project::getOrCreateScene(int id) {
    ScenePointer& scene = scenes[id];
    if (!scene) {
        int order = -1;
        for (const auto& [otherId, other] : scenes)
            if (other) order = std::max(order, other->listOrder);
        scene = std::make_shared<Scene>(id, order + 1, effectService);
    }
    return scene;
}

int Project::getFreeSceneId() const {
    int id = 1;
    while (scenes.contains(id)) ++id;
    return id;
}

std::vector<ScenePointer> Project::getSceneList() const {
    std::vector<ScenePointer> list;
    for (const auto& entry : scenes) list.push_back(entry.second);
    std::sort(list.begin(), list.end(), [](const ScenePointer& a, const ScenePointer& b) {
        return a->listOrder != b->listOrder ? a->listOrder < b->listOrder : a->id < b->id;
    });
    return list;
}

void Project::deleteScene(int id) {
    if (id == 0 || id == currentSceneId) return;
    const auto found = scenes.find(id);
    if (found == scenes.end()) return;
    found->second->clearLayer();
    scenes.erase(found);
}

void Project::clear() {
    for (const auto& entry : scenes) entry.second->clearLayer();
    scenes.clear();
    pluginData.clear();
    currentSceneId = 0;
    path.clear();
}

void Project::updateEffectItemFilePath(const std::wstring& openedPath) {
    const std::wstring oldFolder = folderOf(path);
    const std::wstring newFolder = folderOf(openedPath);
    if (oldFolder.empty() || newFolder.empty()) return;
    // A folder whose name holds a line break could not be written into the
    // project again: the stored paths stay as they are.
    if (Effect::StdConvert::lineFault(newFolder)) return;
    bool asked = false;
    for (const ScenePointer& scene : getSceneList()) {
        for (int k = 0; k <= scene->lastLayer; ++k) {
            for (const ObjectPointer& object : scene->getLayerObjectList(k).objects) {
                for (const EffectManager::EffectPointer& effect : object->effectList) {
                    for (Effect::EffectItem* item : effect->items) {
                        const wchar_t* stored = item->getFilePath();
                        if (!stored || !startsWithFolder(stored, oldFolder) || fileExists(stored)) continue;
                        if (!asked) {
                            if (!Dialog::showConfirm(
                                    L"プロジェクトファイルのパスが変更されています。\n\n"
                                    L"以前のプロジェクトパスの配下の指定ファイルが存在しない場合は\n"
                                    L"現在のプロジェクトパスの配下に変更しますか？"))
                                return;
                            asked = true;
                        }
                        // Only the folder prefix is replaced.
                        const std::wstring oldPath = stored;
                        const std::wstring newPath = newFolder + oldPath.substr(oldFolder.size());
                        System::Log::info("Edit::Project::updateEffectItemFilePath", "update file path [%s] -> [%s]",
                                          System::String::toUtf8(oldPath).c_str(),
                                          System::String::toUtf8(newPath).c_str());
                        item->setFilePath(newPath.c_str());
                    }
                }
            }
        }
    }
}

}  // namespace Edit
