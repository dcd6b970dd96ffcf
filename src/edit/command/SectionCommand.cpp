#include "edit/command/SectionCommand.h"

#include "core/base/Log.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/CommandTargets.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

namespace Edit::EditCommand {

namespace {

void setSectionFlags(EditScope& scope) {
    scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting =
        scope.notifyObjectUpdate = true;
}

void addSectionAt(EditService& service, const Scene& scene, const ObjectPointer& object, int frame) {
    record(service, &Undo::UndoService::addObjectUndoSection, object);
    const EffectManager::NumberValueMap values = object->captureNumberValues(scene, *object, frame, false);
    object->addSection(frame, &values);
}

}  // namespace

void createSection(EditService& service, const ObjectPointer& object, int frame) {
    System::Log::info("Edit::EditCommand::createSection", "create section layer=%d frame=%d", object->layer,
                      frame);
    EditScope scope(service);
    setSectionFlags(scope);
    scope.targetObject = object;
    scope.beginUndo();
    addSectionAt(service, *scope.scene, object, frame);
}

void createSection(EditService& service, int frame) {
    const std::vector<ObjectPointer> targets = getTargets(*service.getCurrentScene());
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::createSection", "create section frame=%d num=%d", frame,
                      static_cast<int>(targets.size()));
    EditScope scope(service);
    setSectionFlags(scope);
    scope.beginUndo();
    for (const ObjectPointer& object : targets)
        if (object->isInsideSection(frame)) addSectionAt(service, *scope.scene, object, frame);
}

void deleteSection(EditService& service, const ObjectPointer& object, int index) {
    System::Log::info("Edit::EditCommand::deleteSection", "delete section layer=%d frame=%d section=%d",
                      object->layer, object->start, index);
    EditScope scope(service);
    setSectionFlags(scope);
    scope.targetObject = object;
    scope.beginUndo();
    record(service, &Undo::UndoService::addObjectUndoSection, object);
    object->removeSection(index);
}

void deleteSection(EditService& service, int frame) {
    const std::vector<ObjectPointer> targets = getTargets(*service.getCurrentScene());
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::deleteSection", "delete section frame=%d num=%d", frame,
                      static_cast<int>(targets.size()));
    EditScope scope(service);
    setSectionFlags(scope);
    scope.beginUndo();
    for (const ObjectPointer& object : targets) {
        const int k = object->getSectionIndex(frame);
        if (k <= 0 || k > object->getMidPointCount() || frame != object->getKeyFrame(k)) continue;
        record(service, &Undo::UndoService::addObjectUndoSection, object);
        object->removeSection(k);
    }
}

bool canDeleteSection(const Object& object, int frame) {
    return frame == object.getKeyFrame(object.getSectionIndex(frame)) && object.canAddSection(frame);
}

void changeSectionSpaceEvenly(EditService& service, const ObjectPointer& object) {
    if (!object) return;
    System::Log::info("Edit::EditCommand::changeSectionSpaceEvenly", "change section space evenly");
    EditScope scope(service);
    scope.resortLayers = scope.clearSettingSection = scope.refreshTimeSetting = scope.notifyObjectUpdate = true;
    scope.beginUndo();
    record(service, &Undo::UndoService::addObjectUndoUpdate, object);
    const long long length = object->end - object->start + 1;
    const long long count = object->getMidPointCount();
    for (long long i = 0; i < count; ++i)
        object->boundaries[static_cast<std::size_t>(i)] = static_cast<int>((i + 1) * length / (count + 1));
}

void moveNextSectionFrame(EditService& service) {
    const Scene& scene = *service.getCurrentScene();
    if (!scene.focusObject) return;
    const Object& focus = *scene.focusObject;
    const int cursor = scene.cursorFrame;
    if (cursor < focus.start) return service.setCurrentFrame(focus.start);
    const int k = focus.getSectionIndex(cursor);
    if (k < focus.getMidPointCount()) return service.setCurrentFrame(focus.getKeyFrame(k + 1));
    if (cursor != focus.end) service.setCurrentFrame(focus.end);
}

void movePrevSectionFrame(EditService& service) {
    const Scene& scene = *service.getCurrentScene();
    if (!scene.focusObject) return;
    const Object& focus = *scene.focusObject;
    const int cursor = scene.cursorFrame;
    if (cursor > focus.end) return service.setCurrentFrame(focus.end);
    const int k = cursor < focus.start ? 0 : focus.getSectionIndex(cursor);
    const int first = focus.getKeyFrame(k);
    if (first < cursor) return service.setCurrentFrame(first);
    const int previous = k <= 1 ? focus.start : focus.getKeyFrame(k - 1);
    if (previous != cursor) service.setCurrentFrame(previous);
}

}  // namespace Edit::EditCommand
