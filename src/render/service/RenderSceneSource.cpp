#include "render/service/RenderSceneSource.h"

#include "edit/service/EditService.h"
#include "media/image/ImageBuffer.h"
#include "render/audio/RenderAudioWorker.h"
#include "render/service/RenderVideoWorker.h"

namespace Render {

Edit::Scene* RenderSceneSource::getScene(int id) const {
    Edit::EditService* edit = video_.editService;
    return edit ? edit->project.getScene(id).get() : nullptr;
}

void RenderSceneSource::createSceneImage(Edit::Scene& scene, int frame, ImageDone done) {
    video_.createSceneImage(scene, frame, std::move(done));
}

void RenderSceneSource::createSceneAudioBlock(Edit::Scene& scene, int block, AudioDone done) {
    if (!audio_) {
        done(nullptr);
        return;
    }
    audio_->createSceneAudioBlock(scene, block, std::move(done));
}

std::shared_ptr<PreInputBuffer> RenderSceneSource::createRenderingBuffer(Edit::Scene& scene, int frame,
                                                                        int frameOffset, int lastLayer) {
    return video_.createRenderingBuffer(scene, frame, frameOffset, lastLayer);
}

bool RenderSceneSource::isBusy() const {
    if (exportRunning.load()) return true;
    Edit::EditService* edit = video_.editService;
    const Edit::ScenePointer* scene = edit ? &edit->getCurrentScene() : nullptr;
    return scene && *scene && (*scene)->playing;
}

}  // namespace Render
