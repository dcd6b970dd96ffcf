#pragma once
// The process-wide render service (System::Singleton): turns the project
// into pictures away from the user-interface thread through its video
// render worker. Made after the edit service; released before it.
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
};

}  // namespace Render
