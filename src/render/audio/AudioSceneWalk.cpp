#include "render/audio/AudioSceneWalk.h"

#include "edit/model/Scene.h"
#include "effect/base/EffectBase.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/GroupAudioGains.h"
#include "render/audio/RenderAudioWorker.h"

#include <algorithm>

namespace Render {

namespace Kind = Effect::EffectKind;
namespace MediaKind = Effect::MediaKind;

namespace {

constexpr int objectTask = static_cast<int>(RenderTaskType::ObjectTask);

bool isAudio(std::uint8_t media) { return media == MediaKind::Audio || media == MediaKind::VideoAudio; }

int layerRange(const Edit::Object& control) {
    const int range = control.effectList.front()->getLayerRange();
    return range == 0 ? Edit::LayerObjectManager::AllLayers : range;
}

}  // namespace

void RenderAudioWorker::renderScene(Edit::Scene& scene, int frame, Media::AudioBuffer& target) {
    AudioSceneWalk(*this, scene, frame, target).run();
}

AudioSceneWalk::AudioSceneWalk(RenderAudioWorker& worker, Edit::Scene& scene, int frame, Media::AudioBuffer& target)
    : worker_(worker), scene_(scene), target_(target) {
    context_.scene = &scene;
    context_.frame = frame;
    context_.time = frame;
    context_.target = &target;
    context_.sampleRange = frameSampleRange(scene.audioRate, scene.videoRate, scene.videoScale, frame, frame);
    context_.sampleRange.offset = 0;
    start_ = context_;
}

void AudioSceneWalk::restoreStart() {
    context_.frame = start_.frame;
    context_.time = start_.time;
    context_.sampleRange.position = start_.sampleRange.position;
}

void AudioSceneWalk::run() {
    Media::AudioBuffer* const target = &target_;
    const auto count = static_cast<std::uint32_t>(std::max(context_.sampleRange.count, 0));
    worker_.objectWorker().pushTask(objectTask, [target, count] {
        target->allocate(count, 2);
        target->clear();
    });
    RenderWorkerBase::RenderSection section(worker_, scene_.id);
    if (section.refused()) return;
    for (int i = 0; i <= scene_.lastLayer; ++i) walkLayer(i);
}

void AudioSceneWalk::walkLayer(int i) {
    if (timeControlActive_ && timeControlEnd_ < i) {
        restoreStart();
        timeControlActive_ = false;
    }
    // Hidden layers, missing or disabled objects and objects without sound
    // are passed over.
    const Edit::ObjectPointer& found = scene_.findObjectAtFrame(i, context_.frame, MediaKind::Audio);
    if (!found) return;
    const Edit::ObjectPointer object = found;
    context_.layer = i;
    if (!groups_.empty()) {
        std::erase_if(groups_, [i](const GroupEntry& entry) { return entry.endLayer < i; });
        context_.groupAudioControl = groups_.empty() ? nullptr : groups_.back().object;
    }
    switch (object->effectList.front()->effectType) {
    case Kind::Control: walkControl(object); break;
    case Kind::Input:
        if (object->effectList.size() >= 2 && isAudio(object->effectList[1]->mediaType))
            worker_.renderObject(context_, object);
        break;
    default: break;  // filter objects apply with the object before them
    }
}

void AudioSceneWalk::walkControl(const Edit::ObjectPointer& object) {
    Effect::EffectBase& control = *object->effectList.front();
    if (auto* gains = dynamic_cast<GroupAudioGains*>(&control)) {
        gains->parentLayer = context_.groupAudioControl ? context_.groupAudioControl->layer : -1;
        worker_.renderControlObject(context_, object);
        context_.groupAudioControl = object;
        groups_.push_back({object, object->layer + layerRange(*object)});
    } else if (dynamic_cast<Effect::TimeControlState*>(&control)) {
        if (timeControlActive_) restoreStart();
        context_.setObject(object);
        control.preloadAudio(context_);
        timeControlActive_ = true;
        timeControlEnd_ = object->layerRangeControl ? object->layer + layerRange(*object) : object->layer;
    } else {
        worker_.renderControlObject(context_, object);
    }
}

}  // namespace Render
