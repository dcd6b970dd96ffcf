#pragma once
// What the media caches ask of scenes, answered by the render service: the
// project's scenes, frames of another scene rendered by the video render
// worker, and whether playback or an export runs.
#include "render/cache/SceneSource.h"

#include <atomic>

namespace Render {

class RenderAudioWorker;
class RenderVideoWorker;

class RenderSceneSource : public Cache::SceneSource {
public:
    explicit RenderSceneSource(RenderVideoWorker& video, RenderAudioWorker* audio = nullptr)
        : video_(video), audio_(audio) {}

    Edit::Scene* getScene(int id) const override;
    // On "RenderVideoWorker", inside a walk.
    void createSceneImage(Edit::Scene& scene, int frame, ImageDone done) override;
    // Inside a walk of the audio render worker; without one, no sound.
    void createSceneAudioBlock(Edit::Scene& scene, int block, AudioDone done) override;
    // On "RenderVideoWorker", inside a walk.
    std::shared_ptr<PreInputBuffer> createRenderingBuffer(Edit::Scene& scene, int frame, int frameOffset,
                                                          int lastLayer) override;
    bool isBusy() const override;

    // Set by the output service while an export runs.
    static inline std::atomic<bool> exportRunning{false};

private:
    RenderVideoWorker& video_;
    RenderAudioWorker* audio_;
};

}  // namespace Render
