#pragma once
// "音声再生": plays the object's sound at a volume and a linear pan. The
// side the pan moves towards keeps its gain; the other falls linearly to
// silence at 100.
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "render/audio/OutputAudioEffect.h"

namespace Effect {

class AudioOutput : public EffectBase, public OutputAudioEffect {
public:
    static constexpr wchar_t Name[] = L"音声再生";
    AudioOutput();
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<AudioOutput>(); }
    void outputAudio(Render::AudioObjectContext& context, Media::AudioBuffer& target,
                     std::unique_ptr<Media::AudioBuffer>& audio) override;

    EffectItemNumber volume{items, L"音量", 100, 0, 1000, 0.01};
    EffectItemNumber pan{items, L"左右", 0, -100, 100, 0.01};
};

// The volume step every sound output starts with.
void applyOutputVolume(Render::AudioObjectContext& context, const EffectItemNumber& volume);

}  // namespace Effect
