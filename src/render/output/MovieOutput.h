#pragma once
// "映像再生": the standard drawing of a picture that also carries sound,
// with the volume of that sound.
#include "render/audio/AudioOutput.h"
#include "render/audio/OutputAudioEffect.h"
#include "render/output/BasicOutput.h"

namespace Effect {

class MovieOutput : public BasicOutput, public OutputAudioEffect {
public:
    static constexpr wchar_t Name[] = L"映像再生";
    MovieOutput() : BasicOutput(Name, MediaKind::VideoAudio) {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<MovieOutput>(); }
    // The volume, then the common mix; no pan.
    void outputAudio(Render::AudioObjectContext& context, Media::AudioBuffer& target,
                     std::unique_ptr<Media::AudioBuffer>& audio) override {
        applyOutputVolume(context, volume);
        if (audio) mixAudio(context, target, *audio);
    }

    EffectItemNumber volume{items, L"音量", 100, 0, 1000, 0.01};
};

}  // namespace Effect
