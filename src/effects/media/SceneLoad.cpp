#include "effects/media/SceneLoad.h"

#include "edit/model/Scene.h"
#include "effect/registry/EffectTranslate.h"
#include "media/audio/AudioBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/audio/AudioObjectContext.h"
#include "render/cache/SceneSource.h"
#include "render/cache/VramCache.h"
#include "render/context/ObjectContext.h"

namespace Effect {

SceneLoad::SceneLoad()
    : BuiltinClass(Name, EffectKind::Input, MediaKind::VideoAudio, MediaKind::VideoAudio, L""),
      InputMovieEffect(VideoStream, position, speed, nullptr, &loop, &scene),
      position(items, L"再生位置", 0, 0, 100000, 0.001),
      speed(items, L"再生速度", 100, -2000, 2000, 0.01),
      scene(items, L"シーン", 0),
      loop(items, L"ループ再生") {
    speed.notifyChange = true;
    scene.notifyChange = true;
    setupPositionItem();
}

void SceneLoad::inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) {
    result.reset();
    if (!cacheService || scene.value == 0 || !updateMediaInfo()) return;
    const auto frame = cacheService->imageCache.getMovieFrame(Cache::makeSceneFileName(scene.value), 0,
                                                              getVideoPosition(context));
    result = Cache::createResourceBuffer(frame, Media::ConvertParameters{});
}

void SceneLoad::preloadVideo(Render::ObjectContext& context) {
    if (!cacheService || scene.value == 0 || !updateMediaInfo()) return;
    cacheService->imageCache.preloadMovieFrame(Cache::makeSceneFileName(scene.value), 0, getVideoPosition(context));
}

void SceneLoad::inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) {
    result.reset();
    if (cacheService && scene.value != 0)
        result = readSourceAudio(cacheService->audioCache, Cache::makeSceneFileName(scene.value), 0, context);
}

void SceneLoad::preloadAudio(Render::AudioObjectContext& context) {
    if (cacheService && scene.value != 0)
        preloadSourceAudio(cacheService->audioCache, Cache::makeSceneFileName(scene.value), 0, context);
}

int SceneLoad::getTrackCount(int media) const { return media == 0 ? 1 : 0; }

const wchar_t* SceneLoad::getDisplayName() const {
    if (scene.value != 0)
        if (const Cache::SceneSource* source = Cache::getSceneSource())
            if (const Edit::Scene* found = source->getScene(scene.value); found && !found->name.empty()) {
                displayName_ = found->name;
                return displayName_.c_str();
            }
    return translateEffectText(name);
}

bool SceneLoad::effectEvent(EffectEvent& event) {
    switch (event.code) {
    case EffectEvent::ItemChanged:
        if (event.item == &speed) return onSpeedChanged(event);
        // A new scene plays whole, the object as long as it lasts.
        invalidateMediaInfo();
        if (!updateMediaInfo()) return false;
        fitObjectLength(event, true);
        return true;
    case EffectEvent::ObjectSplit:
    case EffectEvent::StartMoved:
    case EffectEvent::EndMoved:
        return rebaseOnRangeChange(event);
    case EffectEvent::ShowInfo:
        return showMediaInfo();
    default:
        return false;
    }
}

}  // namespace Effect
