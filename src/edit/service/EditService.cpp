#include "edit/service/EditService.h"

#include "core/base/Log.h"
#include "edit/scope/EditScope.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <regex>

namespace Edit {

EditService::EditService() : EditService(nullptr) {}

EditService::EditService(Effect::EffectService* effects)
    : project(effects), settings_(*this, System::Config::mainSettingsFile()) {
    if (undoService) undoService->editService = this;
    startHistories();
    EditScope scope(*this);
    setCurrentScene(0);
}

EditService::~EditService() {
    stopHistories();
    if (undoService && undoService->editService == this) {
        undoService->editService = nullptr;
        undoService->history = nullptr;
    }
    currentScene_.reset();
}

void EditService::setCurrentScene(int id) {
    if (hooks.purgeSceneCaches) hooks.purgeSceneCaches();
    project.currentSceneId = id;
    currentScene_ = project.getOrCreateScene(id);
    if (undoService) undoService->history = &currentScene_->undoHistory;
}

void EditService::updateScene(int id) {
    EditScope scope(*this);
    scope.notifySceneChange = true;
    scope.sceneId = id;
    setCurrentScene(id);
    System::Log::info("Edit::EditService::updateScene", L"set current scnene [%ls](%d)",
                      currentScene_->name.c_str(), currentScene_->id);
}

void EditService::setCurrentFrame(int frame) {
    Scene& scene = *currentScene_;
    scene.cursorFrame = std::clamp(frame, 0, std::max(scene.totalLength, 0));
    if (eventService) eventService->frameChange.notify(scene.cursorFrame);
    if (!moveFrameFollowFocusObject || !scene.focusObject) return;
    const Object& focus = *scene.focusObject;
    if (focus.start <= scene.cursorFrame && scene.cursorFrame <= focus.end) return;
    const ObjectPointer& next = scene.getLayerObjectList(focus.layer).getObjectAtFrame(scene.cursorFrame);
    if (!next || next == scene.focusObject) return;
    scene.focusObject = next;
    if (eventService) eventService->focusObjectChange.notify(scene.focusObject);
}

void EditService::moveCustomFrame(const std::wstring& step, int direction) {
    static const std::wregex pattern(L"^([0-9]+)([.]?[0-9]+|f)?$");
    std::wsmatch match;
    if (!std::regex_match(step, match, pattern)) return;
    const Scene& scene = *currentScene_;
    long long frames = 0;
    try {
        if (match[2].matched && match[2].str() == L"f") {
            frames = std::stoll(match[1].str());
        } else {
            const double seconds = std::stod(step);
            frames = std::llround(static_cast<double>(scene.videoRate) * seconds /
                                  static_cast<double>(std::max(scene.videoScale, 1)));
        }
    } catch (const std::exception&) {
        return;  // out of range
    }
    const long long target = static_cast<long long>(scene.cursorFrame) + direction * frames;
    setCurrentFrame(static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX)));
}

}  // namespace Edit
