#pragma once
// One walk of a scene's sound at a frame: layer by layer from the bottom it
// decides which objects sound, how group audio controls and time controls
// change what later layers hear, and posts one task per object to
// "RenderObjectWorkerAudio" in walk order. It mixes nothing itself.
//
// A time control ends before the lookup of the first layer past its range,
// hidden or empty layers included, as in the video walk, so sound and
// picture agree on every layer.
#include "edit/model/Object.h"
#include "render/audio/AudioObjectContext.h"

#include <vector>

namespace Edit {
class Scene;
}
namespace Media {
class AudioBuffer;
}

namespace Render {

class RenderAudioWorker;

class AudioSceneWalk {
public:
    AudioSceneWalk(RenderAudioWorker& worker, Edit::Scene& scene, int frame, Media::AudioBuffer& target);
    void run();

private:
    struct GroupEntry {
        Edit::ObjectPointer object;
        int endLayer;
    };

    void walkLayer(int layer);
    void walkControl(const Edit::ObjectPointer& object);
    void restoreStart();

    RenderAudioWorker& worker_;
    Edit::Scene& scene_;
    Media::AudioBuffer& target_;
    AudioObjectContext context_;
    AudioObjectContext start_;
    std::vector<GroupEntry> groups_;
    bool timeControlActive_ = false;
    int timeControlEnd_ = 0;
};

}  // namespace Render
