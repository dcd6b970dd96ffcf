#include "render/service/RenderService.h"

namespace Render {

RenderService::RenderService() { Cache::setSceneSource(&sceneSource_); }

RenderService::~RenderService() {
    if (Cache::getSceneSource() == &sceneSource_) Cache::setSceneSource(nullptr);
    // No render may use the scene source once it is gone.
    videoWorker.thread.stop();
    videoWorker.objectWorker().stop();
    audioWorker.thread.stop();
    audioWorker.objectWorker().stop();
}

}  // namespace Render
