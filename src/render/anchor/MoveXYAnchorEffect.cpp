#include "effect/anchor/MoveXYAnchorEffect.h"

#include "edit/model/Object.h"
#include "effect/anchor/AnchorList.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "render/anchor/AnchorContext.h"
#include "render/context/ObjectContext.h"

namespace Effect {

Media::Matrix4 MoveXYAnchorEffect::getAnchorMatrix(Render::ObjectContext& context) {
    OutputView view = context.getOutputView();
    view.centerX = view.centerY = view.centerZ = 0.0f;
    return view.getWorldViewMatrix();
}

void MoveXYAnchorEffect::drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int, int) {
    setCurrentAnchor(context, entry, Anchor::AnchorIndex::AllSections, 0);
    if (!Render::isFocusObject(context) || !holdsSeveralValues()) return;
    for (int boundary = 0; boundary <= context.object->getMidPointCount() + 1; ++boundary)
        setSectionAnchor(context, entry, boundary, AnchorFlag::Boundary);
    drawMovementPath(context, entry);
}

void MoveXYAnchorEffect::setCurrentAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                                          std::uint32_t flags) {
    const auto& items = anchored();
    const Anchor::Float4 position = {static_cast<float>(items[0]->getValue(context)),
                                     static_cast<float>(items[1]->getValue(context)), 0.0f, 1.0f};
    const Media::Matrix4 m = getAnchorMatrix(context);
    const bool focused = Render::isFocusObject(context);
    const bool several = holdsSeveralValues();
    if (!focused || several) flags |= AnchorFlag::Hidden;
    if (effectType != EffectKind::Filter) flags |= AnchorFlag::NotFilter;
    Anchor::AnchorItem& item = addAnchor(*context.anchors, context.object, entry, index, position, m, flags);
    item.matrix = m;
    item.payload[0] = item.payload[1] = position;
    if (focused && several) addAnchorPoint(*context.anchors, entry, position, m);
}

void MoveXYAnchorEffect::setSectionAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary,
                                          std::uint32_t flags) {
    std::vector<int> indices;
    if (!getBoundaryValueIndices(boundary, context.object->getMidPointCount(), indices)) return;
    moveContextTo(context, getBoundaryFrame(*context.object, boundary));
    Anchor::Float4 position = getBoundaryPosition(indices);
    position.z = 0.0f;
    const Media::Matrix4 m = getAnchorMatrix(context);
    Anchor::AnchorItem& item = addAnchor(*context.anchors, context.object, entry, boundary, position, m, flags);
    item.matrix = m;
    item.payload[0] = item.payload[1] = position;
}

Anchor::Float4 MoveXYAnchorEffect::getAnchorPosition(Render::ObjectContext& context, double time) {
    moveContextTo(context, time);
    const auto& items = anchored();
    return Anchor::transformPosition(static_cast<float>(items[0]->getValue(context)),
                                     static_cast<float>(items[1]->getValue(context)), 0.0f,
                                     getAnchorMatrix(context));
}

void MoveXYAnchorEffect::dragAnchor(Anchor::AnchorEvent& event) {
    Anchor::Float4 position;
    if (!getDragPosition(event, position)) return;
    const Anchor::Float4 current = event.payload[1];
    position.z = current.z;
    const float deltas[2] = {position.x - current.x, position.y - current.y};
    moveAnchoredValues(event, deltas);
    event.payload[1] = position;
}

}  // namespace Effect
