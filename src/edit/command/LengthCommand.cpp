#include "edit/command/LengthCommand.h"

#include "core/base/Log.h"
#include "core/event/DialogSeam.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/CommandTargets.h"
#include "edit/command/GapCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

#include <algorithm>

namespace Edit::EditCommand {

namespace {

// The length dialog: frames in, the typed frame count out; false when cancelled.
bool askFrames(const Scene& scene, const wchar_t* title, int& frames) {
    return Dialog::showFrameLengthDialog(title, scene.videoRate, scene.videoScale, frames);
}

void setLengthFlags(EditScope& scope) {
    scope.resortLayers = scope.clearSettingSection = scope.refreshTimeSetting = scope.notifyObjectUpdate = true;
}

}  // namespace

void removeObjectLeftGap(EditService& service) {
    Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::removeObjectLeftGap", "remove left gap num=%d",
                      static_cast<int>(targets.size()));
    EditScope scope(service);
    setLengthFlags(scope);
    scope.beginUndo();
    GapTable gaps;
    for (const ObjectPointer& object : targets) {
        const LayerObjectList& list = scene.getLayerObjectList(object->layer);
        const auto place = list.lowerBoundByEndFrame(object->start);
        const int previousEnd = place == list.objects.begin() ? -1 : (*(place - 1))->end;
        if (previousEnd < object->start - 1) gaps[object->layer].emplace_back(previousEnd + 1, object->start - 1);
    }
    clearSelection(scene);
    closeGaps(service, scene, std::move(gaps));
}

void insertNullFrame(EditService& service, int frame) {
    Scene& scene = *service.getCurrentScene();
    int length = 0;
    if (!askFrames(scene, L"空のフレームを挿入", length) || length <= 0) return;
    System::Log::info("Edit::EditCommand::insertNullFrame", "insert null frame length=%d", length);
    EditScope scope(service);
    setLengthFlags(scope);
    scope.beginUndo();
    for (int layer = 0; layer <= scene.lastLayer; ++layer) {
        const LayerObjectList& list = scene.getLayerObjectList(layer);
        const std::vector<ObjectPointer> later(list.lowerBoundByEndFrame(frame), list.objects.cend());
        for (const ObjectPointer& object : later)
            if (object->start >= frame) shiftObject(service, scene, object, length);
    }
}

void changeObjectLength(EditService& service) {
    Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    int length = targets.front()->end - targets.front()->start + 1;
    if (!askFrames(scene, L"オブジェクトの長さを変更", length)) return;
    length = std::max(length, 1);
    System::Log::info("Edit::EditCommand::changeObjectLength", "change object length num=%d length=%d",
                      static_cast<int>(targets.size()), length);
    EditScope scope(service);
    setLengthFlags(scope);
    scope.beginUndo();
    for (const ObjectPointer& object : targets) {
        record(service, &Undo::UndoService::addObjectUndoUpdate, object);
        scene.setObjectLength(*object, length);
    }
}

void changeSectionLength(EditService& service, const ObjectPointer& object, int section) {
    if (section >= object->getMidPointCount() + 1) return;
    Scene& scene = *service.getCurrentScene();
    int length = section < 0 ? 0 : object->getKeyFrame(section + 1) - object->getKeyFrame(section);
    if (!askFrames(scene, L"区間の長さを変更", length)) return;
    length = std::max(length, 1);
    System::Log::info("Edit::EditCommand::changeSectionLength", "change section length section=%d length=%d",
                      section, length);
    EditScope scope(service);
    setLengthFlags(scope);
    scope.beginUndo();
    record(service, &Undo::UndoService::addObjectUndoUpdate, object);
    scene.setSectionLength(*object, section, length);
}

void moveFrameByDialog(EditService& service) {
    const Scene& scene = *service.getCurrentScene();
    int frame = scene.cursorFrame;
    if (askFrames(scene, L"指定時間に移動", frame)) service.setCurrentFrame(frame);
}

}  // namespace Edit::EditCommand
