#include "edit/command/ObjectCopyList.h"

#include "edit/command/CommandSupport.h"
#include "edit/file/GroupIdMap.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"

#include <algorithm>

namespace Edit {

namespace {

// The object on the layer that the range [first, last] runs into, or the
// empty pointer.
const ObjectPointer& collision(const Scene& scene, int layer, int first, int last) {
    const LayerObjectList& list = scene.getLayerObjectList(layer);
    const auto next = list.upperBoundByStartFrame(last);
    if (next == list.objects.begin()) return LayerObjectList::emptyObject();
    const ObjectPointer& previous = *std::prev(next);
    return previous->end >= first ? previous : LayerObjectList::emptyObject();
}

}  // namespace

void calcObjectListExtent(ObjectListExtent& extent, const std::vector<ObjectPointer>& objects) {
    if (objects.empty()) {
        extent.topLayer = extent.bottomLayer = extent.firstFrame = extent.lastFrame = 0;
        return;
    }
    const Object& front = *objects.front();
    extent.topLayer = extent.bottomLayer = front.layer;
    extent.firstFrame = front.start;
    extent.lastFrame = front.end;
    for (const ObjectPointer& object : objects) {
        const auto [entry, added] =
            extent.layerExtents.try_emplace(object->layer, ObjectListExtent::Range{object->start, object->end});
        if (added) {
            extent.topLayer = std::min(extent.topLayer, object->layer);
            extent.bottomLayer = std::max(extent.bottomLayer, object->layer);
        } else {
            entry->second.first = std::min(entry->second.first, object->start);
            entry->second.last = std::max(entry->second.last, object->end);
        }
        extent.firstFrame = std::min(extent.firstFrame, object->start);
        extent.lastFrame = std::max(extent.lastFrame, object->end);
    }
}

void ObjectCopyList::initMap() { extent = ObjectListExtent{}; }

void ObjectCopyList::calcExtent() {
    extent.layerExtents.clear();
    calcObjectListExtent(extent, objects);
}

void ObjectCopyList::addClone(const Object& source) {
    auto clone = std::make_shared<Object>(source.effectService);
    source.copyPlacementTo(*clone);
    // The copy stands for the group without joining it.
    clone->group = source.group;
    objects.push_back(std::move(clone));
}

bool ObjectCopyList::findFreeLayer(const Scene& scene, int frameOffset, int& layerOffset) const {
    for (const auto& [layer, range] : extent.layerExtents) {
        if (collision(scene, layer + layerOffset, frameOffset + range.first, frameOffset + range.last)) {
            ++layerOffset;
            return false;
        }
    }
    return true;
}

void ObjectCopyList::pasteAt(EditService& edit, int layer, int frame, bool focusFirst) {
    calcExtent();
    const Scene& scene = *edit.getCurrentScene();
    const int layerOffset = layer - extent.topLayer;
    int frameOffset = frame - extent.firstFrame;
    // Only the time moves: each collision puts the block right after the
    // object in its way, and the check starts again.
    for (bool moved = true; moved;) {
        moved = false;
        for (const auto& [entryLayer, range] : extent.layerExtents) {
            const ObjectPointer& other = collision(scene, entryLayer + layerOffset, frameOffset + range.first,
                                                   frameOffset + range.last);
            if (other) {
                frameOffset = other->end - range.first + 1;
                moved = true;
                break;
            }
        }
    }
    paste(edit, layerOffset, frameOffset, focusFirst);
}

void ObjectCopyList::paste(EditService& edit, int layerOffset, int frameOffset, bool focusFirst) {
    EditScope scope(edit);
    scope.resortLayers = true;
    scope.refreshTimeSetting = true;
    scope.notifyObjectUpdate = true;
    scope.beginUndo();
    Scene& scene = *scope.scene;
    // Every copy is made before any is placed: a chain that cannot be
    // copied leaves the scene as it was.
    std::vector<ObjectPointer> made;
    made.reserve(objects.size());
    for (const ObjectPointer& clone : objects) {
        auto object = std::make_shared<Object>(scene.effectService);
        clone->copyPlacementTo(*object);
        object->layer = clone->layer + layerOffset;
        object->start = clone->start + frameOffset;
        object->end = clone->end + frameOffset;
        made.push_back(std::move(object));
    }
    GroupIdMap groups;
    bool first = true;
    for (std::size_t k = 0; k < objects.size(); ++k) {
        const ObjectPointer& clone = objects[k];
        const ObjectPointer& object = made[k];
        scene.createEmptyObject(object->layer, object->start, object->end) = object;
        EditCommand::record(edit, &Undo::UndoService::addObjectUndoCreate, object);
        if (clone->group) {
            EditCommand::record(edit, &Undo::UndoService::addObjectUndoGroup, object);
            object->setGroup(groups.groupOf(groups.numberOf(clone->group.get())));
        }
        if (focusFirst && first && scene.setFocusObject(object)) scope.notifyFocusChange = true;
        first = false;
    }
    extent.layerExtents.clear();
}

}  // namespace Edit
