#pragma once
// The open project: its scenes by id, the current scene id, the project
// file path and the data plugins keep in the project (never interpreted
// here). One instance, owned by the edit service.
#include "edit/model/Scene.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Edit {

class Project {
public:
    using PluginData = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

    // Without a service the process-wide registry makes the effects.
    explicit Project(Effect::EffectService* service = nullptr);

    // The scene, or empty.
    ScenePointer getScene(int id) const;
    // The scene, made at the end of the scene list when absent.
    const ScenePointer& getOrCreateScene(int id);
    // The smallest id from 1 that no scene has.
    int getFreeSceneId() const;
    // Every scene by list order.
    std::vector<ScenePointer> getSceneList() const;
    // Never scene 0 or the current scene; the scene's objects are detached.
    void deleteScene(int id);
    void clear();
    // After a project was opened from another folder than it was saved in:
    // media under the old folder that is missing there is looked for under
    // the new one, once the user agreed (asked once).
    void updateEffectItemFilePath(const std::wstring& openedPath);

    // The project file (edit/file): the write replaces the file atomically;
    // the read fills a cleared project, skips objects that fail (posting one
    // error) and raises for an unreadable file or an unusable header, scene
    // or layer section.
    static void saveProjectFile(const Project& project, const std::wstring& path);
    static void loadProjectFile(Project& project, const std::wstring& path);

    std::wstring path;
    int currentSceneId = 0;
    std::unordered_map<int, ScenePointer> scenes;
    PluginData pluginData;
    Effect::EffectService* effectService;
};

}  // namespace Edit
