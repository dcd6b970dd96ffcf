#pragma once
// The render record of one object in a frame's sound: the common part, the
// gains that volume and pan effects multiply, the frame's mix buffer, the
// innermost enclosing group audio control and the frame's sample range.
// The audio walk builds it on "RenderAudioWorker"; copies run the object's
// chain on "RenderObjectWorkerAudio".
#include "effect/base/ObjectContextBase.h"
#include "render/audio/AudioSampleRange.h"

#include <memory>

namespace Media {
class AudioBuffer;
}

namespace Render {

class GroupAudioGains;

class AudioObjectContext : public ObjectContextBase {
public:
    float leftGain = 1.0f;
    float rightGain = 1.0f;
    Media::AudioBuffer* target = nullptr;  // not owned
    std::shared_ptr<Edit::Object> groupAudioControl;
    AudioSampleRange sampleRange;

    // The gains kept by the group audio control's first effect, or null.
    GroupAudioGains* getGroupAudioGains() const;
    AudioSampleRange getAudioSampleRange() const { return sampleRange; }
};

}  // namespace Render
