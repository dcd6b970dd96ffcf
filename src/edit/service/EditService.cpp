#include "edit/service/EditService.h"

#include "edit/scope/EditScope.h"

namespace Edit {

EditService::EditService() : EditService(nullptr) {}

EditService::EditService(Effect::EffectService* effects) : project(effects) {
    EditScope scope(*this);
    setCurrentScene(0);
}

EditService::~EditService() { currentScene_.reset(); }

void EditService::setCurrentScene(int id) {
    if (hooks.purgeSceneCaches) hooks.purgeSceneCaches();
    project.currentSceneId = id;
    currentScene_ = project.getOrCreateScene(id);
}

}  // namespace Edit
