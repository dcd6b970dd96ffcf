#include "edit/scope/EditScope.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/event/EventCommand.h"
#include "edit/scope/ProjectLock.h"
#include "edit/service/EditService.h"

#include <exception>
#include <memory>

namespace Edit {

namespace {

constexpr const char* EndPlace = "Edit::EditScope::~EditScope";

// Runs one step of the end; the first failure is kept for the report.
template <class Step>
void runStep(std::exception_ptr& failure, Step&& step) noexcept {
    try {
        step();
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
}

void reportFailure(const std::exception_ptr& failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        System::Log::error(EndPlace, "%s", e.what());
        Event::postEventCommand(Event::EventCommandType::ShowException,
                                std::unique_ptr<std::exception>(new System::Exception(e.what())));
    } catch (...) {
        System::Log::error(EndPlace, "%s", "unknown exception.");
    }
}

}  // namespace

EditScope::EditScope(EditService& service, bool stopPlayback) : service_(service) {
    if (stopPlayback && service.hooks.stopPlayback) service.hooks.stopPlayback();
    scene = service.getCurrentScene();
    ProjectLock& projectLock = service.getLock();
    projectLock.lock();
    lock = &projectLock;
}

EditScope::~EditScope() { end(); }

void EditScope::beginUndo() {
    if (undoOpen) return;
    undoOpen = true;
    if (Undo::UndoService* undo = service_.getUndoService()) undo->beginUndoGroup();
}

void EditScope::releaseLock() noexcept {
    if (!lock) return;
    lock->unlock();
    lock = nullptr;
    ++service_.editCount;
}

void EditScope::end() noexcept {
    std::exception_ptr failure;
    const EditHooks& hooks = service_.hooks;

    if (resortLayers && scene) {
        runStep(failure, [&] { scene->updateLayerObject(); });
        // The focus object left the timeline: the focus goes with it.
        if (scene->focusObject && scene->focusObject->layer == -1) {
            scene->focusObject.reset();
            notifyFocusChange = true;
        }
    }
    if (undoOpen) {
        if (Undo::UndoService* undo = service_.getUndoService())
            runStep(failure, [undo] { undo->commitUndoGroup(); });
    }
    releaseLock();

    if (clearSettingSection && hooks.clearSettingSection) runStep(failure, hooks.clearSettingSection);
    if (rebuildSetting) {
        if (hooks.rebuildSetting) runStep(failure, hooks.rebuildSetting);
    } else if (refreshSetting && hooks.refreshSetting) {
        runStep(failure, hooks.refreshSetting);
    }
    if (refreshTimeSetting && hooks.refreshTimeSetting)
        runStep(failure, [&] { hooks.refreshTimeSetting(targetObject); });
    if (refreshColorSetting && hooks.refreshColorSetting) runStep(failure, hooks.refreshColorSetting);
    if (refreshTextSetting && hooks.refreshTextSetting) runStep(failure, hooks.refreshTextSetting);

    if (eventService) {
        if (notifyObjectUpdate) runStep(failure, [&] { eventService->objectUpdate.notify(targetObject); });
        if (notifyLayerUpdate) runStep(failure, [&] { eventService->layerUpdate.notify(); });
        if (notifySceneChange) runStep(failure, [&] { eventService->sceneChange.notify(sceneId); });
        if (scene) {
            if (notifyFocusChange)
                runStep(failure, [&] { eventService->focusObjectChange.notify(scene->focusObject); });
            if (notifyFrameChange) runStep(failure, [&] { eventService->frameChange.notify(scene->cursorFrame); });
        }
    }

    targetObject.reset();
    scene.reset();
    if (failure) reportFailure(failure);
    // The listeners registered under this scope go with the mixin base.
}

}  // namespace Edit
