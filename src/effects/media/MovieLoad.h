#pragma once
// 動画ファイル and 音声ファイル: a video file's frame (and its sound), or a
// sound file, at the media position the playback computes; a multi-track
// file plays the chosen track.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemYUV.h"
#include "effects/base/BuiltinClass.h"
#include "effects/media/InputMovieEffect.h"
#include "render/cache/AudioCache.h"
#include "render/cache/CacheService.h"

#include <memory>
#include <string>

namespace Media {
class AudioBuffer;
class WaveformBuffer;
}

namespace Effect {

// What the two file objects share: the track, the sound and the file rows.
class InputMultiTrackMovieEffect : public InputMovieEffect {
public:
    InputMultiTrackMovieEffect(int kind, EffectItemNumber& position, EffectItemNumber& speed,
                               EffectItemFile& file, EffectItemCheck& loop, EffectItemInteger& track);
    // The track actually read.
    int getTrackIndex() const;
    // The file's 128-a-second waveform of the track read; none while the
    // file has no sound.
    std::shared_ptr<Media::WaveformBuffer> getSourceWaveform(Cache::CacheService* cache) const;
    // The waveform index of the context's audio position.
    float getSourceWaveformPosition(const Render::ObjectContextBase& context) const;

protected:
    EffectItemInteger* track_;
    EffectItemFile* file_;
};

class MovieLoad : public BuiltinClass<MovieLoad>, public Cache::CacheInstance, public InputMultiTrackMovieEffect {
public:
    static constexpr const wchar_t* Name = L"動画ファイル";
    MovieLoad();

    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) override;
    void preloadVideo(Render::ObjectContext& context) override;
    void inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) override;
    void preloadAudio(Render::AudioObjectContext& context) override;
    int getTrackCount(int media) const override;
    std::shared_ptr<Media::WaveformBuffer> getWaveform() const override;
    float getWaveformPosition(Render::ObjectContext& context) override;
    const wchar_t* getDisplayName() const override;
    void updateItemVisible() override;
    bool effectEvent(EffectEvent& event) override;
    bool isSupportedFile(const wchar_t* path) const override;

    EffectItemNumber position;
    EffectItemNumber speed;
    EffectItemFile file;
    EffectItemInteger track;
    EffectItemCheck loop;
    EffectItemInteger withAudio;
    EffectItemYUV yuv;

private:
    mutable std::wstring displayName_;
};

class AudioLoad : public BuiltinClass<AudioLoad>, public Cache::CacheInstance, public InputMultiTrackMovieEffect {
public:
    static constexpr const wchar_t* Name = L"音声ファイル";
    AudioLoad();

    void inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) override;
    void preloadAudio(Render::AudioObjectContext& context) override;
    std::shared_ptr<Media::WaveformBuffer> getWaveform() const override;
    float getWaveformPosition(Render::ObjectContext& context) override;
    const wchar_t* getDisplayName() const override;
    void updateItemVisible() override;
    bool effectEvent(EffectEvent& event) override;
    bool isSupportedFile(const wchar_t* path) const override;

    EffectItemNumber position;
    EffectItemNumber speed;
    EffectItemFile file;
    EffectItemInteger track;
    EffectItemCheck loop;

private:
    mutable std::wstring displayName_;
};

}  // namespace Effect
