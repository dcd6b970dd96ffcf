#include "render/service/RenderVideoWorker.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/event/EventCommand.h"
#include "core/file/SettingService.h"
#include "edit/scope/EditReadScope.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectBase.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/image/ImageBuffer.h"
#include "platform/gl/DxgiFormat.h"
#include "render/cache/CacheService.h"
#include "render/context/ObjectContext.h"
#include "render/service/ResourceCache.h"

#include "embedded/embedded_ClipComposite_frag.h"

#include <chrono>
#include <cstring>
#include <utility>

namespace Render {

namespace {

int taskKey(RenderTaskType type) { return static_cast<int>(type); }

// Sets a rendering buffer's event when the last holder lets go: after the
// task that keeps it ran, or when the task was dropped unrun.
class SetWhenReleased {
public:
    explicit SetWhenReleased(std::shared_ptr<RenderVideoWorker::RenderingBuffer> buffer) : buffer_(std::move(buffer)) {}
    ~SetWhenReleased() { buffer_->set(); }
    SetWhenReleased(const SetWhenReleased&) = delete;
    SetWhenReleased& operator=(const SetWhenReleased&) = delete;

private:
    std::shared_ptr<RenderVideoWorker::RenderingBuffer> buffer_;
};

// Calls a scene picture's callback exactly once: with the picture, or
// empty when the task that would deliver it is dropped unrun.
class SceneImageDelivery {
public:
    explicit SceneImageDelivery(RenderVideoWorker::SceneImageCallback done) : done_(std::move(done)) {}
    ~SceneImageDelivery() {
        if (done_) done_(nullptr);
    }
    SceneImageDelivery(const SceneImageDelivery&) = delete;
    SceneImageDelivery& operator=(const SceneImageDelivery&) = delete;

