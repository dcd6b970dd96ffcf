#pragma once
// The process-wide render service (System::Singleton): turns the project
// into pictures away from the user-interface thread through its video
// render worker, renders scene frames for the media caches, and plays the
// current scene. Made after the cache, edit and sound services; released
// before them.
#include "render/audio/RenderAudioWorker.h"
#include "render/player/MoviePlayer.h"
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

public:
    // Plays the current scene in the preview; the last member.
    MoviePlayer player;
};

}  // namespace Render
