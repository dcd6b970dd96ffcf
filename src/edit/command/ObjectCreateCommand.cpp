#include "edit/command/ObjectCreateCommand.h"

#include "core/base/Log.h"
#include "edit/command/CommandSupport.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

#include <algorithm>

namespace Edit::EditCommand {

void createObject(EditService& service, const wchar_t* effectName, int layer, int frame,
                  CreateCallback callback) {
    System::Log::info("Edit::EditCommand::createObject", L"create object [%ls] layer=%d frame=%d", effectName,
                      layer, frame);
    {
        EditScope scope(service);
        scope.resortLayers = scope.refreshTimeSetting = scope.notifyObjectUpdate = true;
        scope.beginUndo();
        Scene& scene = *scope.scene;
        const LayerObjectList& list = scene.getLayerObjectListGrow(layer);
        const int length = 800000 / std::max(scene.zoom.zoom, 1);
        int start = frame;
        int end = frame + length;
        for (auto it = list.lowerBoundByEndFrame(start); it != list.objects.end(); ++it) {
            const Object& other = **it;
            if (other.start <= start) {
                end += other.end + 1 - start;
                start = other.end + 1;
                continue;
            }
            if (end >= other.start) end = other.start - 1;
            break;
        }
        const ObjectPointer made = scene.createObject(effectName, layer, start, end);
        try {
            if (callback) callback(made, scope);
        } catch (...) {
            // Not recorded yet: it would stay on the timeline beyond undo.
            dropPiece(scene, made);
            throw;
        }
        record(service, &Undo::UndoService::addObjectUndoCreate, made);
        if (scene.setFocusObject(made)) scope.notifyFocusChange = true;
    }
    callback = nullptr;
}

}  // namespace Edit::EditCommand
