// The commands that replace or persist the whole project: new, open, save,
// save as, close, and the question that protects unsaved edits.
#include "edit/service/EditService.h"

#include "core/base/Log.h"
#include "core/base/Process.h"
#include "core/base/Singleton.h"
#include "core/event/DialogSeam.h"
#include "core/event/EventService.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "edit/scope/EditScope.h"
#include "edit/undo/UndoService.h"

#include <sys/stat.h>

#include <cwctype>
#include <iterator>

namespace Edit {

namespace {

bool isExistingFile(const std::wstring& path) {
    struct stat st;
    return ::stat(System::String::toUtf8(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool equalsIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::wstring expanded(std::wstring path) {
    System::FileName::expandVariable(path);
    return path;
}

// A plugin's handler that throws ends the calls of its list; the command
// goes on.
template <class List>
void notifyQuietly(List& list) {
    try {
        list.notify();
    } catch (...) {
    }
}

}  // namespace

const std::wstring& EditService::projectFileFilter() {
    static constexpr wchar_t text[] = L"ProjectFile (*.mvp2)\0*.mvp2\0AllFile (*.*)\0*.*\0";
    // The literal's own terminator is the closing null of the list.
    static const std::wstring filter(text, std::size(text));
    return filter;
}

bool EditService::hasProjectFile() const {
    const std::size_t slash = project.path.find_last_of(L"/\\");
    return !project.path.empty() && (slash == std::wstring::npos || slash + 1 < project.path.size());
}

bool EditService::confirmDiscardProject() {
    if (projectHooks.restartRequested && projectHooks.restartRequested()) return true;
    if (!undoService || !undoService->modified) return true;
    return Dialog::showConfirm(L"現在の編集データは破棄されますがよろしいですか？");
}

void EditService::markModified() {
    if (undoService) undoService->modified = true;
}

void EditService::clearProject() {
    EditScope scope(*this);
    if (undoService) undoService->modified = false;
    clipboard.clear();
    project.clear();
    if (eventService) notifyQuietly(eventService->projectClear);
    scope.notifySceneChange = true;
    scope.sceneId = 0;
    setCurrentScene(0);
    System::Log::info("Edit::EditService::updateScene", L"set current scnene [%ls](%d)",
                      currentScene_->name.c_str(), currentScene_->id);
}

void EditService::createProject() {
    if (!confirmDiscardProject()) return;
    auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    Dialog::SceneDialogValues values;
    values.width = settings ? settings->ProjectWidth : currentScene_->width;
    values.height = settings ? settings->ProjectHeight : currentScene_->height;
    values.rate = settings ? settings->ProjectVideoRate : currentScene_->videoRate;
    values.scale = settings ? settings->ProjectVideoScale : currentScene_->videoScale;
    values.audioRate = settings ? settings->ProjectAudioRate : currentScene_->audioRate;
    if (!Dialog::showSceneDialog(L"プロジェクトを新規作成", values)) return;

    clearProject();
    System::Log::info("Edit::EditService::createProject", "create project file");
    {
        EditScope scope(*this);
        scope.notifySceneChange = true;
        scope.sceneId = 0;
        setCurrentScene(0);
        System::Log::info("Edit::EditService::updateScene", L"set current scnene [%ls](%d)",
                          currentScene_->name.c_str(), currentScene_->id);
        Scene& scene = *currentScene_;
        scene.width = *values.width;
        scene.height = *values.height;
        scene.videoRate = *values.rate;
        scene.videoScale = *values.scale;
        scene.audioRate = *values.audioRate;
        if (projectHooks.updateAutoBackupTimer) projectHooks.updateAutoBackupTimer();
    }
    if (settings) {
        settings->ProjectWidth = *values.width;
        settings->ProjectHeight = *values.height;
        settings->ProjectVideoRate = *values.rate;
        settings->ProjectVideoScale = *values.scale;
        settings->ProjectAudioRate = *values.audioRate;
    }
}

bool EditService::loadProject(const std::wstring& path, bool confirm, bool adoptPath) {
    if (!isExistingFile(path)) {
        Dialog::showError(L"指定のファイルが存在しません");
        return false;
    }
    if (confirm && !confirmDiscardProject()) return false;
    clearProject();
    System::Log::info("Edit::EditService::loadProject", L"load project file : %ls", path.c_str());
    if (projectHooks.setProgress) projectHooks.setProgress(L"Loading...");

    EditScope scope(*this);
    bool loaded = true;
    try {
        Project::loadProjectFile(project, path);
    } catch (const std::exception& e) {
        System::Log::error("Edit::EditService::loadProject", "%s", e.what());
        loaded = false;
    }
    if (!loaded) {
        project.clear();
        // The program is ending: no box, and the file stays as it is.
        if (System::Process::terminationRequested)
            loadInterrupted_ = true;
        else
            Dialog::postError(L"プロジェクトの読み込みに失敗しました");
    }
    // A file that could not be read never lends its name to the empty
    // project: a later save must ask for one instead of overwriting it.
    if (adoptPath && loaded) {
        if (hasProjectFile() && !equalsIgnoringCase(project.path, path))
            project.updateEffectItemFilePath(path);
        project.path = expanded(path);
    }
    if (eventService) notifyQuietly(eventService->projectClear);
    scope.notifySceneChange = true;
    scope.sceneId = project.currentSceneId;
    setCurrentScene(project.currentSceneId);
    System::Log::info("Edit::EditService::updateScene", L"set current scnene [%ls](%d)",
                      currentScene_->name.c_str(), currentScene_->id);
    if (projectHooks.setProgress) projectHooks.setProgress(L"");
    if (loaded && !project.path.empty() && projectHooks.addProjectHistory)
        projectHooks.addProjectHistory(project.path);
    return true;
}

bool EditService::saveProject(const std::wstring& path, bool quiet) {
    System::Log::info("Edit::EditService::saveProject", L"save project file : %ls", path.c_str());
    if (!quiet && projectHooks.setProgress) projectHooks.setProgress(L"Saving...");
    if (eventService) notifyQuietly(eventService->projectSave);
    bool saved = true;
    try {
        Project::saveProjectFile(project, path);
        // Only the project's own file holds the edits; a backup, resume or
        // recovery copy leaves them unsaved.
        if (undoService && !project.path.empty() && expanded(path) == project.path) undoService->modified = false;
    } catch (const std::exception& e) {
        System::Log::error("Edit::EditService::saveProject", "%s", e.what());
        Dialog::postError(L"プロジェクトの保存に失敗しました");
        saved = false;
    }
    if (!quiet) {
        if (projectHooks.setProgress) projectHooks.setProgress(L"");
        if (!project.path.empty() && projectHooks.addProjectHistory)
            projectHooks.addProjectHistory(project.path);
    }
    return saved;
}

void EditService::saveProjectAs() {
    std::wstring chosen = project.path;
    if (!Dialog::selectSaveFile(chosen, projectFileFilter(), nullptr, nullptr, true,
                                Dialog::OFN_OVERWRITEPROMPT))
        return;
    if (chosen != project.path) {
        EditScope scope(*this);
        scope.notifySceneChange = true;
        scope.sceneId = currentScene_->id;
        project.path = expanded(chosen);
    }
    saveProject(chosen, false);
}

void EditService::saveProjectOverwrite() {
    if (hasProjectFile())
        saveProject(project.path, false);
    else
        saveProjectAs();
}

}  // namespace Edit
