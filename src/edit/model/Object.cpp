#include "edit/model/Object.h"

#include "edit/model/LayerObjectManager.h"

#include <algorithm>
#include <utility>

namespace Edit {

namespace {

const Effect::EffectItemNumber::CapturedValue* find(const EffectManager::NumberValueMap* values,
                                                    const Effect::EffectItemNumber& item) {
    if (!values) return nullptr;
    const auto found = values->find(&item);
    return found == values->end() ? nullptr : &found->second;
}

}  // namespace

std::vector<std::shared_ptr<Object>> Group::getObjectList(const LayerObjectManager& layers) const {
    std::vector<std::shared_ptr<Object>> list;
    for (Object* member : members) {
        if (member->layer == -1) continue;
        for (const ObjectPointer& object : layers.getLayerObjectList(member->layer).objects)
            if (object.get() == member) {
                list.push_back(object);
                break;
            }
    }
    return list;
}

Object::Object(Effect::EffectService* service) : EffectManager(service) {}

Object::~Object() { releaseGroup(); }

int Object::getKeyFrame(int key) const {
    if (key <= 0) return start;
    if (key > getMidPointCount()) return end;
    return start + boundaries[static_cast<std::size_t>(key) - 1];
}

bool Object::canAddSection(int frame) const {
    for (int s = getSectionIndex(frame); s <= getMidPointCount(); ++s)
        if (getSectionLength(s) >= 2) return true;
    return false;
}

bool Object::isInsideSection(int frame) const {
    const int section = getSectionIndex(frame);
    const int d = frame - getKeyFrame(section);
    return d > 0 && d < getSectionLength(section);
}

void Object::addSection(int frame, const NumberValueMap* values) {
    int section = getSectionIndex(frame);
    while (section <= getMidPointCount() && getSectionLength(section) <= 1) ++section;
    if (section > getMidPointCount()) return;
    frame = std::clamp(frame, getKeyFrame(section) + 1, getKeyFrame(section + 1) - 1);
    boundaries.insert(boundaries.begin() + section, frame - start);
    forEachNumber([&](Effect::EffectItemNumber& item) {
        item.insertSectionValue(section, find(values, item));
    });
}

void Object::removeSection(int key) {
    if (key < 1 || key > getMidPointCount()) return;
    forEachNumber([&](Effect::EffectItemNumber& item) { item.removeSectionValue(key); });
    boundaries.erase(boundaries.begin() + (key - 1));
}

void Object::copyPlacementTo(Object& target) const {
    target.clipping = clipping;
    target.camera = camera;
    target.layer = layer;
    target.start = start;
    target.end = end;
    target.boundaries = boundaries;
    copyEffectList(target);
}

bool Object::splitObject(int frame, Object& first, Object& second, const Scene& scene) const {
    if (!(start < frame && frame <= end)) return false;
    copyPlacementTo(first);
    copyPlacementTo(second);
    const NumberValueMap before = first.captureNumberValues(scene, first, frame - 1, true);
    const NumberValueMap after = second.captureNumberValues(scene, second, frame, true);
    const int endKey = getMidPointCount() + 1;
    first.forEachNumber([&](Effect::EffectItemNumber& item) { item.setSectionValue(endKey, find(&before, item)); });
    second.forEachNumber([&](Effect::EffectItemNumber& item) { item.setSectionValue(0, find(&after, item)); });
    for (int k = getMidPointCount(); k >= 1; --k) {
        const int position = start + boundaries[static_cast<std::size_t>(k) - 1];
        if (position >= frame - 1) first.removeSection(k);
        if (position <= frame) second.removeSection(k);
    }
    first.end = frame - 1;
    second.start = frame;
    for (int& boundary : second.boundaries) boundary -= frame - start;
    return true;
}

bool Object::joinObject(Object& previous) const {
    if (previous.layer != layer || previous.end + 1 != start) return false;
    const NumberValueMap ownEnd = captureBoundaryValues(*this, getMidPointCount() + 1, &previous);
    const NumberValueMap previousEnd =
        previous.captureBoundaryValues(previous, previous.getMidPointCount() + 1, nullptr);
    previous.end = end;
    previous.addSection(start, &previousEnd);
    const int endKey = previous.getMidPointCount() + 1;
    previous.forEachNumber([&](Effect::EffectItemNumber& item) { item.setSectionValue(endKey, find(&ownEnd, item)); });
    return true;
}

void Object::setGroup(std::shared_ptr<Group> newGroup) {
    releaseGroup();
    group = std::move(newGroup);
    if (group) group->members.insert(this);
}

void Object::releaseGroup() {
    if (!group) return;
    group->members.erase(this);
    group.reset();
}

}  // namespace Edit
