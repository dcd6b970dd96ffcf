#pragma once
// The process-wide render service (System::Singleton): turns the project
// into pictures away from the user-interface thread through its video
// render worker, and renders scene frames for the media caches. Made after
// the cache and edit services; released before them.
#include "render/audio/RenderAudioWorker.h"
#include "render/service/RenderSceneSource.h"
#include "render/service/RenderVideoWorker.h"

namespace Render {

class RenderService {
public:
    RenderService();
    ~RenderService();
    RenderService(const RenderService&) = delete;
    RenderService& operator=(const RenderService&) = delete;

    static const char* singletonPlace() { return "System::Singleton<class Render::RenderService>::recreateInstance"; }

    RenderVideoWorker videoWorker;
    RenderAudioWorker audioWorker;

private:
    // Installed for the media caches while the service lives.
    RenderSceneSource sceneSource_{videoWorker, &audioWorker};
};

}  // namespace Render
