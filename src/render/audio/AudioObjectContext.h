#pragma once
// The render record of one object in a frame's sound: the common part, the
// gains that volume and pan effects multiply, the frame's mix buffer, the
// innermost enclosing group audio control and the frame's sample range.
// The audio walk builds it on "RenderAudioWorker"; copies run the object's
// chain on "RenderObjectWorkerAudio".
#include "effect/base/ObjectContextBase.h"
#include "render/audio/AudioSampleRange.h"
#include "render/audio/GroupAudioGains.h"

#include <memory>

namespace Media {
class AudioBuffer;
}

namespace Render {

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

    // Walk side ("RenderAudioWorker").
    // Appends the enclosing group audio controls that carry filters, inner
    // first, following the parent layers the walk stored in them.
    void collectGroupAudioControls();
    // preloadAudio of every enabled input and filter of the listed objects.
    void preloadAudio();

    // Mixing side ("RenderObjectWorkerAudio").
    // Input, filters and output of the context's object into the target.
    void renderAudioObject();
    // The listed objects' enabled sound filters in order; an empty result
    // ends the run.
    void applyAudioFilters(std::unique_ptr<Media::AudioBuffer>& audio);
    // The first listed object's output mixes the sound into the target.
    void outputAudio(std::unique_ptr<Media::AudioBuffer>& audio);

private:
    // Runs the visit with each listed object made current (while it returns
    // true), then restores the context's own object.
    template <class Visit>
    void forEachListedObject(Visit visit);
};

}  // namespace Render
