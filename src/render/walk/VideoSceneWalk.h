#pragma once
// One walk of a scene at a frame, on "RenderVideoWorker": layer by layer
// from the bottom it decides which object is visible, how group, camera and
// time controls change what later layers see, and posts one task per
// object to "RenderObjectWorkerVideo" in walk order. It draws nothing
// itself. Objects under a camera wait in a queue and are posted sorted by
// depth when the camera's range ends; clipping objects draw into their own
// target, which is combined with the frame when the clip range ends.
#include "edit/model/Object.h"
#include "render/context/ObjectContext.h"

#include <memory>
#include <vector>

namespace Edit {
class Scene;
}
namespace Media {
class RenderBuffer;
}

namespace Render {

class RenderVideoWorker;

class VideoSceneWalk {
public:
    struct Arguments {
        Edit::Scene& scene;
        int frame;
        Media::RenderBuffer& target;
        ResourceCache& cache;
        Anchor::AnchorList* anchors;
        int frameOffset;
        int lastLayer;
        bool sceneChangeKey;
    };

    VideoSceneWalk(RenderVideoWorker& worker, const Arguments& arguments);
    void run();

    // The depth key of an object under a camera: its origin's z after world
    // and view (divided by w when positive), 10000 less when it is
    // translucent or blends.
    static float depthKey(const Effect::OutputView& view);

private:
    struct GroupEntry {
        Edit::ObjectPointer object;
        int endLayer;
    };
    struct CameraEntry {
        ObjectContext context;
        Edit::ObjectPointer object;
        float key = 1000000000.0f;
    };
    struct ClipState;

    void walkLayer(int layer);
    void walkControl(const Edit::ObjectPointer& object);
    void walkInput(const Edit::ObjectPointer& object);
    void cameraPass();
    void clipObject(const Edit::ObjectPointer& object);
    void clipFlush();
    void postStart();
    // The last layer a control governs.
    static int governedEnd(const Edit::Object& control);

    RenderVideoWorker& worker_;
    Arguments arguments_;
    ObjectContext context_;
    int startFrame_;
    double startTime_;
    std::vector<GroupEntry> groups_;
    std::vector<CameraEntry> cameraQueue_;
    bool timeControlActive_ = false;
    int timeControlEnd_ = 0;
    std::shared_ptr<ClipState> clip_;
    int clipEnd_ = 0;
};

}  // namespace Render
