#include "render/audio/RenderAudioWorker.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditReadScope.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectBase.h"
#include "render/audio/AudioObjectContext.h"
#include "render/audio/AudioSampleRange.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace Render {

namespace {

int taskKey(RenderTaskType type) { return static_cast<int>(type); }
constexpr int objectTask = static_cast<int>(RenderTaskType::ObjectTask);

// Sets a rendering buffer's event when the last holder lets go: after the
// task that renders it ran, or failed, or was dropped unrun.
class SetWhenReleased {
public:
    explicit SetWhenReleased(std::shared_ptr<RenderAudioWorker::RenderingBuffer> buffer)
        : buffer_(std::move(buffer)) {}
    ~SetWhenReleased() { buffer_->set(); }
    SetWhenReleased(const SetWhenReleased&) = delete;
    SetWhenReleased& operator=(const SetWhenReleased&) = delete;

private:
    std::shared_ptr<RenderAudioWorker::RenderingBuffer> buffer_;
};

// Calls a scene block's callback exactly once: with the block, or empty
// when the hand-over task is dropped unrun.
class BlockDelivery {
public:
    explicit BlockDelivery(RenderAudioWorker::BlockCallback done) : done_(std::move(done)) {}
    ~BlockDelivery() {
        if (done_) done_(nullptr);
    }
    BlockDelivery(const BlockDelivery&) = delete;
    BlockDelivery& operator=(const BlockDelivery&) = delete;

    void deliver(std::shared_ptr<Media::AudioBlockBuffer> block) {
        auto done = std::move(done_);
        done_ = nullptr;
        done(std::move(block));
    }

private:
    RenderAudioWorker::BlockCallback done_;
};

}  // namespace

RenderAudioWorker::RenderAudioWorker(Edit::EditService* editService, int objectQueueBound)
    : RenderWorkerBase("RenderAudioWorker"),
      editService(editService ? editService : System::Singleton<Edit::EditService>::getInstance()) {
    objectThread_.semaphore.setMax(objectQueueBound);
}

RenderAudioWorker::~RenderAudioWorker() {
    thread.stop();
    objectThread_.stop();
}

void RenderAudioWorker::requestRenderingFrame(RenderTaskType type, int frame, FrameCallback done) {
    if (type == RenderTaskType::Preview) thread.removeTask(taskKey(RenderTaskType::Preview));
    thread.pushTask(taskKey(type), [this, frame, done = std::move(done)] { renderFrame(frame, done); });
}

void RenderAudioWorker::renderFrame(int frame, const FrameCallback& done) {
    Media::AudioBuffer buffer;
    if (editService) {
        Edit::EditReadScope scope(*editService);
        scenesInProgress.clear();
        if (scope.scene) renderScene(*scope.scene, frame, buffer);
        // Every object task of this walk has run before the lock goes.
        objectThread_.waitAllTasks();
    }
    done(frame, buffer);
}

std::shared_ptr<RenderAudioWorker::RenderingBuffer> RenderAudioWorker::createRenderingBuffer(Edit::Scene& scene,
                                                                                              int frame) {
    auto buffer = std::make_shared<RenderingBuffer>();
    auto release = std::make_shared<SetWhenReleased>(buffer);
    // Like every render task it reads the project under the shared lock,
    // and finds the scene again then: it may be gone by the time it runs.
    thread.pushTask(taskKey(RenderTaskType::OneShot), [this, id = scene.id, frame, buffer, release] {
        if (!editService) return;
        Edit::EditReadScope scope(*editService);
        const Edit::ScenePointer found = editService->project.getScene(id);
        if (!found) return;
        scenesInProgress.clear();
        renderScene(*found, frame, buffer->buffer);
        objectThread_.waitAllTasks();
    });
    return buffer;
}

void RenderAudioWorker::createSceneAudioBlock(Edit::Scene& scene, int block, BlockCallback done) {
    const int rate = scene.audioRate;
    auto made = std::make_shared<Media::AudioBlockBuffer>();
    made->allocate(static_cast<std::uint32_t>(std::max(rate, 0)), 2);
    made->clear();
    const std::uint32_t total = made->samples;
    auto frameBuffer = std::make_shared<Media::AudioBuffer>();
    const std::int64_t begin = std::int64_t{block} * rate;
    const std::int64_t divisor = std::int64_t{scene.videoScale} * rate;
    std::int64_t frame = divisor != 0 ? std::int64_t{scene.videoRate} * begin / divisor : 0;
    std::uint32_t d = 0;
    while (total > 0 && frame <= scene.totalLength) {
        const int f = static_cast<int>(frame);
        renderScene(scene, f, *frameBuffer);
        const std::int64_t first = sampleOfFrame(rate, f, scene.videoRate, scene.videoScale);
        const auto b = static_cast<std::uint32_t>(begin + d - first);
        const auto k = static_cast<std::uint32_t>(sampleOfFrame(rate, std::int64_t{f} + 1, scene.videoRate,
                                                                scene.videoScale) - first);
        if (k < b) {
            System::Log::error("Render::RenderAudioWorker::createSceneAudioBlock", "invalid rendering sample position.");
            break;
        }
        objectThread_.pushTask(objectTask, [made, d, frameBuffer, b, k] {
            if (frameBuffer->samples != k) {
                System::Log::error("Render::RenderAudioWorker::createSceneAudioBlock", "invalid rendering sample num.");
                return;
            }
            made->copyFrom(d, *frameBuffer, b, k);
        });
        d += k - b;
        if (d >= total) break;
        ++frame;
    }
    auto delivery = std::make_shared<BlockDelivery>(std::move(done));
    objectThread_.pushTask(objectTask, [made, delivery] { delivery->deliver(made); });
}

void RenderAudioWorker::renderObject(AudioObjectContext& context, const Edit::ObjectPointer& object) {
    context.setObject(object);
    context.sampleRange.offset = context.sampleRange.position -
                                 sampleOfFrame(context.sampleRange.rate, object->start, context.scene->videoRate,
                                               context.scene->videoScale);
    context.collectFilterObjects(Effect::MediaKind::Audio);
    context.collectGroupAudioControls();
    context.preloadAudio();
    objectThread_.pushTask(objectTask, [copy = context]() mutable { copy.renderAudioObject(); });
    context.filterObjects.reset();
}

void RenderAudioWorker::renderControlObject(AudioObjectContext& context, const Edit::ObjectPointer& object) {
    context.setObject(object);
    context.sampleRange.offset = context.sampleRange.position -
                                 sampleOfFrame(context.sampleRange.rate, object->start, context.scene->videoRate,
                                               context.scene->videoScale);
    const std::shared_ptr<Effect::EffectBase> control = object->effectList.front();
    control->preloadAudio(context);
    objectThread_.pushTask(objectTask, [copy = context, control]() mutable { control->controlAudio(copy); });
}

}  // namespace Render
