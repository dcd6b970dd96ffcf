#pragma once
// Scenes whose sound is rendered through the real audio walk: a project with
// an edit service over small sound kinds (a signal made from the sample
// position, a time control, a group audio control, the scene itself as a
// sound) and an audio render worker.
#include "effect/base/ControlState.h"
#include "core/event/EventService.h"
#include "edit/service/EditService.h"
#include "render/audio/AudioSampleRange.h"
#include "render/audio/RenderAudioWorker.h"

#include "AudioTestSupport.h"

#include <future>

namespace AudioTest {

inline constexpr wchar_t kTime[] = L"時間制御(オブジェクト)";
inline constexpr wchar_t kScene[] = L"シーン";

// The test signal at a sample position: exact in float, and exact again
// when halved or quartered.
inline float signalLeft(std::int64_t n) { return static_cast<float>(n % 251 - 125) / 128.0f; }
inline float signalRight(std::int64_t n) { return static_cast<float>(n % 97) / 64.0f - 0.75f; }

// The signal over the context's sample range, counted from the object's
// first sample.
class Signal : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kSoundFile;
    Signal()
        : EffectBase(kSoundFile, Effect::EffectKind::Input, Effect::MediaKind::Audio, Effect::MediaKind::Audio, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Signal>(); }
    void inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) override {
        const Render::AudioSampleRange range = context.getAudioSampleRange();
        result = std::make_unique<Media::AudioBuffer>();
        result->allocate(static_cast<std::uint32_t>(range.count), 2);
        for (std::int32_t i = 0; i < range.count; ++i) {
            result->getChannel(0)[i] = signalLeft(range.offset + i);
            result->getChannel(1)[i] = signalRight(range.offset + i);
        }
    }
};

// Moves the frame of the layers it governs by shift.
class TimeShift : public Effect::EffectBase, public Effect::TimeControlState {
public:
    static constexpr const wchar_t* Name = kTime;
    TimeShift()
        : EffectBase(kTime, Effect::EffectKind::Control, Effect::MediaKind::VideoAudio, Effect::MediaKind::Scene, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<TimeShift>(); }
    int getLayerRange() const override { return range; }
    void preloadAudio(Render::AudioObjectContext& context) override {
        context.frame += shift;
        context.time += shift;
        context.sampleRange.position = Render::sampleOfFrame(context.sampleRange.rate, context.frame,
                                                             context.scene->videoRate, context.scene->videoScale);
    }
    int shift = 0;
    int range = 0;
};

// Plays its own scene, which the walk must refuse.
class SelfScene : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kScene;
    SelfScene()
        : EffectBase(kScene, Effect::EffectKind::Input, Effect::MediaKind::Audio, Effect::MediaKind::Audio, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<SelfScene>(); }
    void preloadAudio(Render::AudioObjectContext& context) override {
        worker->createSceneAudioBlock(*context.scene, 0, [](std::shared_ptr<Media::AudioBlockBuffer>) {});
    }
    inline static Render::RenderAudioWorker* worker = nullptr;
};

class AudioWalkFixture {
public:
    AudioWalkFixture() { SelfScene::worker = &worker; }
    ~AudioWalkFixture() { SelfScene::worker = nullptr; }

    Edit::Scene& scene() { return *edit.getCurrentScene(); }

    Edit::ObjectPointer placeSignal(int layer, int start, int end) {
        Edit::ObjectPointer object = scene().createObject(kSoundFile, layer, start, end);
        scene().updateLayerObject();
        return object;
    }
    Edit::ObjectPointer placeGroup(int layer, int start, int end, float left, float right, int range) {
        Edit::ObjectPointer object = scene().createObject(kGroupAudio, layer, start, end);
        scene().updateLayerObject();
        auto& group = dynamic_cast<GroupAudio&>(*object->effectList[0]);
        group.ownLeft = left;
        group.ownRight = right;
        group.layerRange = range;
        object->layerRangeControl = true;
        return object;
    }
    static Effect::AudioOutput& outputOf(const Edit::ObjectPointer& object) {
        return dynamic_cast<Effect::AudioOutput&>(*object->effectList.at(1));
    }

    // The frame's mix as a one-shot request: left and right planes.
    std::vector<std::vector<float>> render(int frame) {
        std::promise<std::vector<std::vector<float>>> result;
        worker.requestRenderingFrame(Render::RenderTaskType::OneShot, frame, [&](int, Media::AudioBuffer& buffer) {
            if (buffer.channels == 0) {
                result.set_value({{}, {}});
                return;
            }
            result.set_value({plane(buffer, 0), plane(buffer, 1)});
        });
        return result.get_future().get();
    }

    RegistryTest::Environment env;
    Effect::EffectService service;
    // The stand-ins take only the names the program's own effects left
    // free, so tests of those effects walk the real ones.
    template <class Kind>
    void registerStandIn() {
        if (!service.createEffect(Kind::Name)) service.registerEffect<Kind>();
    }
    bool registered = [this] {
        registerStandIn<Signal>();
        registerStandIn<Effect::AudioOutput>();
        registerStandIn<GroupAudio>();
        registerStandIn<TimeShift>();
        registerStandIn<SelfScene>();
        return true;
    }();
    System::Singleton<Event::EventService> events;
    Edit::EditService edit{&service};
    Render::RenderAudioWorker worker{&edit};
};

}  // namespace AudioTest
