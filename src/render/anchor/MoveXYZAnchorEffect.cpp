#include "effect/anchor/MoveXYZAnchorEffect.h"

#include "edit/model/Object.h"
#include "effect/anchor/AnchorList.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "render/anchor/AnchorContext.h"
#include "render/context/ObjectContext.h"

namespace Effect {

Anchor::Float4 MoveXYZAnchorEffect::getOffsets(const Render::ObjectContext& context) const {
    float offsets[3] = {0.0f, 0.0f, 0.0f};
    const auto& items = anchored();
    for (std::size_t i = 0; i < items.size() && i < 3; ++i) offsets[i] = static_cast<float>(items[i]->getValue(context));
    return {offsets[0], offsets[1], offsets[2], 1.0f};
}

OutputView MoveXYZAnchorEffect::getMovedView(Render::ObjectContext& context, const Anchor::Float4& offsets) {
    OutputView view = context.getOutputView();
    view.centerX = view.centerY = view.centerZ = 0.0f;
    view.x += offsets.x;
    view.y += offsets.y;
    view.z += offsets.z;
    return view;
}

void MoveXYZAnchorEffect::addMovedAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                                         const Anchor::Float4& offsets, std::uint32_t flags) {
    const OutputView view = getMovedView(context, offsets);
    const Media::Matrix4 m = view.getWorldViewMatrix();
    Anchor::AnchorItem& item = context.anchors->addLargeCircle(context.object, entry, index, 0, 0, 0, m, flags);
    item.matrix = view.getGroupViewMatrix();
    item.payload[0] = item.payload[1] = {view.x, view.y, view.z, 1.0f};
}

void MoveXYZAnchorEffect::drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int, int) {
    // filterVideo added this effect's own offsets to the view already.
    const Anchor::Float4 own = getOffsets(context);
    context.view.x -= own.x;
    context.view.y -= own.y;
    context.view.z -= own.z;
    setCurrentAnchor(context, entry, Anchor::AnchorIndex::AllSections, 0);
    if (!Render::isFocusObject(context) || !holdsSeveralValues()) return;
    for (int boundary = 0; boundary <= context.object->getMidPointCount() + 1; ++boundary)
        setSectionAnchor(context, entry, boundary, AnchorFlag::Boundary);
    drawMovementPath(context, entry);
}

void MoveXYZAnchorEffect::setCurrentAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                                           std::uint32_t flags) {
    const bool focused = Render::isFocusObject(context);
    const bool several = holdsSeveralValues();
    // An animated handle is worked through its boundaries.
    if (!focused || several) flags |= AnchorFlag::Hidden;
    const Anchor::Float4 offsets = getOffsets(context);
    addMovedAnchor(context, entry, index, offsets, flags);
    if (focused && several) {
        const OutputView view = getMovedView(context, offsets);
        addAnchorPoint(*context.anchors, entry, {0.0f, 0.0f, 0.0f, 1.0f}, view.getWorldViewMatrix());
    }
}

void MoveXYZAnchorEffect::setSectionAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary,
                                           std::uint32_t flags) {
    std::vector<int> indices;
    if (!getBoundaryValueIndices(boundary, context.object->getMidPointCount(), indices)) return;
    moveContextTo(context, getBoundaryFrame(*context.object, boundary));
    addMovedAnchor(context, entry, boundary, getBoundaryPosition(indices), flags);
}

Anchor::Float4 MoveXYZAnchorEffect::getAnchorPosition(Render::ObjectContext& context, double time) {
    moveContextTo(context, time);
    float offsets[3] = {0.0f, 0.0f, 0.0f};
    const auto& items = anchored();
    for (std::size_t i = 0; i < items.size() && i < 3; ++i)
        offsets[i] = static_cast<float>(items[i]->getValueAtTime(context, time));
    const OutputView view = getMovedView(context, {offsets[0], offsets[1], offsets[2], 1.0f});
    return Anchor::transformPosition(0, 0, 0, view.getWorldViewMatrix());
}

void MoveXYZAnchorEffect::dragAnchor(Anchor::AnchorEvent& event) {
    Anchor::Float4 position;
    if (!getDragPosition(event, position)) return;
    const Anchor::Float4 current = event.payload[1];
    const float deltas[3] = {position.x - current.x, position.y - current.y, position.z - current.z};
    moveAnchoredValues(event, deltas);
    event.payload[1] = position;
}

}  // namespace Effect
