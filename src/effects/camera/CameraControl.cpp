#include "effects/camera/CameraControl.h"

#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "effect/base/TransformMatrix.h"
#include "effect/movement/MovementBase.h"
#include "effects/camera/CameraGuides.h"
#include "effects/control/ControlCategory.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/RenderBuffer.h"
#include "render/context/ObjectContext.h"

#include <cmath>

namespace Effect {

using namespace Transform;

namespace {

bool isVideo(std::uint8_t media) { return media == MediaKind::Video || media == MediaKind::VideoAudio; }

float frameWidth(const Render::ObjectContext& context) {
    if (context.view.target) return static_cast<float>(context.view.target->getWidth());
    return context.scene ? static_cast<float>(context.scene->width) : 1.0f;
}

float frameHeight(const Render::ObjectContext& context) {
    if (context.view.target) return static_cast<float>(context.view.target->getHeight());
    return context.scene ? static_cast<float>(context.scene->height) : 1.0f;
}

// The effect that says whether an object counts as a target: its first
// effect, or for a filter object its first enabled one.
const EffectBase* leadingEffect(const Edit::Object& object) {
    if (object.effectList.empty()) return nullptr;
    const EffectBase* first = object.effectList.front().get();
    if (first->effectType != EffectKind::Filter) return first;
    for (const auto& effect : object.effectList)
        if (!effect->disable) return effect.get();
    return first;
}

}  // namespace

CameraControl::CommonResource::CommonResource() {
    // Registries made without a GPU (file tools, tests) draw nothing.
    if (System::Singleton<Media::Direct3DService>::getInstance()) guides = std::make_unique<CameraGuides>();
}

CameraControl::CommonResource::~CommonResource() = default;

CameraControl::CameraControl()
    : SharedResourceEffect(Name, EffectKind::Control, MediaKind::Video, MediaKind::Video, objectControlCategory),
      x(items, L"X", 0, -100000, 100000, 0.01),
      y(items, L"Y", 0, -100000, 100000, 0.01),
      z(items, L"Z", -1024, -100000, 100000, 0.01),
      group(items, L"Group", {&x, &y, &z}, true),
      targetX(items, L"目標X", 0, -100000, 100000, 0.01),
      targetY(items, L"目標Y", 0, -100000, 100000, 0.01),
      targetZ(items, L"目標Z", 0, -100000, 100000, 0.01),
      targetGroup(items, L"Group2", {&targetX, &targetY, &targetZ}, true),
      targetLayer(items, 0, 0, 1000, 1),
      tilt(items, L"傾き", 0, -3600, 3600, 0.01),
      fieldOfView(items, L"視野角", 0, 0, 120, 0.01),
      layerRange(items, L"対象レイヤー数", 0) {
    anchorItems = &group;
    targetLayer.valueBoxText = L"---";
    fieldOfView.valueBoxText = L"既定値";
    targetType = MediaKind::Camera;
}

CameraControl::~CameraControl() = default;

OutputView CameraControl::getOutputView(Render::ObjectContext& context) {
    OutputView view = context.view;
    view.x += static_cast<float>(x.getValue(context));
    view.y += static_cast<float>(y.getValue(context));
    view.z += static_cast<float>(z.getValue(context));
    return view;
}

float CameraControl::focalDistance(float fieldOfView, float height) {
    if (!(fieldOfView > 0.0f)) return 1024.0f;
    return height * 0.5f / std::tan(fieldOfView * 0.5f * 0.017453292f);
}

Media::Matrix4 CameraControl::viewMatrix(const Block& block) {
    Media::Float3 target = block.target;
    if (target.x == block.eye.x && target.y == block.eye.y && target.z == block.eye.z) target.z += 1.0f;
    const Media::Matrix4 lookTo = Media::lookToMatrix(block.eye, target - block.eye, {0.0f, 1.0f, 0.0f});
    return multiply(lookTo, rotationZ(block.tilt));
}

Media::Matrix4 CameraControl::projectionMatrix(float d, float width, float height) {
    return {2.0f * d / width, 0, 0, 0, 0, -2.0f * d / height, 0, 0, 0, 0, 0, 1, 0, 0, d / 20.0f, 0};
}

void CameraControl::frameCorners(const Block& block, float width, float height, Media::Float3 corners[4]) {
    const Media::Matrix4 back = inverse(viewMatrix(block));
    const float w = width * 0.5f, h = height * 0.5f, d = block.focal;
    const Float4 viewCorners[4] = {{-w, -h, d, 1}, {w, -h, d, 1}, {w, h, d, 1}, {-w, h, d, 1}};
    for (int i = 0; i < 4; ++i) {
        const Float4 p = transform(viewCorners[i], back);
        corners[i] = {p.x, p.y, p.z};
    }
}

CameraControl::Block CameraControl::freeViewBlock(const Edit::Scene& scene) {
    const Edit::Scene::CameraView& c = scene.camera;
    Block free;
    free.eye = {c[0], c[1], c[2]};
    free.target = {c[4], c[5], c[6]};
    free.tilt = c[12];
    free.focal = c[13];
    return free;
}

bool CameraControl::isRelativeTarget(const Edit::Object& camera) const {
    if (targetLayer.movement != DefaultMovement::noMove || targetLayer.values.empty() || targetLayer.scale == 0)
        return false;
    return targetLayer.values.front() / targetLayer.scale == camera.layer + 1;
}

Media::Float3 CameraControl::targetPoint(Render::ObjectContext& context) {
    const Media::Float3 offset = {static_cast<float>(targetX.getValue(context)),
                                  static_cast<float>(targetY.getValue(context)),
                                  static_cast<float>(targetZ.getValue(context))};
    if (context.object && isRelativeTarget(*context.object)) {
        const Media::Float3 eye = {static_cast<float>(x.getValue(context)), static_cast<float>(y.getValue(context)),
                                   static_cast<float>(z.getValue(context))};
        return eye + offset;
    }
    return targetObjectPosition(context) + offset;
}

Media::Float3 CameraControl::targetObjectPosition(Render::ObjectContext& context) {
    EffectItemNumber* hidden[3] = {&targetLayer.x, &targetLayer.y, &targetLayer.z};
    const std::size_t count = targetLayer.values.size();
    for (EffectItemNumber* item : hidden) {
        item->movement = targetLayer.movement;
        item->params = targetLayer.params;
        item->curve = targetLayer.curve;
        item->flags = targetLayer.flags;
        item->values.assign(count, 0);
    }
    Render::ObjectContext copy = context;
    copy.view = OutputView{};
    copy.view.target = context.view.target;
    copy.anchors = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const int layer = targetLayer.scale != 0 ? targetLayer.values[i] / targetLayer.scale : 0;
        if (layer < 1 || !context.scene || layer - 1 >= context.scene->getLayerCount()) continue;
        const Edit::ObjectPointer found = context.scene->findObjectAtFrame(layer - 1, context.frame, 0);
        if (!found) continue;
        const EffectBase* lead = leadingEffect(*found);
        if (!lead || lead->disable || !isVideo(lead->mediaType)) continue;
        if (found->effectList.front()->effectType != EffectKind::Input || found->effectList.size() < 2) continue;
        copy.setObject(found);
        const OutputView view = found->effectList[1]->getOutputView(copy);
        hidden[0]->setValue(view.x, static_cast<int>(i));
        hidden[1]->setValue(view.y, static_cast<int>(i));
        hidden[2]->setValue(view.z, static_cast<int>(i));
    }
    return {static_cast<float>(hidden[0]->getValue(context)), static_cast<float>(hidden[1]->getValue(context)),
            static_cast<float>(hidden[2]->getValue(context))};
}

