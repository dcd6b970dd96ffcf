#pragma once
// What the media caches need of scenes: the project's scene of an id, the
// renders of one frame or one second of sound of another scene, and whether
// a scene plays or an export runs. The render service installs it; without
// it no name resolves to a scene.
#include <functional>
#include <memory>
#include <string>

namespace Edit {
class Scene;
}  // namespace Edit

namespace Media {
class ImageBuffer;
class AudioBlockBuffer;
}  // namespace Media

namespace Render {
class PreInputBuffer;
}  // namespace Render
namespace Cache {

class SceneSource {
public:
    using ImageDone = std::function<void(std::shared_ptr<Media::ImageBuffer>)>;
    using AudioDone = std::function<void(std::shared_ptr<Media::AudioBlockBuffer>)>;

    virtual ~SceneSource() = default;
    // The project's scene, or null. Called inside a render, which holds the
    // project's read lock.
    virtual Edit::Scene* getScene(int id) const = 0;
    // Renders the scene at the frame and hands the picture to done (from
    // any thread). done must be called exactly once, with an empty picture
    // when the render fails; a render that raises instead must not call it.
    virtual void createSceneImage(Edit::Scene& scene, int frame, ImageDone done) = 0;
    // The same for one second of the scene's mixed sound at its audio rate.
    virtual void createSceneAudioBlock(Edit::Scene& scene, int block, AudioDone done) = 0;
    // Inside a walk of the video render worker: layers 0 to lastLayer of
    // the scene at the frame, drawn for a scene change and usable by the
    // later tasks of the walk's per-object thread; null without a worker.
    virtual std::shared_ptr<Render::PreInputBuffer> createRenderingBuffer(Edit::Scene& scene, int frame,
                                                                          int frameOffset, int lastLayer) {
        (void)scene, (void)frame, (void)frameOffset, (void)lastLayer;
        return nullptr;
    }
    // The current scene plays or an export runs: waveforms are not computed.
    virtual bool isBusy() const = 0;
};

void setSceneSource(SceneSource* source);
SceneSource* getSceneSource();

// "*" and the id in decimal.
std::wstring makeSceneFileName(int id);
bool isSceneFileName(const std::wstring& name);
// The scene a name stands for: "*" and a decimal id other than 0, of a scene
// the project has; null otherwise.
Edit::Scene* getSceneOfName(const std::wstring& name);

}  // namespace Cache
