// The camera control's side of an editing preview: its guides, its handles
// and the drag that orbits, pans and dollies the camera.
#include "core/base/Singleton.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "effect/anchor/AnchorGeometry.h"
#include "effect/anchor/AnchorList.h"
#include "effect/base/TransformMatrix.h"
#include "effects/camera/CameraControl.h"
#include "effects/camera/CameraDrag.h"
#include "effects/camera/CameraGuides.h"
#include "media/gpu/RenderBuffer.h"
#include "render/anchor/AnchorContext.h"
#include "render/context/ObjectContext.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"

#include <cmath>

namespace Effect {

namespace {

using Transform::Float4;
using Color = CameraGuides::Color;

constexpr std::uint32_t kCameraAnchorFlags = 0x40000000;
constexpr float kAxisReach = 1000000.0f;
// The camera-grid dialog's limits; beyond them the grid is not drawn.
constexpr float kGridMinimumStep = 1.0f;
constexpr float kGridMaximumRange = 100000.0f;

Float4 point(Media::Float3 p) { return {p.x, p.y, p.z, 1.0f}; }
Media::Float3 point(const Float4& p) { return {p.x, p.y, p.z}; }

bool keyHeld(int key) { return Platform::getKeyState(key) < 0; }

bool sameObject(const Render::ObjectContext& context) {
    return context.scene && context.object && context.scene->focusObject == context.object;
}

}  // namespace

void CameraControl::drawGuides(Render::ObjectContext& context) {
    if (!common || !common->guides || !context.view.target) return;
    CameraGuides& guides = *common->guides;
    const Media::Matrix4& m = viewProjectionMatrix;
    guides.begin(*context.view.target);

    const Edit::Scene* scene = context.scene;
    if (context.cameraGrid && scene) {
        const float s = scene->gridStep, range = scene->gridRange;
        if (std::isfinite(s) && std::isfinite(range) && s >= kGridMinimumStep && range <= kGridMaximumRange) {
            guides.setColor({0.4f, 0.4f, 0.4f, 0.8f});
            for (float v = -range; v <= range; v += s) {
                guides.drawLine(m, {v, 0.0f, -range}, {v, 0.0f, range}, 1.0f);
                guides.drawLine(m, {-range, 0.0f, v}, {range, 0.0f, v}, 1.0f);
            }
        }
    }

    if (sameObject(context)) focusMarker = {block.target.x, block.target.y, block.target.z, 1.0f};
    if (focusMarker[3] > 0.0f) {
        const Media::Float3 c = {focusMarker[0], focusMarker[1], focusMarker[2]};
        struct Axis {
            Media::Float3 direction;
            Color color;
        };
        static const Axis axes[3] = {{{1, 0, 0}, {0.4f, 0.15f, 0.15f, 0.4f}},
                                     {{0, 0, 1}, {0.15f, 0.15f, 0.4f, 0.4f}},
                                     {{0, 1, 0}, {0.1f, 0.2f, 0.1f, 0.4f}}};
        for (const Axis& axis : axes) {
            const Media::Float3 reach = {axis.direction.x * kAxisReach, axis.direction.y * kAxisReach,
                                         axis.direction.z * kAxisReach};
            guides.setColor(axis.color);
            guides.drawLine(m, c - reach, c + reach, 1.5f);
        }
    }

    if (freeView) {
        const float width = static_cast<float>(context.view.target->getWidth());
        const float height = static_cast<float>(context.view.target->getHeight());
        Media::Float3 corners[4];
        frameCorners(block, width, height, corners);
        const Media::Float3 eye = block.eye;
        guides.setColor({1.0f, 1.0f, 1.0f, 0.8f});
        guides.drawLine(m, eye, block.target, 1.5f);
        for (int i = 0; i < 4; ++i) guides.drawLine(m, corners[i], corners[(i + 1) % 4], 1.0f);
        for (const Media::Float3& corner : corners) guides.drawLine(m, eye, corner, 1.5f);
        const auto vertex = [](Media::Float3 p, float shade) {
            return Media::XYZ_COL{p.x, p.y, p.z, shade, shade, shade, 0.3f};
        };
        const Media::Float3 &tl = corners[0], &tr = corners[1], &br = corners[2], &bl = corners[3];
        const Media::XYZ_COL sides[3][3] = {{vertex(eye, 0), vertex(tl, 0), vertex(tr, 0)},
                                            {vertex(eye, 0), vertex(tr, 0), vertex(br, 0)},
                                            {vertex(eye, 0), vertex(bl, 0), vertex(tl, 0)}};
        for (const auto& side : sides) guides.drawTriangle(m, side);
        const Media::XYZ_COL bottom[3] = {vertex(eye, 1), vertex(br, 1), vertex(bl, 1)};
        guides.drawTriangle(m, bottom);
    }
    guides.end();
}

void CameraControl::drawAnchor(Render::ObjectContext& context, int width, int height) {
    if (lock || !context.anchors || !context.object || !context.scene) return;
    const Edit::Object& object = *context.object;
    const auto& layer = context.scene->getLayerObjectList(object.layer).layer;
    if (layer && layer->lock) return;
    const EffectPointer entry = Render::findEffectEntry(object, *this);
    if (!entry) return;
    Anchor::AnchorList& list = *context.anchors;

    const Block shown = freeView ? freeViewBlock(*context.scene) : block;
    const Media::Float3 eye = freeView ? shown.eye : block.eye;
    const Media::Float3 aim = freeView ? shown.target : block.target;

    if (sameObject(context))
        list.addPoint(entry.get(), Anchor::transform(point(block.target), viewProjectionMatrix), nullptr);

    if (context.firstCameraPass) {
        int icon = 0;
        if (!freeView) icon = group.isOnKeyFrame(context) && targetGroup.isOnKeyFrame(context) ? 1 : 2;
        list.addImage(context.object, entry, Anchor::AnchorIndex::CameraViewMode, icon);
    }

    int index = Anchor::AnchorIndex::AllSections;
    if (context.frame == object.end) index = object.getMidPointCount() + 1;
    else if (context.sectionPosition.offset == 0.0) index = context.sectionPosition.index;
    const CameraOrbit orbit = orbitOf(eye, aim);
    const bool relative = !freeView && isRelativeTarget(object);
    Anchor::AnchorItem camera(Anchor::AnchorItem::CameraView, kCameraAnchorFlags, context.object, entry, index);
    camera.matrix = viewProjectionMatrix;
    camera.payload[0] = {static_cast<float>(targetX.getValue(context)), static_cast<float>(targetY.getValue(context)),
                         static_cast<float>(targetZ.getValue(context)), 1.0f};
    camera.payload[1] = point(aim);
    camera.payload[2] = {orbit.pitch, orbit.yaw, orbit.distance, relative ? 1.0f : 0.0f};
    list.items.push_back(std::move(camera));

    if (freeView) {
        const double time = context.time;
        const int frame = context.frame;
        MoveEffect::drawAnchorItems(context, entry, width, height);
        context.time = time;
        context.frame = frame;
        context.updateSectionPosition();
    }
    context.drawCameraFilterAnchor(width, height);
}

bool CameraControl::anchorEvent(Anchor::AnchorEvent& event) {
    switch (event.kind) {
    case Anchor::AnchorEvent::Click:
        if (event.index == Anchor::AnchorIndex::CameraViewMode) {
            if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
                Edit::EditCommand::setCameraFreeView(*edit, !freeView);
            return true;
        }
        return MoveEffect::anchorEvent(event);
    case Anchor::AnchorEvent::RightDrag:
        cameraDrag(event);
        return true;
    default:
        return MoveEffect::anchorEvent(event);
    }
}

void CameraControl::cameraDrag(Anchor::AnchorEvent& event) {
    Anchor::AnchorItem::Payload& fields = event.payload;
    const bool shift = keyHeld(Platform::VK::SHIFT), control = keyHeld(Platform::VK::CONTROL);
    const int midPoints = event.object ? event.object->getMidPointCount() : 0;
    const bool allowed = cameraDragAllowed(event.index, midPoints, {&group, &targetGroup});
    const auto panDelta = [&] {
        return point(Anchor::unprojectScreenDelta(event, {0, 0, 0, 1}, event.matrix, static_cast<float>(-event.dx),
                                                  static_cast<float>(-event.dy)));
    };

    if (fields[2].w != 0.0f) {
        if (!allowed) return;
        Media::Float3 delta;
        if (control) {
            Media::Float3 n = Media::normalise(point(fields[0]));
            if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) n = {0.0f, 0.0f, 1.0f};
            const float step = -8.0f * static_cast<float>(event.dy);
            delta = {n.x * step, n.y * step, n.z * step};
        } else {
            delta = panDelta();
        }
        const float deltas[3] = {delta.x, delta.y, delta.z};
        moveAnchoredValues(event, deltas);
        return;
    }

