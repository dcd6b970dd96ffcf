#include "edit/command/CutCommand.h"

#include "core/base/Log.h"
#include "edit/command/ClipboardCommand.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/CommandTargets.h"
#include "edit/command/GapCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

#include <algorithm>
#include <tuple>

namespace Edit::EditCommand {

namespace {

using Undo::UndoService;

// How an object lies against the range first .. end - 1.
enum class Reach { Outside, Inside, Covers, FromLeft, ToRight };

Reach reachOf(const Object& object, int first, int end) {
    const bool intoFromLeft = object.start < first && first <= object.end;
    const bool outToRight = object.start < end && end <= object.end;
    if (intoFromLeft && outToRight) return Reach::Covers;
    if (intoFromLeft) return Reach::FromLeft;
    if (first <= object.start && outToRight) return Reach::ToRight;
    if (first <= object.start && object.end < end) return Reach::Inside;
    return Reach::Outside;
}

void setCutFlags(EditScope& scope) {
    scope.resortLayers = scope.clearSettingSection = scope.refreshTimeSetting = scope.notifyObjectUpdate = true;
}

// Splits the object at one frame (two pieces) or at two (three pieces, the
// middle one made from the first right piece). The pieces flagged in
// `keep` take the object's place and group; the others are cloned into
// the clipboard. The focus passes to the piece `focus`. Returns false,
// with the object unchanged, when a split refuses.
bool replaceByPieces(EditService& service, Scene& scene, EditScope& scope, const ObjectPointer& object,
                     const std::vector<int>& frames, const std::vector<bool>& keep, std::size_t focus) {
    const auto outer = splitPieces(scene, scope, object, frames.front());
    if (!outer) return false;
    std::vector<ObjectPointer> pieces = {outer->first, outer->second};
    ObjectPointer between;
    // What can fail comes first, so a failure leaves the timeline as it was.
    try {
        if (frames.size() == 2) {
            const auto inner = splitPieces(scene, scope, outer->second, frames.back());
            if (!inner) {
                for (const ObjectPointer& piece : pieces) dropPiece(scene, piece);
                return false;
            }
            between = outer->second;
            pieces = {outer->first, inner->first, inner->second};
        }
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (!keep[i]) service.clipboard.addClone(*pieces[i]);
    } catch (...) {
        for (const ObjectPointer& piece : pieces) dropPiece(scene, piece);
        if (between) dropPiece(scene, between);
        throw;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (keep[i]) record(service, &UndoService::addObjectUndoCreate, pieces[i]);
    detachObject(service, scene, object);
    if (object->group) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (!keep[i]) continue;
            record(service, &UndoService::addObjectUndoGroup, pieces[i]);
            pieces[i]->setGroup(object->group);
        }
    }
    passFocus(scene, scope, object, pieces[focus]);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (!keep[i]) dropPiece(scene, pieces[i]);
    if (between) dropPiece(scene, between);
    return true;
}

void clearFrameRange(Scene& scene) { scene.selectStartFrame = scene.selectEndFrame = -1; }

void cutWhole(EditService& service, bool closeGaps) {
    Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::cutObject", "cut object num=%d", static_cast<int>(targets.size()));
    copyObject(service);
    EditScope scope(service);
    setCutFlags(scope);
    scope.beginUndo();
    for (const ObjectPointer& object : targets) detachObject(service, scene, object);
    if (closeGaps) closeObjectGaps(service, scene, service.clipboard.objects);
    clearSelection(scene);
}

void cutRange(EditService& service, bool closeGaps) {
    Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::cutObject", "cut range object num=%d", static_cast<int>(targets.size()));
    service.clipboard.clear();
    EditScope scope(service);
    setCutFlags(scope);
    scope.beginUndo();
    const int first = scene.selectStartFrame;
    const int end = scene.selectEndFrame + 1;
    for (const ObjectPointer& object : targets) {
        switch (reachOf(*object, first, end)) {
        case Reach::Covers: replaceByPieces(service, scene, scope, object, {first, end}, {true, false, true}, 2); break;
        case Reach::FromLeft: replaceByPieces(service, scene, scope, object, {first}, {true, false}, 0); break;
        case Reach::ToRight: replaceByPieces(service, scene, scope, object, {end}, {false, true}, 1); break;
        case Reach::Inside:
            service.clipboard.addClone(*object);
            detachObject(service, scene, object);
            break;
        case Reach::Outside: break;
        }
    }
    clearSelection(scene);
    if (!closeGaps) return;
    closeObjectGaps(service, scene, service.clipboard.objects);
    if (scene.cursorFrame > first) {
        const int moved = scene.cursorFrame > end ? scene.cursorFrame - (end - first) : first;
        scene.cursorFrame = std::clamp(moved, 0, std::max(scene.totalLength, 0));
        scope.notifyFrameChange = true;
    }
    clearFrameRange(scene);
}

}  // namespace

void cutObject(EditService& service, bool closeGaps) {
    const Scene& scene = *service.getCurrentScene();
    if (scene.selectStartFrame < 0 || scene.selectEndFrame < 0)
        cutWhole(service, closeGaps);
    else
        cutRange(service, closeGaps);
}

void trimObject(EditService& service) {
    Scene& scene = *service.getCurrentScene();
    if (scene.selectStartFrame < 0 || scene.selectEndFrame < 0) return;
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::trimObject", "clip object num=%d", static_cast<int>(targets.size()));
    service.clipboard.clear();
    EditScope scope(service);
    setCutFlags(scope);
    scope.beginUndo();
    const int first = scene.selectStartFrame;
    const int end = scene.selectEndFrame + 1;
    // Where the targets cut on the left stood: their kept part goes back there.
    std::vector<std::tuple<int, int, int>> cutOnTheLeft;
    for (const ObjectPointer& object : targets) {
        const std::tuple<int, int, int> place{object->layer, object->start, object->end};
        bool cut = false;
        switch (reachOf(*object, first, end)) {
        case Reach::Covers:
            cut = replaceByPieces(service, scene, scope, object, {first, end}, {false, true, false}, 1);
            break;
        case Reach::FromLeft: cut = replaceByPieces(service, scene, scope, object, {first}, {false, true}, 1); break;
        case Reach::ToRight: replaceByPieces(service, scene, scope, object, {end}, {true, false}, 0); break;
        case Reach::Inside:
        case Reach::Outside: break;
        }
        if (cut) cutOnTheLeft.push_back(place);
    }
    clearSelection(scene);
    scene.updateLayerObject();
    for (const auto& [layer, start, stop] : cutOnTheLeft) {
        const ObjectPointer& kept = scene.getLayerObjectList(layer).findNearestObject(start, stop);
        if (kept) shiftObject(service, scene, kept, start - kept->start);
    }
    clearFrameRange(scene);
}

}  // namespace Edit::EditCommand
