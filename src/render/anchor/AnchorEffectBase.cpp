// The common handle machinery of anchor effects: which effects draw, the
// section-boundary rules, the movement path, the events and the drag step.
#include "effect/anchor/AnchorEffectBase.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "effect/anchor/AnchorGeometry.h"
#include "effect/anchor/AnchorList.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementBase.h"
#include "render/anchor/AnchorContext.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>

namespace Effect {

namespace {

[[noreturn]] void notImplemented(const char* place) { throw System::makeException(place, "not implement."); }

}  // namespace

void AnchorEffectBase::drawAnchor(Render::ObjectContext& context, int width, int height) {
    if (lock || !context.anchors || !context.object || !context.scene) return;
    const Edit::Object& object = *context.object;
    const auto& layer = context.scene->getLayerObjectList(object.layer).layer;
    if (layer && layer->lock) return;
    const EffectPointer entry = Render::findEffectEntry(object, *this);
    if (!entry) return;
    if (effectType == EffectKind::Filter && !Render::isFocusObject(context)) return;

    const double time = context.time;
    const float x = context.view.x, y = context.view.y, z = context.view.z;
    drawAnchorItems(context, entry, width, height);
    context.time = time;
    context.frame = static_cast<int>(std::floor(time));
    context.view.x = x;
    context.view.y = y;
    context.view.z = z;
    context.updateSectionPosition();
}

bool AnchorEffectBase::anchorEvent(Anchor::AnchorEvent& event) {
    switch (event.kind) {
    case Anchor::AnchorEvent::Drag:
        dragAnchor(event);
        return true;
    case Anchor::AnchorEvent::Click:
        if (event.index == Anchor::AnchorIndex::ClippingView) {
            if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
                edit->visibleClippingObject = !edit->visibleClippingObject;
        } else if (event.index < Anchor::AnchorIndex::AllSections && event.object) {
            Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
            if (edit && edit->hooks.getSettingObject && edit->hooks.getSettingObject() &&
                edit->hooks.setSettingFrame)
                edit->hooks.setSettingFrame(getBoundaryFrame(*event.object, event.index));
        }
        return true;
    case Anchor::AnchorEvent::DoubleClick:
        if ((event.flags & AnchorFlag::Boundary) && event.index >= 0 &&
            event.index < Anchor::AnchorIndex::AllSections && event.object) {
            if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
                edit->setCurrentFrame(getBoundaryFrame(*event.object, event.index));
        }
        return true;
    default:
        return false;
    }
}

void AnchorEffectBase::drawAnchorItems(Render::ObjectContext&, const EffectPointer&, int, int) {
    notImplemented("Effect::AnchorEffectBase::drawAnchorItems");
}

void AnchorEffectBase::dragAnchor(Anchor::AnchorEvent&) { notImplemented("Effect::AnchorEffectBase::dragAnchor"); }

Anchor::AnchorItem& AnchorEffectBase::addAnchor(Anchor::AnchorList& list, const ObjectPointer& object,
                                                const EffectPointer& entry, int index,
                                                const Anchor::Float4& position, const Media::Matrix4& m,
                                                std::uint32_t flags) {
    if (effectType == EffectKind::Filter)
        return list.addCircle(object, entry, index, position.x, position.y, position.z, m, flags);
    return list.addLargeCircle(object, entry, index, position.x, position.y, position.z, m, flags);
}

void AnchorEffectBase::setCurrentAnchor(Render::ObjectContext&, const EffectPointer&, int, std::uint32_t) {
    notImplemented("Effect::AnchorEffectBase::setCurrentAnchor");
}

void AnchorEffectBase::setSectionAnchor(Render::ObjectContext&, const EffectPointer&, int, std::uint32_t) {
    notImplemented("Effect::AnchorEffectBase::setSectionAnchor");
}

Anchor::Float4 AnchorEffectBase::getAnchorPosition(Render::ObjectContext&, double) {
    notImplemented("Effect::AnchorEffectBase::getAnchorPosition");
}

void AnchorEffectBase::addAnchorPoint(Anchor::AnchorList& list, const EffectPointer& entry,
                                      const Anchor::Float4& position, const Media::Matrix4& m) {
    const Anchor::Float4 clip = Anchor::transformPosition(position.x, position.y, 0.0f, m);
    if (effectType == EffectKind::Filter) {
        const Anchor::AnchorList::Color color = Render::getStyleColor("Anchor");
        list.addPoint(entry.get(), clip, &color);
    } else {
        list.addPoint(entry.get(), clip, nullptr);
    }
}

const std::vector<EffectItemNumber*>& AnchorEffectBase::anchored() const {
    static const std::vector<EffectItemNumber*> none;
    return anchorItems ? anchorItems->members : none;
}

bool AnchorEffectBase::holdsSeveralValues() const {
    for (const EffectItemNumber* item : anchored())
        if (item->values.size() > 1) return true;
    return false;
}

bool AnchorEffectBase::getBoundaryValueIndices(int boundary, int midPoints, std::vector<int>& indices) const {
    const int last = midPoints + 1;
    std::size_t largest = 0;
    for (const EffectItemNumber* item : anchored()) largest = std::max(largest, item->values.size());
    // Values that do not line up with the boundaries have no inner anchors.
    if (boundary > 0 && boundary < last && largest > 1 && static_cast<int>(largest) != midPoints + 2) return false;

    indices.clear();
    bool used = false;
    for (const EffectItemNumber* item : anchored()) {
        const int count = static_cast<int>(item->values.size());
        int index;
        if (count < 2 || boundary < 1) index = 0;
        else if (boundary >= last) index = count - 1;
        else if (count == midPoints + 2) index = boundary;
        else return false;
        indices.push_back(index);
        used = used || item->movement->isValueUsed(*item, index);
    }
    return used;
}

Anchor::Float4 AnchorEffectBase::getBoundaryPosition(const std::vector<int>& indices) const {
    float position[3] = {0.0f, 0.0f, 0.0f};
    const auto& items = anchored();
    for (std::size_t i = 0; i < items.size() && i < 3; ++i) {
        const EffectItemNumber& item = *items[i];
        position[i] = static_cast<float>(static_cast<double>(item.values[item.clampValueIndex(indices[i])]) /
                                         item.scale);
    }
    return {position[0], position[1], position[2], 1.0f};
}

void AnchorEffectBase::moveContextTo(Render::ObjectContext& context, double time) {
    context.frame = static_cast<int>(std::floor(time));
    context.time = time;
    context.updateSectionPosition();
}

int AnchorEffectBase::getBoundaryFrame(const Edit::Object& object, int boundary) {
    if (boundary <= 0) return object.start;
    if (boundary > object.getMidPointCount()) return object.end;
    return object.start + object.boundaries[boundary - 1];
}

void AnchorEffectBase::drawMovementPath(Render::ObjectContext& context, const EffectPointer& entry) {
    if (!holdsSeveralValues()) return;
    bool usesMidPoints = false;
    for (const EffectItemNumber* item : anchored()) {
        if (!item->movement->hasPath(*item)) return;
        if (!(item->flags & EffectItemNumber::IgnoreMidPoints)) usesMidPoints = true;
    }
    const Edit::Object& object = *context.object;
    const int segments = usesMidPoints ? 32 * (object.getMidPointCount() + 1) : 64;
    const double start = object.start;
    const double length = object.end - object.start;
    const bool dots = Render::getAnchorOptions().displayObjectMovePoint;

    std::vector<Anchor::Float4> points;
    points.reserve(segments + 1 + object.getMidPointCount());
    // The path passes through every mid-point's key; the last sample is the
    // end's key, so nothing is sampled past it.
    const int midPoints = object.getMidPointCount();
    int midPoint = 0;
    for (int j = 0; j <= segments; ++j) {
        const Anchor::Float4 position = getAnchorPosition(context, start + j * length / segments);
        points.push_back(position);
        if (dots && j % 4 == 0) context.anchors->addDot(entry.get(), position);
        if (j == segments) break;
        const double next = start + (j + 1) * length / segments;
        while (midPoint < midPoints && next >= start + object.boundaries[midPoint]) {
            points.push_back(getAnchorPosition(context, start + object.boundaries[midPoint]));
            ++midPoint;
        }
    }
    context.anchors->addPolyline(entry.get(), points.data(), static_cast<int>(points.size()), nullptr);
}

bool AnchorEffectBase::getDragPosition(const Anchor::AnchorEvent& event, Anchor::Float4& position) {
    position = Anchor::unprojectScreenDelta(event, event.payload[0], event.matrix, static_cast<float>(event.x),
                                            static_cast<float>(event.y));
    return std::isfinite(position.x) && std::isfinite(position.y) && std::isfinite(position.z) &&
           std::isfinite(position.w);
}

void AnchorEffectBase::moveAnchoredValues(const Anchor::AnchorEvent& event, const float* deltas) const {
    const int midPoints = event.object ? event.object->getMidPointCount() : 0;
    const auto& items = anchored();
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->moveAnchorValue(event.index, midPoints, deltas[i]);
}

}  // namespace Effect
