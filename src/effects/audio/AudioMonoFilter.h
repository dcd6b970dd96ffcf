#pragma once
// モノラル化: both channels carry one weighted sum of left and right.
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class AudioMonoFilter : public BuiltinClass<AudioMonoFilter> {
public:
    static constexpr const wchar_t* Name = L"モノラル化";
    AudioMonoFilter();
    void filterAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context,
                     std::unique_ptr<Media::AudioBuffer> input) override;

    EffectItemNumber ratio;
};

}  // namespace Effect