    Media::Float3 offset = point(fields[0]);
    Media::Float3 aim = point(fields[1]);
    CameraOrbit orbit = {fields[2].x, fields[2].y, fields[2].z};
    if (shift) {
        const Media::Float3 delta = panDelta();
        offset = offset + delta;
        aim = aim + delta;
    } else {
        orbit = dragOrbit(orbit, event.dx, event.dy, control);
    }
    const Media::Float3 eye = orbitEye(orbit, aim);

    if (freeView) {
        const Media::Float3 kept = freeViewTarget(eye, aim);
        if (scene_) {
            Edit::Scene::CameraView& view = scene_->camera;
            view[0] = eye.x, view[1] = eye.y, view[2] = eye.z, view[3] = 1.0f;
            view[4] = kept.x, view[5] = kept.y, view[6] = kept.z, view[7] = 1.0f;
        }
    } else {
        if (!allowed) {
            event.refused = true;
            return;
        }
        x.setAnchorValue(event.index, midPoints, eye.x);
        y.setAnchorValue(event.index, midPoints, eye.y);
        z.setAnchorValue(event.index, midPoints, eye.z);
        if (shift) {
            targetX.setAnchorValue(event.index, midPoints, offset.x);
            targetY.setAnchorValue(event.index, midPoints, offset.y);
            targetZ.setAnchorValue(event.index, midPoints, offset.z);
        }
    }
    // The next step goes on from here, not from where the drag began.
    fields[0] = point(offset);
    fields[1] = point(aim);
    fields[2] = {orbit.pitch, orbit.yaw, orbit.distance, 0.0f};
}

}  // namespace Effect
