#pragma once
// What the outputs that carry sound share: the mixer that adds an object's
// samples, scaled by its gains and those of the innermost group audio
// control, into the frame's buffer. Nothing is clipped; the mix stays float.
#include <cstdint>

namespace Media {
class AudioBuffer;
}
namespace Render {
class AudioObjectContext;
}

namespace Effect {

class OutputAudioEffect {
public:
    static void mixAudio(const Render::AudioObjectContext& context, Media::AudioBuffer& target,
                         const Media::AudioBuffer& source);
    // target[i] += gain x source[i] for i below n, each a fused multiply-add
    // rounded once, so results do not depend on the processor.
    static void mixPlane(float* target, const float* source, float gain, std::uint32_t n);

protected:
    ~OutputAudioEffect() = default;
};

}  // namespace Effect
