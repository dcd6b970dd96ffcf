#pragma once
// シーン: another scene of the project as an object, its rendered frame and
// mixed sound taken at a media position computed as for a movie, so a scene
// can be trimmed, looped, sped up or reversed like a clip.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "effects/media/InputMovieEffect.h"
#include "render/cache/CacheService.h"

#include <memory>
#include <string>

namespace Media {
class AudioBuffer;
}

namespace Effect {

class SceneLoad : public BuiltinClass<SceneLoad>, public Cache::CacheInstance, public InputMovieEffect {
public:
    static constexpr const wchar_t* Name = L"シーン";
    SceneLoad();

    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) override;
    void preloadVideo(Render::ObjectContext& context) override;
    void inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) override;
    void preloadAudio(Render::AudioObjectContext& context) override;
    int getTrackCount(int media) const override;
    const wchar_t* getDisplayName() const override;
    bool effectEvent(EffectEvent& event) override;

    EffectItemNumber position;
    EffectItemNumber speed;
    EffectItemScene scene;
    EffectItemCheck loop;

private:
    mutable std::wstring displayName_;
};

}  // namespace Effect
