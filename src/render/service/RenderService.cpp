#include "render/service/RenderService.h"

#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "media/audio/XAudio2Service.h"

namespace Render {

RenderService::RenderService()
    : player(videoWorker.editService, videoWorker, audioWorker,
             System::Singleton<Media::XAudio2Service>::getInstance()) {
    Cache::setSceneSource(&sceneSource_);
    // The preview's view switches are edited through the edit commands.
    if (Edit::EditService* edit = videoWorker.editService) {
        edit->hooks.setPreviewSwitch = [this](Edit::PreviewSwitch which, bool enable) {
            RenderVideoWorker& worker = videoWorker;
            int* target = which == Edit::PreviewSwitch::GridXY           ? &worker.gridXY
                          : which == Edit::PreviewSwitch::CameraGrid     ? &worker.cameraGrid
                          : which == Edit::PreviewSwitch::CameraFreeView ? &worker.cameraFreeView
                                                                         : &worker.visibleClippingObject;
            *target = enable ? 1 : 0;
        };
    }
}

RenderService::~RenderService() {
    player.stop(false);
    if (Edit::EditService* edit = videoWorker.editService) edit->hooks.setPreviewSwitch = nullptr;
    if (Cache::getSceneSource() == &sceneSource_) Cache::setSceneSource(nullptr);
    // No render may use the scene source once it is gone.
    videoWorker.thread.stop();
    videoWorker.objectWorker().stop();
    audioWorker.thread.stop();
    audioWorker.objectWorker().stop();
}

}  // namespace Render
