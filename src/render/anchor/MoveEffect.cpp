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

#include <algorithm>
#include <cmath>

namespace Effect {

namespace {

Anchor::Float4 positionOf(const OutputView& view) { return {view.x, view.y, view.z, 1.0f}; }

// Snapping corrects in normalised picture units; the drag needs them in
// scene pixels.
void storeSceneSize(const Render::ObjectContext& context, Anchor::AnchorItem& item) {
    if (context.scene)
        item.payload[4] = {static_cast<float>(context.scene->width), static_cast<float>(context.scene->height),
                           0.0f, 0.0f};
}

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

    if (!Render::isSettingObject(context)) return;
    setEditHandles(context, entry, width, height);
    if (!holdsSeveralValues()) return;
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
    storeSceneSize(context, item);

    if (!focused) return;
    list.addPoint(entry.get(), Anchor::transformPosition(view.centerX, view.centerY, view.centerZ, m), nullptr);
    if (view.groupControl) {
        const Anchor::AnchorList::Color color = Render::getStyleColor("CenterGroup");
        list.addPoint(entry.get(), Anchor::transformPosition(0, 0, 0, view.getGroupViewMatrix()), &color);
    }
    // The camera's focus axes go through the focused object.
    if (CameraControlState* camera = Render::getCameraControlState(view.cameraControl.get())) {
        Anchor::Float4 p = {view.x, view.y, view.z, 1.0f};
        if (const GroupControlState* group = Render::getGroupControlState(view.groupControl.get()))
            p = Anchor::transform(p, group->worldMatrix);
        camera->focusMarker = {p.x, p.y, p.z, 1.0f};
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
    const bool outline = !noOutline && (frame == object.start || frame == object.end ||
                                        valuesReachBoundaries(getSizeItem(object)));

    Anchor::AnchorList& list = *context.anchors;
    Anchor::AnchorItem& item = outline
                                   ? list.addRectangle(context.object, entry, boundary, width, height, m, flags)
                                   : list.addLargeCircle(context.object, entry, boundary, 0, 0, 0, m, flags);
    item.matrix = view.getGroupViewMatrix();
    item.payload[0] = item.payload[1] = position;
    storeSceneSize(context, item);
}

EffectItemNumber* MoveEffect::getSizeItem(const Edit::Object& object) const {
    if (effectType == EffectKind::Output && !object.effectList.empty() &&
        object.effectList.front()->mediaType == MediaKind::Video) {
        auto* size = dynamic_cast<EffectItemNumber*>(object.effectList.front()->findItem(L"サイズ"));
        if (size && size->movement == DefaultMovement::noMove) return size;
    }
    return zoomItem;
}

bool MoveEffect::valuesReachBoundaries(const EffectItemNumber* size) const {
    if (size && !size->movement->valuesAtBoundaries) return false;
    for (const EffectItemNumber* item : anchored())
        if (!item->movement->valuesAtBoundaries) return false;
    return true;
}

void MoveEffect::setEditHandles(Render::ObjectContext& context, const EffectPointer& entry, int width,
                                int height) {
    const Edit::Object& object = *context.object;
    const int section = Render::getSettingSection(context);
    std::vector<int> indices;
    if (!getBoundaryValueIndices(section, object.getMidPointCount(), indices)) return;
    if (holdsSeveralValues()) moveContextTo(context, getBoundaryFrame(object, section));

    int index = Anchor::AnchorIndex::AllSections;
    if (context.frame == object.end) index = object.getMidPointCount() + 1;
    else if (context.sectionPosition.offset == 0.0) index = context.sectionPosition.index;

    OutputView view = context.getOutputView();
    const Media::Float3 p = {view.x, view.y, view.z};
    const Media::Matrix4 g = view.getGroupViewMatrix();
    Anchor::AnchorList& list = *context.anchors;

    if (context.view.cameraControl) {
        struct Axis {
            Media::Float3 direction;
            std::uint32_t flags;
        };
        static constexpr Axis axes[3] = {{{1, 0, 0}, 0x100004}, {{0, 1, 0}, 0x100008}, {{0, 0, 1}, 0x100010}};
        const Anchor::Float4 origin = Anchor::transformPosition(p.x, p.y, p.z, g);
        for (const Axis& axis : axes) {
            const Media::Float3 end = {p.x - 40 * axis.direction.x, p.y - 40 * axis.direction.y,
                                       p.z - 40 * axis.direction.z};
            list.addHandle(origin, Anchor::transformPosition(end.x, end.y, end.z, g), context.object, entry, index,
                           p.x, p.y, p.z, g, axis.flags);
        }
    }

    EffectItemNumber* size = getSizeItem(object);
    if (!size || noOutline || !size->isOnKeyFrame(context)) return;
    if (context.frame != object.start && context.frame != object.end && !valuesReachBoundaries(size)) return;
    const float scale = static_cast<float>(size->getValue(context) * 0.01);
    using namespace Transform;
    Media::Matrix4 mu = multiply(scaling(scale, scale, scale), Transform::rotationZ(view.rotationZ));
    mu = multiply(mu, Transform::rotationY(view.rotationY));
    mu = multiply(mu, Transform::rotationX(view.rotationX));
    mu = multiply(mu, translation(p.x, p.y, p.z));
    // The box is centred on the position: no offset; w keeps the scale the
    // drag starts from.
    const Anchor::Float4 offset = {0.0f, 0.0f, 0.0f, scale};
    const std::size_t first = list.items.size();
    list.addResizeHandles(context.object, entry, index, width, height, p, offset, mu, multiply(mu, g), g,
                          size == zoomItem ? 0u : static_cast<std::uint32_t>(Anchor::AnchorItem::ResizeSize));
    // P1 keeps the anchored values the drag starts from.
    const auto& items = anchored();
    const Anchor::Float4 start = {static_cast<float>(items[0]->getValue(context)),
                                  static_cast<float>(items[1]->getValue(context)),
                                  static_cast<float>(items[2]->getValue(context)), 0.0f};
    for (std::size_t i = first; i < list.items.size(); ++i) list.items[i].payload[1] = start;
}

Anchor::Float4 MoveEffect::getAnchorPosition(Render::ObjectContext& context, double time) {
    moveContextTo(context, time);
    OutputView view = context.getOutputView();
    if (noOutline) view.centerX = view.centerY = view.centerZ = 0.0f;
    return Anchor::transformPosition(0, 0, 0, view.getWorldViewMatrix());
}

void MoveEffect::dragAnchor(Anchor::AnchorEvent& event) {
    if (event.flags & AnchorFlag::ScaleHandle) {
        scaleDrag(event);
        return;
    }
    Anchor::Float4 position;
    if (!getDragPosition(event, position)) return;
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

void MoveEffect::scaleDrag(Anchor::AnchorEvent& event) {
    // Payload of a corner: P0 the corner, P1 the anchored values at the
    // start, P2 the opposite corner, P3 the offset of the position from the
    // box centre (w: the scale at the start), P4 the box centre.
    const Anchor::AnchorItem::Payload& payload = event.payload;
    Anchor::AnchorControlData::Rect picture;
    if (event.control) picture = event.control->pictureRect;
    const float halfWidth = std::max(1.0f, picture.right - picture.left) / 2.0f;
    const float halfHeight = std::max(1.0f, picture.bottom - picture.top) / 2.0f;
    auto onPicture = [&](const Anchor::Float4& position) {
        const Anchor::Float2 n = Anchor::toNormalised(Anchor::transform(position, event.matrix));
        return Anchor::Float2{n.x * halfWidth, -n.y * halfHeight};
    };
    const Anchor::Float2 centre = onPicture(payload[4]);
    const Anchor::Float2 a = onPicture(payload[0]);
    const Anchor::Float2 b = {a.x + static_cast<float>(event.x), a.y + static_cast<float>(event.y)};
    const float ax = a.x - centre.x, ay = a.y - centre.y;
    const float bx = b.x - centre.x, by = b.y - centre.y;
    const float from = std::max(std::hypot(ax, ay), 16.0f);
    // Through the centre the box keeps its smallest size.
    const float ratio = ax * bx + ay * by > 0.0f ? std::max(std::hypot(bx, by), 16.0f) / from : 16.0f / from;

    const int midPoints = event.object ? event.object->getMidPointCount() : 0;
    if (EffectItemNumber* size = event.object ? getSizeItem(*event.object) : zoomItem)
        size->setAnchorValue(event.index, midPoints, ratio * payload[3].w * 100.0);
    // The opposite corner stays where it is.
    const float start[3] = {payload[1].x, payload[1].y, payload[1].z};
    const float corner[3] = {payload[0].x, payload[0].y, payload[0].z};
    const float opposite[3] = {payload[2].x, payload[2].y, payload[2].z};
    const float offset[3] = {payload[3].x, payload[3].y, payload[3].z};
    const float centreNow[3] = {payload[4].x, payload[4].y, payload[4].z};
    const auto& items = anchored();
    for (std::size_t i = 0; i < items.size() && i < 3; ++i) {
        const float position = opposite[i] + 0.5f * ratio * (corner[i] - opposite[i]) + ratio * offset[i];
        items[i]->setAnchorValue(event.index, midPoints, start[i] + position - (centreNow[i] + offset[i]));
    }
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
