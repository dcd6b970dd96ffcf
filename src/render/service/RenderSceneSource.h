#pragma once
// What the media caches ask of scenes, answered by the render service: the
// project's scenes, frames of another scene rendered by the video render
// worker, and whether playback runs.
#include "render/cache/SceneSource.h"

namespace Render {

class RenderVideoWorker;

class RenderSceneSource : public Cache::SceneSource {
public:
    explicit RenderSceneSource(RenderVideoWorker& video) : video_(video) {}

    Edit::Scene* getScene(int id) const override;
    // On "RenderVideoWorker", inside a walk.
    void createSceneImage(Edit::Scene& scene, int frame, ImageDone done) override;
    // The audio render worker is not part of the service yet: no sound.
    void createSceneAudioBlock(Edit::Scene& scene, int block, AudioDone done) override;
    bool isBusy() const override;

private:
    RenderVideoWorker& video_;
};

}  // namespace Render