    void deliver(std::shared_ptr<Media::ImageBuffer> picture) {
        auto done = std::move(done_);
        done_ = nullptr;
        done(std::move(picture));
    }

private:
    RenderVideoWorker::SceneImageCallback done_;
};

}  // namespace

// The walk's tasks point into the target and the cache: when the walk
// raises, they run out before the caller lets those go.
void RenderVideoWorker::walkScene(Edit::Scene& scene, int frame, Media::RenderBuffer& target, ResourceCache& cache,
                                  Anchor::AnchorList* anchors, int frameOffset, int lastLayer,
                                  bool sceneChangeKey) {
    try {
        renderScene(scene, frame, target, cache, anchors, frameOffset, lastLayer, sceneChangeKey);
    } catch (...) {
        objectThread_.waitAllTasks();
        throw;
    }
}

RenderVideoWorker::RenderVideoWorker(Edit::EditService* editService, int objectQueueBound)
    : RenderWorkerBase("RenderVideoWorker"),
      direct3D(&Media::Direct3DService::Get()),
      editService(editService ? editService : System::Singleton<Edit::EditService>::getInstance()) {
    // Both values are required of the configuration files; without the
    // setting service (tests) the shipped values hold.
    std::array<float, 4> mask{1.0f, 0.0f, 0.0f, 96.0f / 255.0f};
    if (const auto* settings = System::Singleton<Setting::SettingService>::getInstance()) {
        temporaryImageCacheSize = settings->config.getValue("TemporaryImageCacheSize").toInt();
        mask = settings->color.getValue("ClippingObjectMask").toRGBA();
    }
    clippingMaskColor = {mask[0] * mask[3], mask[1] * mask[3], mask[2] * mask[3], mask[3]};
    objectThread_.semaphore.setMax(objectQueueBound);
}

RenderVideoWorker::~RenderVideoWorker() {
    thread.stop();
    objectThread_.stop();
    previousImage_.reset();
}

void RenderVideoWorker::requestRenderingFrame(RenderTaskType type, int frame, FrameCallback done) {
    if (type == RenderTaskType::Preview) thread.removeTask(taskKey(RenderTaskType::Preview));
    thread.pushTask(taskKey(type), [this, type, frame, done = std::move(done)] { renderFrame(type, frame, done); });
}

void RenderVideoWorker::renderFrame(RenderTaskType type, int frame, const FrameCallback& done) {
    if (type == RenderTaskType::Playback && frame < playbackPosition_.load()) return;
    const auto started = std::chrono::steady_clock::now();
    Media::RenderBuffer target(direct3D->pixelFormat, direct3D->sampleDesc);
    ResourceCache cache(temporaryImageCacheSize);
    previewAnchors_.clear();
    Anchor::AnchorList* const anchors = type == RenderTaskType::Preview ? &previewAnchors_ : nullptr;
    if (editService) {
        try {
            Edit::EditReadScope scope(*editService);
            if (auto* caches = System::Singleton<Cache::CacheService>::getInstance()) caches->vramCache.beginFrame();
            scenesInProgress.clear();
            if (scope.scene) walkScene(*scope.scene, frame, target, cache, anchors, 0, INT_MAX, false);
            // Every object task of this walk has run before the lock goes.
            objectThread_.waitAllTasks();
        } catch (const std::exception& e) {
            // Not fatal: the caller keeps its last picture, and the error is
            // shown once per run of failing frames.
            if (lastFailure_ != e.what()) {
                lastFailure_ = e.what();
                System::Log::error("Render::RenderVideoWorker::renderFrame", "frame [%d] failed.\n%s", frame,
                                   e.what());
                Event::postEventCommand(Event::EventCommandType::ShowException,
                                        std::make_unique<System::Exception>(e.what()));
            }
            return;
        }
    }
    lastFailure_.clear();
    done(frame, target, previewAnchors_);
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    System::Log::verbose("Render::RenderVideoWorker::renderFrame", "rendered video frame [%d] %1.3lf ms", frame,
                         elapsed);
}

void RenderVideoWorker::createSceneImage(Edit::Scene& scene, int frame, SceneImageCallback done) {
    auto target = std::make_shared<Media::RenderBuffer>(direct3D->pixelFormat, direct3D->sampleDesc);
    auto cache = std::make_shared<ResourceCache>(temporaryImageCacheSize);
    walkScene(scene, frame, *target, *cache, nullptr, 0, INT_MAX, false);
    // Runs after every object of that walk was drawn: the thread keeps order.
    auto delivery = std::make_shared<SceneImageDelivery>(std::move(done));
    objectThread_.pushTask(taskKey(RenderTaskType::ObjectTask),
                           [target, cache, delivery] { delivery->deliver(target->copyToImageBuffer()); });
}

std::shared_ptr<RenderVideoWorker::RenderingBuffer> RenderVideoWorker::createRenderingBuffer(
    Edit::Scene& scene, int frame, int frameOffset, int lastLayer) {
    auto buffer = std::make_shared<RenderingBuffer>(direct3D->pixelFormat, direct3D->sampleDesc);
    auto cache = std::make_shared<ResourceCache>(temporaryImageCacheSize);
    auto release = std::make_shared<SetWhenReleased>(buffer);
    walkScene(scene, frame, buffer->buffer, *cache, nullptr, frameOffset, lastLayer, true);
    objectThread_.pushTask(taskKey(RenderTaskType::ObjectTask), [release = std::move(release), cache] {});
    return buffer;
}

void RenderVideoWorker::copyImageToClipboard(bool keepAlpha) {
    if (!editService) return;
    const Edit::ScenePointer& scene = editService->getCurrentScene();
    if (!scene) return;
    const int format = keepAlpha ? DXGI_FORMAT_B8G8R8A8_UNORM : DXGI_FORMAT_B8G8R8X8_UNORM;
    requestRenderingFrame(RenderTaskType::OneShot, scene->cursorFrame,
                          [format](int, Media::RenderBuffer& target, Anchor::AnchorList&) {
                              Event::postEventCommand(Event::EventCommandType::SetClipboardImage,
                                                      target.convertToImageBuffer(format, false));
                          });
}

void RenderVideoWorker::renderObject(ObjectContext& context, const Edit::ObjectPointer& object) {
    context.setObject(object);
    context.collectFilterObjects(Effect::MediaKind::Video);
    context.collectGroupControls();
    context.preloadVideo();
    objectThread_.pushTask(taskKey(RenderTaskType::ObjectTask),
                           [copy = context]() mutable { copy.renderVideoObject(); });
    context.filterObjects.reset();
}

void RenderVideoWorker::renderControlObject(ObjectContext& context, const Edit::ObjectPointer& object) {
    context.setObject(object);
    const std::shared_ptr<Effect::EffectBase> control = object->effectList.front();
    control->preloadVideo(context);
    objectThread_.pushTask(taskKey(RenderTaskType::ObjectTask), [this, copy = context, control]() mutable {
        previousImage_.reset();
        control->controlVideo(copy);
        if (copy.anchors) {
            copy.drawnDifferently = 1;
            control->drawAnchor(copy, 0, 0);
        }
    });
}

Media::PixelShader& RenderVideoWorker::clipCompositeShader() {
    if (!clipComposite_) {
        auto shader = std::make_unique<Media::PixelShader>(direct3D);
        shader->loadFromMemory(embedded_ClipComposite_frag, std::strlen(embedded_ClipComposite_frag));
        clipComposite_ = std::move(shader);
    }
    return *clipComposite_;
}

}  // namespace Render
