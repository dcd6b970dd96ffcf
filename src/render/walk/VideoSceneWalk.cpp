#include "render/walk/VideoSceneWalk.h"

#include "edit/model/Scene.h"
#include "effect/base/ControlState.h"
#include "effect/base/EffectBase.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/ResourceService.h"
#include "render/context/ControlStateLookup.h"
#include "render/service/RenderVideoWorker.h"

#include <algorithm>
#include <cwchar>

namespace Render {

namespace Kind = Effect::EffectKind;
namespace MediaKind = Effect::MediaKind;

namespace {

constexpr int objectTask = static_cast<int>(RenderTaskType::ObjectTask);
constexpr int sceneChangeKeyOffset = 1000000000;
// The clip composite's blend: source × src1.a + frame × (1 - src1.a).
constexpr int blendDualSource = 6;
constexpr int blendOver = 0;

bool isVideo(std::uint8_t media) { return media == MediaKind::Video || media == MediaKind::VideoAudio; }

bool hasName(const Effect::EffectBase& effect, const wchar_t* name) {
    return effect.name && std::wcscmp(effect.name, name) == 0;
}

int layerRange(const Edit::Object& control) {
    const int range = control.effectList.front()->getLayerRange();
    return range == 0 ? Edit::LayerObjectManager::AllLayers : range;
}

const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};

}  // namespace

// The clip target the clipping objects draw into, and the frame as it was
// when the clip opened; filled by the clip's start task.
struct VideoSceneWalk::ClipState {
    explicit ClipState(Media::Direct3DService& direct3D)
        : target(direct3D.pixelFormat, Media::RenderBuffer::SampleDesc{}) {}
    Media::RenderBuffer target;
    std::unique_ptr<Media::ResourceBuffer> snapshot;
};

void RenderVideoWorker::renderScene(Edit::Scene& scene, int frame, Media::RenderBuffer& target, ResourceCache& cache,
                                    Anchor::AnchorList* anchors, int frameOffset, int lastLayer,
                                    bool sceneChangeKey) {
    VideoSceneWalk(*this, {scene, frame, target, cache, anchors, frameOffset, lastLayer, sceneChangeKey}).run();
}

VideoSceneWalk::VideoSceneWalk(RenderVideoWorker& worker, const Arguments& arguments)
    : worker_(worker), arguments_(arguments), startFrame_(arguments.frame), startTime_(arguments.frame) {
    context_.scene = &arguments.scene;
    context_.frame = arguments.frame;
    context_.time = arguments.frame;
    context_.frameOffset = arguments.frameOffset;
    context_.view.target = &arguments.target;
    context_.anchors = arguments.anchors;
    context_.cache = &arguments.cache;
    context_.previousImage = &worker.previousImage();
    context_.firstCameraPass = 1;
    context_.firstClippingObject = 1;
    if (arguments.anchors) {
        context_.cameraGrid = worker.cameraGrid != 0;
        context_.cameraFreeView = worker.cameraFreeView != 0;
    }
}

int VideoSceneWalk::governedEnd(const Edit::Object& control) {
    return control.layerRangeControl ? control.layer + layerRange(control) : control.layer;
}

void VideoSceneWalk::postStart() {
    Media::RenderBuffer* const target = &arguments_.target;
    const int width = arguments_.scene.width;
    const int height = arguments_.scene.height;
    worker_.objectWorker().pushTask(objectTask, [target, width, height] {
        target->createTexture2D(width, height, Media::RenderBuffer::Contents::Undefined);
        target->clearLater(transparent);
    });
}

void VideoSceneWalk::run() {
    postStart();
    const int key = arguments_.scene.id + (arguments_.sceneChangeKey ? sceneChangeKeyOffset : 0);
    RenderWorkerBase::RenderSection section(worker_, key);
    if (section.refused()) return;

    const int last = std::min(arguments_.scene.lastLayer, arguments_.lastLayer);
    for (int i = 0; i <= last; ++i) walkLayer(i);
    cameraPass();
    clipFlush();

    std::unique_ptr<Media::ResourceBuffer>* const previous = &worker_.previousImage();
    worker_.objectWorker().pushTask(objectTask, [previous] { previous->reset(); });
}

