#include "effect/anchor/MoveEffect.h"

#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "effect/anchor/AnchorList.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementBase.h"
#include "render/anchor/AnchorContext.h"
#include "render/context/ControlStateLookup.h"
#include "render/context/ObjectContext.h"

#include <cmath>

namespace Effect {

namespace {

Anchor::Float4 positionOf(const OutputView& view) { return {view.x, view.y, view.z, 1.0f}; }

}  // namespace

void MoveEffect::drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int width,
                                 int height) {
    noOutline = context.drawnDifferently || Render::getAnchorOptions().displayObjectCenterAnchor;
    std::uint32_t boundaryFlags = AnchorFlag::Boundary;
    std::uint32_t currentFlags = AnchorFlag::NotFilter;
    const GroupControlState* group = Render::getGroupControlState(context.view.groupControl.get());
    if (!context.view.cameraControl && (!context.view.groupControl || (group && group->snapAllowed))) {
        boundaryFlags |= AnchorFlag::Snap;
        currentFlags |= AnchorFlag::Snap | AnchorFlag::SnapSelected;
    }

    if (context.object->clipping && context.firstClippingObject) {
        const Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
        const bool visible = edit && edit->visibleClippingObject;
        context.anchors->addImage(context.object, entry, Anchor::AnchorIndex::ClippingView, visible ? 3 : 4);
    }

    setObjectAnchor(context, entry, width, height, currentFlags);

    if (!Render::isSettingObject(context) || !holdsSeveralValues()) return;
    for (int boundary = 0; boundary <= context.object->getMidPointCount() + 1; ++boundary)
        setBoundaryAnchor(context, entry, boundary, width, height, boundaryFlags);
    drawMovementPath(context, entry);
}

void MoveEffect::setObjectAnchor(Render::ObjectContext& context, const EffectPointer& entry, int width,
                                 int height, std::uint32_t flags) {
    OutputView view = context.getOutputView();
    const bool flat = !context.drawnDifferently;
    if (!flat) view.centerX = view.centerY = view.centerZ = 0.0f;
    const Media::Matrix4 m = view.getWorldViewMatrix();
    const bool focused = Render::isFocusObject(context);
    if (!focused || holdsSeveralValues()) flags |= AnchorFlag::Hidden;

    Anchor::AnchorList& list = *context.anchors;
    Anchor::AnchorItem& item =
        flat ? list.addRectangle(context.object, entry, Anchor::AnchorIndex::AllSections, width, height, m, flags)
             : list.addLargeCircle(context.object, entry, Anchor::AnchorIndex::AllSections, 0, 0, 0, m, flags);
    item.matrix = view.getGroupViewMatrix();
    item.payload[0] = item.payload[1] = positionOf(view);
    if (context.scene)
        item.payload[4] = {static_cast<float>(context.scene->width), static_cast<float>(context.scene->height),
                           0.0f, 0.0f};

    if (!focused) return;
    list.addPoint(entry.get(), Anchor::transformPosition(view.centerX, view.centerY, view.centerZ, m), nullptr);
    if (view.groupControl) {
        const Anchor::AnchorList::Color color = Render::getStyleColor("CenterGroup");
        list.addPoint(entry.get(), Anchor::transformPosition(0, 0, 0, view.getGroupViewMatrix()), &color);
    }
}

void MoveEffect::setBoundaryAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary,
                                   int width, int height, std::uint32_t flags) {
    const Edit::Object& object = *context.object;
    std::vector<int> indices;
    if (!getBoundaryValueIndices(boundary, object.getMidPointCount(), indices)) return;
    const int frame = getBoundaryFrame(object, boundary);
    moveContextTo(context, frame);

    Anchor::Float4 position = getBoundaryPosition(indices);
    position.x += context.view.x;
    position.y += context.view.y;
    position.z += context.view.z;
    OutputView view = context.getOutputView();
    if (noOutline) view.centerX = view.centerY = view.centerZ = 0.0f;
    view.x = position.x;
    view.y = position.y;
    view.z = position.z;
    const Media::Matrix4 m = view.getWorldViewMatrix();

    // Between boundaries a movement placed by path length is not at its
    // stored values, so the outline would lie.
    bool outline = !noOutline;
    if (outline && frame != object.start && frame != object.end)
        for (const EffectItemNumber* item : anchored())
            outline = outline && item->movement->valuesAtBoundaries;

    Anchor::AnchorList& list = *context.anchors;
    Anchor::AnchorItem& item = outline
                                   ? list.addRectangle(context.object, entry, boundary, width, height, m, flags)
                                   : list.addLargeCircle(context.object, entry, boundary, 0, 0, 0, m, flags);
    item.matrix = view.getGroupViewMatrix();
    item.payload[0] = item.payload[1] = position;
}