CameraControl::Block CameraControl::usedBlock(const Render::ObjectContext& context) const {
    if (freeView && context.scene) return freeViewBlock(*context.scene);
    return block;
}

void CameraControl::controlVideo(Render::ObjectContext& context) {
    // Nothing the camera draws is placed by a group control.
    context.view.groupControl.reset();
    if (context.object && context.view.cameraControl == context.object) complete(context);
    else setUp(context);
}

void CameraControl::setUp(Render::ObjectContext& context) {
    context.view.cameraControl = context.object;
    scene_ = context.scene;
    freeView = context.cameraFreeView && context.anchors;
    block.eye = {static_cast<float>(x.getValue(context)), static_cast<float>(y.getValue(context)),
                 static_cast<float>(z.getValue(context))};
    block.target = targetPoint(context);
    block.tilt = static_cast<float>(tilt.getValue(context));
    block.focal = focalDistance(static_cast<float>(fieldOfView.getValue(context)), frameHeight(context));

    // The camera lights add their records now.
    context.collectFilterObjects(MediaKind::Camera);
    context.preloadVideo();

    Block used = usedBlock(context);
    const Media::Matrix4 view = viewMatrix(used);
    if (used.target.x == used.eye.x && used.target.y == used.eye.y && used.target.z == used.eye.z)
        used.target.z += 1.0f;
    viewProjectionMatrix = multiply(view, projectionMatrix(used.focal, frameWidth(context), frameHeight(context)));
    direction = used.target - used.eye;
    target = used.target;
    focusMarker = {};
    // The anchors are added once, by the second call.
    context.anchors = nullptr;
}

void CameraControl::complete(Render::ObjectContext& context) {
    Media::RenderBuffer* frame = context.view.target;
    if (!frame) return;
    const float width = frameWidth(context), height = frameHeight(context);
    const Block used = usedBlock(context);
    if (!frame->getLights().empty()) {
        Media::Float3 corners[4];
        frameCorners(used, width, height, corners);
        const Float4 e = transform({0, 0, 0, 1}, inverse(viewMatrix(used)));
        const Media::Float3 eye = {e.x, e.y, e.z};
        for (Media::Float3& corner : corners) corner = Media::normalise(eye - corner);
        output_.drawCameraLighting(context, *frame, corners);
    }
    if (context.anchors) drawGuides(context);
    output_.drawCameraPass(*frame);
    // The walk calls this when the range has ended, on a later layer.
    if (context.object) context.layer = context.object->layer;
    context.collectFilterObjects(MediaKind::Camera);
    context.controlFilterVideo();
}

}  // namespace Effect
