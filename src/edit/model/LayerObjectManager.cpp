#include "edit/model/LayerObjectManager.h"

#include "core/base/Singleton.h"
#include "effect/registry/EffectDefine.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace Edit {

LayerObjectManager::LayerObjectManager(Effect::EffectService* service)
    : effectService(service ? service : System::Singleton<Effect::EffectService>::getInstance()) {
    layers_.push_back(std::make_unique<LayerObjectList>(0));
}

const LayerObjectList& LayerObjectManager::getLayerObjectList(int index) const {
    static const LayerObjectList empty(-1);
    if (index < 0 || index >= getLayerCount()) return empty;
    return *layers_[static_cast<std::size_t>(index)];
}

bool isActiveObject(const Object& object) {
    const auto& chain = object.effectList;
    if (chain.empty()) return false;
    if (chain.front()->effectType == Effect::EffectKind::Filter)
        return std::any_of(chain.begin(), chain.end(), [](const auto& effect) { return !effect->disable; });
    return !chain.front()->disable;
}

const ObjectPointer& LayerObjectManager::findObjectAtFrame(int layer, int frame, std::uint8_t mediaType) const {
    const LayerObjectList& list = getLayerObjectList(layer);
    if (list.getIndex() < 0 || list.layer->hide) return LayerObjectList::emptyObject();
    const ObjectPointer& object = list.getObjectAtFrame(frame);
    if (!object || !isActiveObject(*object)) return LayerObjectList::emptyObject();
    const std::uint8_t media = object->effectList.front()->mediaType;
    if (mediaType != 0 && media != mediaType && !isFitMedia(mediaType, media))
        return LayerObjectList::emptyObject();
    return object;
}

void LayerObjectManager::growLayer(int index) {
    while (getLayerCount() <= index) layers_.push_back(std::make_unique<LayerObjectList>(getLayerCount()));
}

LayerObjectList& LayerObjectManager::getLayerObjectListGrow(int index) {
    growLayer(index);
    return *layers_.at(static_cast<std::size_t>(index));
}

void LayerObjectManager::updateLayerObject() {
    lastLayer = 0;
    totalLength = 0;
    for (int k = 0; k < getLayerCount(); ++k) {
        LayerObjectList& list = *layers_[static_cast<std::size_t>(k)];
        if (list.reindexNeeded) {
            std::erase_if(list.objects, [k](const ObjectPointer& object) { return object->layer != k; });
            list.reindexNeeded = false;
        }
        if (list.sortNeeded) {
            std::stable_sort(list.objects.begin(), list.objects.end(),
                             [](const ObjectPointer& a, const ObjectPointer& b) { return a->start < b->start; });
            list.sortNeeded = false;
        }
        if (list.controlRangeNeeded) {
            list.controlRanges.clear();
            for (const ObjectPointer& object : list.objects) {
                if (!object->layerRangeControl || object->effectList.empty()) continue;
                const int count = object->effectList.front()->getLayerRange();
                list.controlRanges.push_back({object->start, object->end, count == 0 ? AllLayers : count});
            }
            list.controlRangeNeeded = false;
        }
        if (!list.objects.empty()) {
            totalLength = std::max(totalLength, list.objects.back()->end);
            lastLayer = k;
        }
    }
}

void LayerObjectManager::enumControlObject(int layer, int from, int to, const ControlCallback& callback) const {
    for (int i = 0; i < std::min(layer, getLayerCount()); ++i) {
        const auto& ranges = layers_[static_cast<std::size_t>(i)]->controlRanges;
        auto it = std::partition_point(ranges.begin(), ranges.end(),
                                       [from](const LayerControlRange& range) { return range.end < from; });
        for (; it != ranges.end() && it->start <= to; ++it) {
            // Counts near the int limit must not wrap.
            const long long reach = static_cast<long long>(i) + it->layerCount;
            if (reach >= layer) callback(it->start, it->end, reach == layer);
        }
    }
}

void LayerObjectManager::clearLayer() {
    for (const auto& list : layers_)
        for (const ObjectPointer& object : list->objects) object->layer = -1;
    layers_.clear();
    layers_.push_back(std::make_unique<LayerObjectList>(0));
    updateLayerObject();
}

void LayerObjectManager::swapLayers(int a, int b) {
    auto& first = layers_[static_cast<std::size_t>(a)];
    auto& second = layers_[static_cast<std::size_t>(b)];
    std::swap(first, second);
    std::swap(first->layer->index, second->layer->index);
    for (const ObjectPointer& object : first->objects) object->layer = a;
    for (const ObjectPointer& object : second->objects) object->layer = b;
}

bool LayerObjectManager::moveLayer(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= getLayerCount() || to >= getLayerCount()) return false;
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to; i += step) swapLayers(i, i + step);
    return true;
}

std::shared_ptr<Layer>& LayerObjectManager::insertLayer(int index, std::shared_ptr<Layer> settings) {
    const int spare = lastLayer + 1;
    growLayer(std::max(spare, index));
    moveLayer(spare, index);
    LayerObjectList& list = *layers_[static_cast<std::size_t>(index)];
    if (settings) {
        list.layer->index = -1;
        list.layer = std::move(settings);
        list.layer->index = index;
    } else {
        list.resetLayerSetting();
    }
    return list.layer;
}