void VideoSceneWalk::walkLayer(int i) {
    // Ends exactly as in the audio walk, so picture and sound agree: a time
    // control on layer 0 that governs only its own layer ends at layer 1.
    if (timeControlActive_ && timeControlEnd_ < i) {
        context_.frame = startFrame_;
        context_.time = startTime_;
        timeControlActive_ = false;
        timeControlEnd_ = 0;
    }
    const Edit::LayerObjectList& list = arguments_.scene.getLayerObjectList(i);
    if (list.layer->hide) return;
    const Edit::ObjectPointer object = list.getObjectAtFrame(context_.frame);
    if (!object || object->effectList.empty()) return;
    if (!Edit::isActiveObject(*object) || !isVideo(object->effectList.front()->mediaType)) return;

    context_.layer = i;
    if (!groups_.empty()) {
        std::erase_if(groups_, [i](const GroupEntry& entry) { return entry.endLayer < i; });
        context_.view.groupControl = groups_.empty() ? nullptr : groups_.back().object;
    }
    if (const Edit::ObjectPointer& camera = context_.view.cameraControl)
        if (camera->layer + layerRange(*camera) < i) cameraPass();
    if (clipEnd_ != 0 && clipEnd_ < i) clipFlush();

    switch (object->effectList.front()->effectType) {
    case Kind::Control: walkControl(object); break;
    case Kind::Input: walkInput(object); break;
    default: break;  // filter objects apply with the object before them
    }
}

void VideoSceneWalk::walkControl(const Edit::ObjectPointer& object) {
    if (clip_ && clipEnd_ == 0) clipEnd_ = governedEnd(*object);
    Effect::EffectBase& control = *object->effectList.front();
    if (dynamic_cast<Effect::GroupControlState*>(&control)) {
        if (Effect::GroupControlState* group = getGroupControlState(object.get()))
            group->parentLayer = context_.view.groupControl ? context_.view.groupControl->layer : -1;
        worker_.renderControlObject(context_, object);
        context_.view.groupControl = object;
        groups_.push_back({object, object->layer + layerRange(*object)});
    } else if (dynamic_cast<Effect::CameraControlState*>(&control)) {
        cameraPass();
        worker_.renderControlObject(context_, object);
        context_.view.cameraControl = object;
    } else if (dynamic_cast<Effect::TimeControlState*>(&control)) {
        if (timeControlActive_) {
            context_.frame = startFrame_;
            context_.time = startTime_;
        }
        context_.setObject(object);
        control.preloadVideo(context_);
        timeControlActive_ = true;
        timeControlEnd_ = governedEnd(*object);
    } else {
        worker_.renderControlObject(context_, object);
    }
}

void VideoSceneWalk::walkInput(const Edit::ObjectPointer& object) {
    if (object->effectList.size() < 2 || !isVideo(object->effectList[1]->mediaType)) return;
    if (object->clipping) {
        clipObject(object);
        return;
    }
    if (clip_ && clipEnd_ == 0) clipEnd_ = governedEnd(*object);
    if (context_.view.cameraControl) {
        CameraEntry entry{context_, object};
        entry.context.setObject(object);
        cameraQueue_.push_back(std::move(entry));
        return;
    }
    worker_.renderObject(context_, object);
}

float VideoSceneWalk::depthKey(const Effect::OutputView& view) {
    const Effect::Transform::Float4 p = Effect::Transform::transform({0, 0, 0, 1}, view.getWorldViewMatrix());
    float key = p.z > 0.0f ? p.z / p.w : p.z;
    if (view.alpha < 1.0f || view.blendMode != 0) key -= 10000.0f;
    return key;
}

