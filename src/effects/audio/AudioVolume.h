#pragma once
// 音量調整: scales the object's left and right gains, which the mix applies;
// the samples themselves pass untouched.
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class AudioVolume : public BuiltinClass<AudioVolume> {
public:
    static constexpr const wchar_t* Name = L"音量調整";
    AudioVolume();
    void filterAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context,
                     std::unique_ptr<Media::AudioBuffer> input) override;

    EffectItemNumber volume;
    EffectItemNumber pan;
};

}  // namespace Effect