std::shared_ptr<Layer> LayerObjectManager::deleteLayer(int index) {
    LayerObjectList& list = getLayerObjectListGrow(index);
    for (const ObjectPointer& object : list.objects) object->layer = -1;
    list.objects.clear();
    list.controlRanges.clear();
    // Only the layers up to the last used one close up; an emptied layer
    // beyond it stays where it is.
    const int position = index < lastLayer ? lastLayer : index;
    moveLayer(index, position);
    return layers_[static_cast<std::size_t>(position)]->resetLayerSetting();
}

ObjectPointer& LayerObjectManager::createEmptyObject(int layer, int start, int end) {
    LayerObjectList& list = getLayerObjectListGrow(layer);
    auto object = std::make_shared<Object>(effectService);
    object->layer = layer;
    object->start = start;
    object->end = end;
    list.objects.push_back(std::move(object));
    list.sortNeeded = true;
    list.controlRangeNeeded = true;
    return list.objects.back();
}

ObjectPointer& LayerObjectManager::createObject(const wchar_t* effectName, int layer, int start, int end) {
    LayerObjectList& list = getLayerObjectListGrow(layer);
    list.sortNeeded = true;
    auto made = std::make_shared<Object>(effectService);
    made->layer = layer;
    made->start = start;
    made->end = end;
    list.objects.push_back(made);
    try {
        Effect::EffectDefine& define = effectService->findEffect(effectName);
        EffectManager::EffectPointer& effect = made->setEffectByDefine(define);
        effect->setItemData(define.getDefaultSetting());
        EffectManager::setEffectSectionNum(*effect, made->getMidPointCount() + 1);
    } catch (...) {
        made->layer = -1;
        list.removeObject(*made);
        throw;
    }
    if (made->isControlObject()) list.controlRangeNeeded = true;
    return list.objects.back();
}

void LayerObjectManager::moveObjectLayer(const ObjectPointer& object, int layer) {
    growLayer(layer);
    const bool control = object->isControlObject();
    if (object->layer >= 0 && object->layer < getLayerCount()) {
        LayerObjectList& old = *layers_[static_cast<std::size_t>(object->layer)];
        old.reindexNeeded = true;
        old.controlRangeNeeded |= control;
    }
    object->layer = layer;
    LayerObjectList& list = *layers_[static_cast<std::size_t>(layer)];
    list.sortNeeded = true;
    list.controlRangeNeeded |= control;
    list.objects.push_back(object);
}

std::pair<int, int> LayerObjectManager::freeSpaceAround(const Object& object) const {
    int previousEnd = INT_MIN;
    int nextStart = INT_MAX;
    for (const ObjectPointer& other : getLayerObjectList(object.layer).objects) {
        if (other.get() == &object || other->layer != object.layer) continue;
        if (other->end < object.start) previousEnd = std::max(previousEnd, other->end);
        if (other->start > object.end) nextStart = std::min(nextStart, other->start);
    }
    return {previousEnd, nextStart};
}

void LayerObjectManager::markChanged(const Object& object) {
    if (object.layer < 0 || object.layer >= getLayerCount()) return;
    LayerObjectList& list = *layers_[static_cast<std::size_t>(object.layer)];
    list.sortNeeded = true;
    list.controlRangeNeeded |= object.isControlObject();
}

void LayerObjectManager::fitObjectLength(Object& object, int length, bool fromEnd) {
    if (!object.boundaries.empty()) return;
    const int d = length < 2 ? 0 : length - 1;
    if (d == object.end - object.start) return;
    const auto [previousEnd, nextStart] = freeSpaceAround(object);
    if (d < object.end - object.start) {
        if (fromEnd)
            object.start = object.end - d;
        else
            object.end = object.start + d;
    } else if (fromEnd) {
        object.start = previousEnd == INT_MIN ? object.end - d : std::max(object.end - d, previousEnd + 1);
    } else {
        object.end = nextStart == INT_MAX ? object.start + d : std::min(object.start + d, nextStart - 1);
    }
}

void LayerObjectManager::setObjectLength(Object& object, int length) {
    const int nextStart = freeSpaceAround(object).second;
    long long wanted = static_cast<long long>(object.start) + length - 1;
    if (nextStart != INT_MAX) wanted = std::min<long long>(wanted, nextStart - 1);
    const int newEnd = static_cast<int>(std::clamp<long long>(wanted, INT_MIN, INT_MAX));
    if (newEnd == object.end) return;
    const float x = static_cast<float>(newEnd - object.start) /
                    static_cast<float>(std::max(object.end - object.start, 1));
    int previous = 0;
    for (int& boundary : object.boundaries) {
        boundary = std::max(previous + 1, static_cast<int>(std::trunc(static_cast<float>(boundary) * x)));
        previous = boundary;
    }
    const int last = object.boundaries.empty() ? 0 : object.boundaries.back();
    object.end = std::max(newEnd, object.start + last + 1);
    markChanged(object);
}

void LayerObjectManager::setSectionLength(Object& object, int section, int length) {
    if (section < 0 || section > object.getMidPointCount()) return;
    // A section keeps at least one frame, so the boundaries stay increasing.
    length = std::max(length, 1);
    const int nextStart = freeSpaceAround(object).second;
    const int a = object.getKeyFrame(section);
    const int c = object.getKeyFrame(section + 1);
    int newEnd = object.end + (a + length - c);
    if (nextStart != INT_MAX) newEnd = std::min(newEnd, nextStart - 1);
    const int delta = newEnd - object.end;
    for (std::size_t i = static_cast<std::size_t>(section); i < object.boundaries.size(); ++i)
        object.boundaries[i] += delta;
    object.end = newEnd;
    markChanged(object);
}

}  // namespace Edit
