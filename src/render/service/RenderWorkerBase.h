#pragma once
// What both render workers share: their own thread and the set of scene
// walks in progress on it, which refuses a scene that is already being
// walked (a scene that shows itself, directly or through other scenes).
#include "core/thread/WorkerThread.h"

#include <unordered_set>

namespace Render {

class RenderWorkerBase {
public:
    explicit RenderWorkerBase(const char* threadName);

    // The guard of one walk. Its key is the scene id (plus 1000000000 for
    // a scene change's starting frame); -1 marks a refused walk.
    class RenderSection {
    public:
        RenderSection(RenderWorkerBase& worker, int key);
        ~RenderSection();
        RenderSection(const RenderSection&) = delete;
        RenderSection& operator=(const RenderSection&) = delete;

        bool refused() const { return key_ == -1; }

    private:
        RenderWorkerBase& worker_;
        int key_;
    };

    // Touched only by the worker's own thread (walks nest there).
    std::unordered_set<int> scenesInProgress;
    Worker::WorkerThread thread;
};

}  // namespace Render