void VideoSceneWalk::cameraPass() {
    const Edit::ObjectPointer camera = context_.view.cameraControl;
    if (!camera) return;
    std::vector<CameraEntry> depth;
    std::vector<CameraEntry> flat;
    for (CameraEntry& entry : cameraQueue_) {
        const Edit::Object& object = *entry.object;
        const bool depthEntry = object.camera && !object.clipping &&
                                !hasName(*object.effectList[1], L"基本出力");
        if (!depthEntry) entry.context.view.cameraControl.reset();
        (depthEntry ? depth : flat).push_back(std::move(entry));
    }
    cameraQueue_.clear();
    if (!depth.empty()) {
        // The camera and group matrices are written by their control tasks:
        // let every task posted so far run before the keys read them.
        worker_.objectWorker().waitAllTasks();
        for (CameraEntry& entry : depth)
            entry.key = depthKey(entry.object->effectList[1]->getOutputView(entry.context));
        // Queue order breaks ties, so frames repeat.
        std::stable_sort(depth.begin(), depth.end(),
                         [](const CameraEntry& a, const CameraEntry& b) { return a.key > b.key; });
    }
    for (CameraEntry& entry : depth) worker_.renderObject(entry.context, entry.object);
    worker_.renderControlObject(context_, camera);
    context_.view.cameraControl.reset();
    context_.firstCameraPass = 0;
    for (CameraEntry& entry : flat) worker_.renderObject(entry.context, entry.object);
}

void VideoSceneWalk::clipObject(const Edit::ObjectPointer& object) {
    if (!clip_) {
        clip_ = std::make_shared<ClipState>(*worker_.direct3D);
        clipEnd_ = 0;
        Media::RenderBuffer* const frame = &arguments_.target;
        worker_.objectWorker().pushTask(objectTask, [clip = clip_, frame] {
            const UINT width = std::min<UINT>(static_cast<UINT>(frame->getWidth()), Media::ResourceBuffer::maxSide);
            const UINT height = std::min<UINT>(static_cast<UINT>(frame->getHeight()), Media::ResourceBuffer::maxSide);
            if (!clip->snapshot || clip->snapshot->getWidth() != width || clip->snapshot->getHeight() != height)
                clip->snapshot = std::make_unique<Media::ResourceBuffer>(width, height);
            if (width > 0 && height > 0 && frame->getTexture())
                clip->snapshot->getTexture()->copyFrom(*frame->getTexture(), 0, 0, static_cast<GLsizei>(width),
                                                       static_cast<GLsizei>(height), 0, 0,
                                                       "Render::RenderVideoWorker::renderScene");
            clip->target.createTexture2D(frame->getWidth(), frame->getHeight(),
                                         Media::RenderBuffer::Contents::Undefined);
            clip->target.clearLater(transparent);
        });
    }
    ObjectContext clipped = context_;
    clipped.view.target = &clip_->target;
    worker_.renderObject(clipped, object);
    context_.firstClippingObject = 0;
}

void VideoSceneWalk::clipFlush() {
    if (!clip_) return;
    Media::RenderBuffer* const frame = &arguments_.target;
    RenderVideoWorker* const worker = &worker_;
    const bool tint = context_.anchors && worker_.visibleClippingObject != 0;
    worker_.objectWorker().pushTask(objectTask, [clip = clip_, frame, worker, tint] {
        if (!clip->snapshot || !clip->snapshot->getTexture() || !clip->target.getTexture()) return;
        Media::Direct3DService& direct3D = *worker->direct3D;
        Resource::ResourceService& resources = Resource::ResourceService::Get();
        Platform::Gl::Texture* sources[] = {&clip->snapshot->getShaderResourceView(),
                                            &clip->target.createShaderResourceView()};
        direct3D.setRenderTarget(*frame);
        worker->clipCompositeShader().drawPass(sources, 2, nullptr,
                                               resources.blendStateList.get(blendDualSource), nullptr);
        if (tint) {
            // The clipping shapes over the frame in the mask colour.
            Resource::ShaderList::ColorConstant color{};
            std::copy(worker->clippingMaskColor.begin(), worker->clippingMaskColor.end(), color.color);
            resources.shaderList.setConstant(color);
            Platform::Gl::Texture* shape[] = {&clip->target.createShaderResourceView()};
            resources.shaderList.general(Resource::ShaderList::Silhouette)
                .drawPass(shape, 1, resources.shaderList.getConstantBuffer(),
                          resources.blendStateList.get(blendOver), nullptr);
        }
        direct3D.unsetRenderTargets();
    });
    clip_.reset();
    clipEnd_ = 0;
}

}  // namespace Render
