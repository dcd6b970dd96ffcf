#include "edit/service/EditService.h"

#include "edit/scope/EditScope.h"

namespace Edit {

EditService::EditService() : EditService(nullptr) {}

EditService::EditService(Effect::EffectService* effects) : project(effects) {
    if (undoService) undoService->editService = this;
    EditScope scope(*this);
    setCurrentScene(0);
}

EditService::~EditService() {
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

}  // namespace Edit
