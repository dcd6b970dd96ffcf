#pragma once
// 音量フェード: ramps the samples up from silence after the object's start
// and down to silence at its last frame, one straight ramp per frame block.
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class AudioFadeFilter : public BuiltinClass<AudioFadeFilter> {
public:
    static constexpr const wchar_t* Name = L"音量フェード";
    AudioFadeFilter();
    void filterAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context,
                     std::unique_ptr<Media::AudioBuffer> input) override;

    // The gains at the start and the end of the frame's block; both 1 outside
    // the fades.
    struct Ramp {
        float begin = 1.0f;
        float end = 1.0f;
    };
    // seconds: from the object's start to the frame; left: until its last
    // frame begins; frame: the length of one frame.
    static Ramp rampAt(float fadeIn, float fadeOut, double seconds, double left, double frame);

    EffectItemNumber fadeIn;
    EffectItemNumber fadeOut;
};

}  // namespace Effect
