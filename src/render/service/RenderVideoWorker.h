#pragma once
// The video render worker: takes frame requests (preview, playback,
// one-shot), walks the current scene at the frame on "RenderVideoWorker"
// under the shared project lock and draws every object on
// "RenderObjectWorkerVideo" (bound 8: the walk blocks while 8 object tasks
// wait), which runs the tasks in posting order. The completion callback
// runs on "RenderVideoWorker" and hands its results on itself.
//
// Nested scenes (a scene as a picture source, a scene change's starting
// frame) are walked on the same thread inside the running walk.
#include "core/file/Config.h"
#include "core/thread/SyncEvent.h"
#include "core/thread/WorkerThread.h"
#include "edit/model/Object.h"
#include "effect/anchor/AnchorList.h"
#include "media/gpu/RenderBuffer.h"
#include "render/context/PreInputBuffer.h"
#include "render/service/RenderTaskType.h"
#include "render/service/RenderWorkerBase.h"

#include <array>
#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Edit {
class EditService;
class Scene;
}  // namespace Edit
namespace Media {
class Direct3DService;
class ImageBuffer;
class PixelShader;
class ResourceBuffer;
}  // namespace Media

namespace Render {

class ObjectContext;
class ResourceCache;

class RenderVideoWorker : public RenderWorkerBase {
public:
    // The anchor list is handed over for every request; only preview
    // renders fill it.
    using FrameCallback = std::function<void(int frame, Media::RenderBuffer& target, Anchor::AnchorList& anchors)>;
    using SceneImageCallback = std::function<void(std::shared_ptr<Media::ImageBuffer> picture)>;

    // A scene change's starting frame; set once the frame is drawn, or
    // when its render failed or was dropped (it then stays empty).
    class RenderingBuffer : public PreInputBuffer, public Sync::Event {
    public:
        RenderingBuffer(int format, Media::RenderBuffer::SampleDesc sampleDesc) : buffer(format, sampleDesc) {}
        Media::RenderBuffer buffer;
    };

    // Without an edit service the process-wide one is used.
    // objectQueueBound: how many object tasks the walk may post ahead of
    // the drawing.
    explicit RenderVideoWorker(Edit::EditService* editService = nullptr, int objectQueueBound = 8);
    ~RenderVideoWorker();
    RenderVideoWorker(const RenderVideoWorker&) = delete;
    RenderVideoWorker& operator=(const RenderVideoWorker&) = delete;

    // Any thread; returns at once. A preview request first drops the
    // queued preview requests.
    void requestRenderingFrame(RenderTaskType type, int frame, FrameCallback done);
    // On "RenderVideoWorker", inside a walk: the scene at the frame as a CPU
    // picture, handed to the callback on the per-object thread once drawn.
    void createSceneImage(Edit::Scene& scene, int frame, SceneImageCallback done);
    // On "RenderVideoWorker", inside a walk: layers 0 to lastLayer of the
    // scene at the frame, for a scene change; returned at once, usable by
    // later tasks of the per-object thread.
    std::shared_ptr<RenderingBuffer> createRenderingBuffer(Edit::Scene& scene, int frame, int frameOffset,
                                                           int lastLayer);
    // The user-interface thread: the current scene's cursor frame to the
    // system clipboard, opaque or keeping alpha. The picture travels to the
    // user-interface thread with its ownership; this worker never waits.
    void copyImageToClipboard(bool keepAlpha);

    // The scene walk (built with the walk).
    void renderScene(Edit::Scene& scene, int frame, Media::RenderBuffer& target, ResourceCache& cache,
                     Anchor::AnchorList* anchors, int frameOffset, int lastLayer, bool sceneChangeKey);
    void renderObject(ObjectContext& context, const Edit::ObjectPointer& object);
    void renderControlObject(ObjectContext& context, const Edit::ObjectPointer& object);

    // Playback requests below this frame are skipped (the player's).
    void setPlaybackPosition(int frame) { playbackPosition_.store(frame); }
    Worker::WorkerThread& objectWorker() { return objectThread_; }
    // "RenderObjectWorkerVideo" only.
    std::unique_ptr<Media::ResourceBuffer>& previousImage() { return previousImage_; }
    // The clip-composite program, made on the per-object thread's first use.
    Media::PixelShader& clipCompositeShader();

    Media::Direct3DService* direct3D;
    Edit::EditService* editService;
    std::int64_t temporaryImageCacheSize = 16588800;
    // Premultiplied red, green, blue, alpha.
    std::array<float, 4> clippingMaskColor{};

    int gridXY = 0;
    int cameraGrid = 1;
    int visibleClippingObject = 1;
    int cameraFreeView = 0;

private:
    void renderFrame(RenderTaskType type, int frame, const FrameCallback& done);
    void walkScene(Edit::Scene& scene, int frame, Media::RenderBuffer& target, ResourceCache& cache,
                   Anchor::AnchorList* anchors, int frameOffset, int lastLayer, bool sceneChangeKey);

    std::unique_ptr<Media::ResourceBuffer> previousImage_;
    System::Config config_{"Render.video"};
    System::Config::Int gridXYParameter_{config_, "GridXY", &gridXY, 0};
    System::Config::Int cameraGridParameter_{config_, "CameraGrid", &cameraGrid, 1};
    System::Config::Int visibleClippingObjectParameter_{config_, "VisibleClippingObject", &visibleClippingObject, 1};
    System::Config::Int cameraFreeViewParameter_{config_, "CameraFreeView", &cameraFreeView, 0};
    System::Config::Scope scope_{config_};
    std::atomic<int> playbackPosition_{0};
    Anchor::AnchorList previewAnchors_;
    // The message of the frame that failed last, until a frame succeeds:
    // playback through a broken object reports it once, not every frame.
    std::string lastFailure_;
    std::unique_ptr<Media::PixelShader> clipComposite_;
    Worker::WorkerThread objectThread_{"RenderObjectWorkerVideo"};
};

}  // namespace Render
