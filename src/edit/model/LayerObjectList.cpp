#include "edit/model/LayerObjectList.h"

#include <algorithm>
#include <cstdlib>

namespace Edit {

LayerObjectList::LayerObjectList(int index) : layer(std::make_shared<Layer>()) { layer->index = index; }

const ObjectPointer& LayerObjectList::emptyObject() {
    static const ObjectPointer empty;
    return empty;
}

LayerObjectList::ObjectList::const_iterator LayerObjectList::lowerBoundByEndFrame(int frame) const {
    return std::partition_point(objects.begin(), objects.end(),
                                [frame](const ObjectPointer& object) { return object->end < frame; });
}

LayerObjectList::ObjectList::const_iterator LayerObjectList::upperBoundByStartFrame(int frame) const {
    return std::partition_point(objects.begin(), objects.end(),
                                [frame](const ObjectPointer& object) { return object->start <= frame; });
}

const ObjectPointer& LayerObjectList::getObjectAtFrame(int frame) const {
    const auto found = lowerBoundByEndFrame(frame);
    if (found != objects.end() && (*found)->start <= frame) return *found;
    return emptyObject();
}

const ObjectPointer& LayerObjectList::findNearestObject(int a, int b) const {
    const int middle = (a + b) / 2;
    const ObjectPointer* nearest = &emptyObject();
    int best = 0;
    for (auto it = lowerBoundByEndFrame(a); it != objects.end() && (*it)->start <= b; ++it) {
        const int distance = std::min(std::abs((*it)->start - middle), std::abs((*it)->end - middle));
        if (!*nearest || distance < best) {
            nearest = &*it;
            best = distance;
        }
    }
    return *nearest;
}

const ObjectPointer& LayerObjectList::getPreviousObject(const Object& object) const {
    for (std::size_t i = 1; i < objects.size(); ++i)
        if (objects[i].get() == &object) return objects[i - 1];
    return emptyObject();
}

const ObjectPointer& LayerObjectList::getNextObject(const Object& object) const {
    for (std::size_t i = 0; i + 1 < objects.size(); ++i)
        if (objects[i].get() == &object) return objects[i + 1];
    return emptyObject();
}

std::shared_ptr<Layer> LayerObjectList::resetLayerSetting() {
    const int index = layer->index;
    layer->index = -1;
    layer = std::make_shared<Layer>();
    layer->index = index;
    return layer;
}

void LayerObjectList::removeObject(const Object& object) {
    std::erase_if(objects, [&object](const ObjectPointer& entry) { return entry.get() == &object; });
}

}  // namespace Edit
