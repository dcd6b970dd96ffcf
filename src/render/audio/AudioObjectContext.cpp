#include "render/audio/AudioObjectContext.h"

#include "edit/model/Object.h"
#include "edit/model/Scene.h"
#include "effect/base/EffectBase.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/GroupAudioGains.h"


namespace Render {

namespace Kind = Effect::EffectKind;
namespace MediaKind = Effect::MediaKind;

namespace {

GroupAudioGains* gainsOf(const Edit::Object& object) {
    return object.effectList.empty() ? nullptr : dynamic_cast<GroupAudioGains*>(object.effectList.front().get());
}

bool isAudio(std::uint8_t media) { return media == MediaKind::Audio || media == MediaKind::VideoAudio; }

}  // namespace

GroupAudioGains* AudioObjectContext::getGroupAudioGains() const {
    return groupAudioControl ? gainsOf(*groupAudioControl) : nullptr;
}

template <class Visit>
void AudioObjectContext::forEachListedObject(Visit visit) {
    if (!filterObjects) return;
    const std::shared_ptr<Edit::Object> own = object;
    for (const std::shared_ptr<Edit::Object>& listed : *filterObjects) {
        setObject(listed);
        if (!visit(*listed)) break;
    }
    setObject(own);
}

void AudioObjectContext::collectGroupAudioControls() {
    if (!filterObjects || !scene || !groupAudioControl) return;
    const std::shared_ptr<Edit::Object>& group = groupAudioControl;
    if (group->effectList.size() >= 2) filterObjects->push_back(group);
    const GroupAudioGains* gains = gainsOf(*group);
    int current = group->layer;
    int next = gains ? gains->parentLayer : -1;
    while (next != -1 && next < current) {
        const Edit::ObjectPointer& found = scene->findObjectAtFrame(next, frame, MediaKind::Audio);
        if (!found || !gainsOf(*found)) break;
        if (found->effectList.size() >= 2) filterObjects->push_back(found);
        const GroupAudioGains* enclosing = gainsOf(*found);
        current = next;
        next = enclosing ? enclosing->parentLayer : -1;
    }
}

void AudioObjectContext::preloadAudio() {
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList)
            if (!effect->disable && (effect->effectType == Kind::Input || effect->effectType == Kind::Filter))
                effect->preloadAudio(*this);
        return true;
    });
}

void AudioObjectContext::renderAudioObject() {
    if (!object || object->effectList.empty()) return;
    std::unique_ptr<Media::AudioBuffer> audio;
    object->effectList.front()->inputAudio(audio, *this);
    if (!audio || audio->samples == 0) return;
    applyAudioFilters(audio);
    outputAudio(audio);
}

void AudioObjectContext::applyAudioFilters(std::unique_ptr<Media::AudioBuffer>& audio) {
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList) {
            if (effect->disable || effect->effectType != Kind::Filter || !isAudio(effect->mediaType)) continue;
            std::unique_ptr<Media::AudioBuffer> result;
            effect->filterAudio(result, *this, std::move(audio));
            audio = std::move(result);
            if (!audio || audio->samples == 0) return false;
        }
        return true;
    });
}

void AudioObjectContext::outputAudio(std::unique_ptr<Media::AudioBuffer>& audio) {
    if (!audio || audio->samples == 0 || !filterObjects || filterObjects->empty() || !target) return;
    const std::shared_ptr<Edit::Object> own = object;
    const std::shared_ptr<Edit::Object> first = filterObjects->front();
    if (first && first->effectList.size() >= 2) {
        setObject(first);
        first->effectList[1]->outputAudio(*this, *target, audio);
    }
    setObject(own);
}

}  // namespace Render