Anchor::Float4 MoveEffect::getAnchorPosition(Render::ObjectContext& context, double time) {
    moveContextTo(context, time);
    OutputView view = context.getOutputView();
    if (noOutline) view.centerX = view.centerY = view.centerZ = 0.0f;
    return Anchor::transformPosition(0, 0, 0, view.getWorldViewMatrix());
}

void MoveEffect::dragAnchor(Anchor::AnchorEvent& event) {
    Anchor::Float4 position = getDragPosition(event);
    const Anchor::Float4 current = event.payload[1];
    if (event.flags & AnchorFlag::AxisHandle) {
        const float factor = event.payload[2].x;
        const float deltas[3] = {event.flags & Anchor::AnchorItem::HandleX ? factor * (position.x - current.x) : 0,
                                 event.flags & Anchor::AnchorItem::HandleY ? factor * (position.y - current.y) : 0,
                                 event.flags & Anchor::AnchorItem::HandleZ ? factor * (position.z - current.z) : 0};
        moveAnchoredValues(event, deltas);
    } else {
        if ((event.flags & AnchorFlag::Snap) && Render::getAnchorOptions().anchorObjectMoveSnap)
            snapToObjects(event, position);
        const float deltas[3] = {position.x - current.x, position.y - current.y, position.z - current.z};
        moveAnchoredValues(event, deltas);
    }
    event.payload[1] = position;
}

void MoveEffect::snapToObjects(Anchor::AnchorEvent& event, Anchor::Float4& position) {
    Anchor::AnchorControlData* control = event.control;
    if (!control) return;
    const Anchor::AnchorItem* dragged = event.findItem();

    // How far the drag moves the anchor's points on the picture: from where
    // the shown anchor was drawn to the new position.
    const Media::Matrix4& m = dragged ? dragged->matrix : event.matrix;
    const Anchor::Float4 drawnAt = dragged ? dragged->payload[0] : event.payload[0];
    const Anchor::Float2 to = Anchor::toNormalised(Anchor::transform(position, m));
    const Anchor::Float2 from = Anchor::toNormalised(Anchor::transform(drawnAt, m));
    const Anchor::Float2 shift = {to.x - from.x, to.y - from.y};

    control->snapWork.clear();
    if (event.flags & AnchorFlag::SnapSelected) {
        for (const Anchor::SnapTarget& target : control->snapTargets)
            if (target.object && target.object->selected)
                control->snapWork.push_back({target.x + shift.x, target.y + shift.y});
    } else if (dragged) {
        for (const Anchor::Float2& point : dragged->points)
            control->snapWork.push_back({point.x + shift.x, point.y + shift.y});
    }

    const Anchor::AnchorControlData::Rect& picture = control->pictureRect;
    const float toleranceX = 8.0f / (std::max(1.0f, picture.right - picture.left) / 2.0f);
    const float toleranceY = 8.0f / (std::max(1.0f, picture.bottom - picture.top) / 2.0f);
    float correctionX = 0.0f, correctionY = 0.0f;
    for (const Anchor::Float2& point : control->snapWork) {
        for (const Anchor::SnapTarget& target : control->snapTargets) {
            if (target.object && (target.object == event.object.get() || target.object->selected)) continue;
            // The last qualifying pair decides, each axis on its own.
            if (std::fabs(target.x - point.x) < toleranceX) correctionX = target.x - point.x;
            if (std::fabs(target.y - point.y) < toleranceY) correctionY = target.y - point.y;
        }
    }
    position.x += correctionX * event.payload[4].x / 2.0f;
    position.y += correctionY * -event.payload[4].y / 2.0f;
}

}  // namespace Effect
