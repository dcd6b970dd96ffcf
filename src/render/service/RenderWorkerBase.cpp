#include "render/service/RenderWorkerBase.h"

#include "core/base/Log.h"

namespace Render {

RenderWorkerBase::RenderWorkerBase(const char* threadName) : scenesInProgress(8), thread(threadName) {
    scenesInProgress.max_load_factor(1.0f);
}

RenderWorkerBase::RenderSection::RenderSection(RenderWorkerBase& worker, int key) : worker_(worker), key_(key) {
    if (worker_.scenesInProgress.insert(key).second) return;
    System::Log::warn("Render::RenderWorkerBase::RenderSection::RenderSection", "recursive scene. index=%d num=%d",
                      key, static_cast<int>(worker_.scenesInProgress.size()));
    key_ = -1;
}

RenderWorkerBase::RenderSection::~RenderSection() {
    if (key_ != -1) worker_.scenesInProgress.erase(key_);
}

}  // namespace Render
