#pragma once
// Helpers of the sound tests: planar buffers built from sample lists, a
// sound input kind that hands out a given buffer, a group audio control
// kind that keeps gains, and a scene with the sound output registered.
#include "edit/model/Scene.h"
#include "effect/base/EffectBase.h"
#include "effect/registry/EffectService.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"
#include "render/audio/AudioOutput.h"
#include "render/audio/GroupAudioGains.h"

#include "effect/RegistryTestSupport.h"

#include <cstring>
#include <memory>
#include <vector>

namespace AudioTest {

// A buffer of the given planes (one or two), with the padding past the
// samples filled with a loud value that must never reach a mix.
inline std::unique_ptr<Media::AudioBuffer> planes(const std::vector<std::vector<float>>& values,
                                                  float padding = 99.0f) {
    auto buffer = std::make_unique<Media::AudioBuffer>();
    const auto n = static_cast<std::uint32_t>(values.front().size());
    buffer->allocate(n, static_cast<int>(values.size()));
    for (int c = 0; c < buffer->channels; ++c) {
        System::AlignedBuffer& plane = c == 0 ? buffer->left : buffer->right;
        float* p = plane.as<float>();
        for (std::uint32_t i = 0; i < plane.capacity / 4; ++i)
            p[i] = i < n ? values[static_cast<std::size_t>(c)][i] : padding;
    }
    return buffer;
}

inline std::vector<float> plane(const Media::AudioBuffer& buffer, int channel) {
    const float* p = buffer.getChannel(channel);
    return std::vector<float>(p, p + buffer.samples);
}

inline constexpr wchar_t kSoundFile[] = L"音声ファイル";
inline constexpr wchar_t kGroupAudio[] = L"グループ制御(音声)";

// A sound input that returns a copy of `source`.
class SoundInput : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kSoundFile;
    SoundInput()
        : EffectBase(kSoundFile, Effect::EffectKind::Input, Effect::MediaKind::Audio, Effect::MediaKind::Audio, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<SoundInput>(); }
    void inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext&) override {
        if (source) result = source->clone();
    }
    std::shared_ptr<Media::AudioBuffer> source;
};

// A group audio control whose gains are set by the test; its controlAudio
// multiplies them by the enclosing control's, as the real one does.
class GroupAudio : public Effect::EffectBase, public Render::GroupAudioGains {
public:
    static constexpr const wchar_t* Name = kGroupAudio;
    GroupAudio()
        : EffectBase(kGroupAudio, Effect::EffectKind::Control, Effect::MediaKind::Audio, Effect::MediaKind::Audio,
                     L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<GroupAudio>(); }
    int getLayerRange() const override { return layerRange; }
    void controlAudio(Render::AudioObjectContext& context) override {
        leftGain = ownLeft;
        rightGain = ownRight;
        if (Render::GroupAudioGains* outer = context.getGroupAudioGains()) {
            leftGain *= outer->leftGain;
            rightGain *= outer->rightGain;
        }
    }
    float ownLeft = 1.0f;
    float ownRight = 1.0f;
    int layerRange = 0;
};

class SoundScene {
public:
    SoundScene() {
        service.registerEffect<SoundInput>();
        service.registerEffect<Effect::AudioOutput>();
        service.registerEffect<GroupAudio>();
    }
    // A sound object on the layer over [start, end] playing `source`.
    Edit::ObjectPointer placeSound(int layer, int start, int end, std::shared_ptr<Media::AudioBuffer> source) {
        Edit::ObjectPointer object = scene.createObject(kSoundFile, layer, start, end);
        scene.updateLayerObject();
        dynamic_cast<SoundInput&>(*object->effectList[0]).source = std::move(source);
        return object;
    }
    Edit::ObjectPointer placeGroup(int layer, int start, int end, float left, float right, int range = 0) {
        Edit::ObjectPointer object = scene.createObject(kGroupAudio, layer, start, end);
        scene.updateLayerObject();
        auto& group = dynamic_cast<GroupAudio&>(*object->effectList[0]);
        group.ownLeft = left;
        group.ownRight = right;
        group.layerRange = range;
        return object;
    }
    static Effect::AudioOutput& outputOf(const Edit::ObjectPointer& object) {
        return dynamic_cast<Effect::AudioOutput&>(*object->effectList.at(1));
    }

    RegistryTest::Environment env;
    Effect::EffectService service;
    Edit::Scene scene{1, 0, &service};
};

}  // namespace AudioTest
