#pragma once
// The audio render worker: the mixed sound of a scene one video frame at a
// time. A request's walk runs on "RenderAudioWorker" under the shared
// project lock and posts one task per sounding object to
// "RenderObjectWorkerAudio" (bound 10), where inputs make samples, filters
// change them and outputs mix them into the frame's buffer, in posting
// order. No frame is skipped for lateness.
//
// The walk also serves on-demand buffers (waveforms, scripts) and one
// second of a nested scene's sound for the audio cache.
#include "core/thread/SyncEvent.h"
#include "core/thread/WorkerThread.h"
#include "edit/model/Object.h"
#include "media/audio/AudioBlockBuffer.h"
#include "media/audio/AudioBuffer.h"
#include "render/context/PreInputBuffer.h"
#include "render/service/RenderTaskType.h"
#include "render/service/RenderWorkerBase.h"

#include <functional>
#include <memory>

namespace Edit {
class EditService;
class Scene;
}  // namespace Edit

namespace Render {

class AudioObjectContext;

class RenderAudioWorker : public RenderWorkerBase {
public:
    using FrameCallback = std::function<void(int frame, Media::AudioBuffer& buffer)>;
    using BlockCallback = std::function<void(std::shared_ptr<Media::AudioBlockBuffer> block)>;

    // The sound of one frame; its event is set once the mix is in, and
    // also when the render failed or its task was dropped unrun (the
    // buffer then stays empty), so a waiter never waits for ever.
    class RenderingBuffer : public PreInputBuffer, public Sync::Event {
    public:
        Media::AudioBuffer buffer;
    };

    // Without an edit service the process-wide one is used.
    explicit RenderAudioWorker(Edit::EditService* editService = nullptr, int objectQueueBound = 10);
    ~RenderAudioWorker();
    RenderAudioWorker(const RenderAudioWorker&) = delete;
    RenderAudioWorker& operator=(const RenderAudioWorker&) = delete;

    // Any thread; returns at once. A preview request first drops the
    // queued preview requests. The callback runs on "RenderAudioWorker".
    void requestRenderingFrame(RenderTaskType type, int frame, FrameCallback done);
    // Any thread; returns at once; wait on the buffer before reading. No
    // project lock is taken: the caller holds it.
    std::shared_ptr<RenderingBuffer> createRenderingBuffer(Edit::Scene& scene, int frame);
    // Inside a walk: one second (block n) of the scene's sound at its
    // audio rate, handed to done from the per-object thread.
    void createSceneAudioBlock(Edit::Scene& scene, int block, BlockCallback done);

    // The walk; runs on the calling thread and posts to the object thread.
    void renderScene(Edit::Scene& scene, int frame, Media::AudioBuffer& target);
    void renderObject(AudioObjectContext& context, const Edit::ObjectPointer& object);
    void renderControlObject(AudioObjectContext& context, const Edit::ObjectPointer& object);

    Worker::WorkerThread& objectWorker() { return objectThread_; }

    Edit::EditService* editService;

private:
    void renderFrame(int frame, const FrameCallback& done);

    Worker::WorkerThread objectThread_{"RenderObjectWorkerAudio"};
};

}  // namespace Render
