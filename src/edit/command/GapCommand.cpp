#include "edit/command/GapCommand.h"

#include "edit/command/CommandSupport.h"

#include <algorithm>

namespace Edit::EditCommand {

namespace {

int lengthOf(const std::pair<int, int>& gap) { return gap.second - gap.first + 1; }

}  // namespace

void closeGaps(EditService& service, Scene& scene, GapTable gaps) {
    for (auto& [layer, list] : gaps) {
        if (list.empty()) continue;
        std::sort(list.begin(), list.end());
        const LayerObjectList& objects = scene.getLayerObjectList(layer);
        // The shifts change frames, not the order, so the walk keeps its place.
        const std::vector<ObjectPointer> moving(objects.lowerBoundByEndFrame(list.front().second),
                                                objects.objects.cend());
        int shift = -lengthOf(list.front());
        std::size_t next = 1;
        for (const ObjectPointer& object : moving) {
            while (next < list.size() && list[next].second < object->end) shift -= lengthOf(list[next++]);
            shiftObject(service, scene, object, shift);
        }
    }
}

void closeObjectGaps(EditService& service, Scene& scene, const std::vector<ObjectPointer>& objects) {
    scene.updateLayerObject();
    GapTable gaps;
    for (const ObjectPointer& object : objects) gaps[object->layer].emplace_back(object->start, object->end);
    closeGaps(service, scene, std::move(gaps));
}

}  // namespace Edit::EditCommand
