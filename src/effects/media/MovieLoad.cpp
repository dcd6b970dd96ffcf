#include "effects/media/MovieLoad.h"

#include "edit/scope/EditScope.h"
#include "effect/registry/EffectTranslate.h"
#include "effect/registry/MediaFileProbe.h"
#include "media/audio/AudioBuffer.h"
#include "media/audio/WaveformBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/audio/AudioObjectContext.h"
#include "render/cache/VramCache.h"
#include "render/context/ObjectContext.h"

#include <algorithm>

namespace Effect {

namespace {

// The file's name after its folder, else the kind's translated name.
const wchar_t* displayNameOf(const EffectItemFile& file, const wchar_t* name, std::wstring& storage) {
    if (file.path.empty()) return translateEffectText(name);
    const std::size_t slash = file.path.find_last_of(L"/\\");
    storage = slash == std::wstring::npos ? file.path : file.path.substr(slash + 1);
    return storage.c_str();
}

// A new track reads the source again.
bool takeTrackChanged(InputMovieEffect& playback, const EffectItemFile& file) {
    playback.invalidateMediaInfo();
    return !file.path.empty() && playback.updateMediaInfo();
}

void showTrackRow(InputMovieEffect& playback, EffectItemInteger& track) {
    const bool tracks = playback.updateMediaInfo() && playback.getMediaInfo().trackCount > 1;
    track.maximum = tracks ? static_cast<int>(playback.getMediaInfo().trackCount) - 1 : 0;
    track.visible = tracks;
}

}  // namespace

InputMultiTrackMovieEffect::InputMultiTrackMovieEffect(int kind, EffectItemNumber& position,
                                                       EffectItemNumber& speed, EffectItemFile& file,
                                                       EffectItemCheck& loop, EffectItemInteger& track)
    : InputMovieEffect(kind, position, speed, &file, &loop), track_(&track), file_(&file) {}

int InputMultiTrackMovieEffect::getTrackIndex() const {
    if (!updateMediaInfo()) return 0;
    const unsigned count = getMediaInfo().trackCount;
    if (count <= 1) return 0;
    return std::clamp(track_->value, 0, static_cast<int>(count) - 1);
}

std::shared_ptr<Media::WaveformBuffer> InputMultiTrackMovieEffect::getSourceWaveform(Cache::CacheService* cache) const {
    if (!cache || !updateMediaInfo() || !getMediaInfo().hasAudio) return {};
    return cache->waveformCache.getWaveform(file_->path, getTrackIndex());
}

float InputMultiTrackMovieEffect::getSourceWaveformPosition(const Render::ObjectContextBase& context) const {
    return static_cast<float>(getAudioPosition(context) * 128.0);
}

MovieLoad::MovieLoad()
    : BuiltinClass(Name, EffectKind::Input, MediaKind::VideoAudio, MediaKind::VideoAudio, L""),
      InputMultiTrackMovieEffect(VideoStream, position, speed, file, loop, track),
      position(items, L"再生位置", 0, 0, 100000, 0.001, ItemType::PlayPosition),
      speed(items, L"再生速度", 100, -2000, 2000, 0.01),
      file(items, L"ファイル", L"", nullptr),
      track(items, L"トラック", 0, 0, 0, 0),
      loop(items, L"ループ再生"),
      withAudio(items, L"音声付き", 0, 0, 0, 1, nullptr, ItemType::HiddenInteger),
      yuv(items, L"YUV") {
    speed.notifyChange = true;
    file.notifyChange = true;
    file.filterSource = [] { return mediaFileFilter(1); };
    track.notifyChange = true;
    setupPositionItem();
}

void MovieLoad::inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) {
    result.reset();
    if (!cacheService || !updateMediaInfo()) return;
    const auto frame = cacheService->imageCache.getMovieFrame(file.path, getTrackIndex(), getVideoPosition(context));
    result = Cache::createResourceBuffer(frame, Media::ConvertParameters{yuv.colorSpace, yuv.range});
}

void MovieLoad::preloadVideo(Render::ObjectContext& context) {
    if (!cacheService || !updateMediaInfo()) return;
    cacheService->imageCache.preloadMovieFrame(file.path, getTrackIndex(), getVideoPosition(context));
}

void MovieLoad::inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) {
    result = cacheService ? readSourceAudio(cacheService->audioCache, file.path, getTrackIndex(), context) : nullptr;
}

void MovieLoad::preloadAudio(Render::AudioObjectContext& context) {
    if (cacheService) preloadSourceAudio(cacheService->audioCache, file.path, getTrackIndex(), context);
}

int MovieLoad::getTrackCount(int media) const {
    if (media == 0) return file.path.empty() ? 0 : withAudio.value;
    // Right after a load nothing has read the file yet.
    updateMediaInfo();
    const MediaInfo info = getMediaInfo();
    // A file that gives no count carries one sound track.
    return info.hasAudio ? static_cast<int>(std::max(info.audioTrackCount, 1u)) : 0;
}

const wchar_t* MovieLoad::getDisplayName() const { return displayNameOf(file, name, displayName_); }

void MovieLoad::updateItemVisible() { showTrackRow(*this, track); }

std::shared_ptr<Media::WaveformBuffer> MovieLoad::getWaveform() const { return getSourceWaveform(cacheService); }

float MovieLoad::getWaveformPosition(Render::ObjectContext& context) { return getSourceWaveformPosition(context); }

bool MovieLoad::effectEvent(EffectEvent& event) {
    // Whether the object's sound can be separated: known only once the
    // file was read again.
    const auto takeSound = [this] { withAudio.value = isMediaInfoFresh() && getMediaInfo().hasAudio ? 1 : 0; };
    switch (event.code) {
    case EffectEvent::ItemChanged: {
        if (event.item == &speed) return onSpeedChanged(event);
        if (event.item == &track) return takeTrackChanged(*this, file);
        if (event.scope) {
            event.scope->rebuildSetting = true;
            event.scope->refreshTimeSetting = true;
            event.scope->refreshColorSetting = true;
            event.scope->refreshTextSetting = true;
        }
        const bool result = onFileChanged(event);
        takeSound();
        return result;
    }
    case EffectEvent::FileDropped: {
        const bool result = onFileDropped(event);
        takeSound();
        return result;
    }
    case EffectEvent::ObjectSplit:
    case EffectEvent::StartMoved:
    case EffectEvent::EndMoved:
        return rebaseOnRangeChange(event);
    case EffectEvent::AudioSplit:
        updateMediaInfo();
        track.value = event.track;
        return false;
    case EffectEvent::ShowInfo:
        return showMediaInfo();
    default:
        return false;
    }
}

AudioLoad::AudioLoad()
    : BuiltinClass(Name, EffectKind::Input, MediaKind::Audio, MediaKind::Audio, L""),
      InputMultiTrackMovieEffect(AudioStream, position, speed, file, loop, track),
      position(items, L"再生位置", 0, 0, 100000, 0.001),
      speed(items, L"再生速度", 100, -2000, 2000, 0.01),
      file(items, L"ファイル", L"", nullptr),
      track(items, L"トラック", 0, 0, 0, 0),
      loop(items, L"ループ再生") {
    speed.notifyChange = true;
    file.notifyChange = true;
    file.filterSource = [] { return mediaFileFilter(2); };
    track.notifyChange = true;
    setupPositionItem();
}

void AudioLoad::inputAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context) {
    result = cacheService ? readSourceAudio(cacheService->audioCache, file.path, getTrackIndex(), context) : nullptr;
}

void AudioLoad::preloadAudio(Render::AudioObjectContext& context) {
    if (cacheService) preloadSourceAudio(cacheService->audioCache, file.path, getTrackIndex(), context);
}

const wchar_t* AudioLoad::getDisplayName() const { return displayNameOf(file, name, displayName_); }

void AudioLoad::updateItemVisible() { showTrackRow(*this, track); }

std::shared_ptr<Media::WaveformBuffer> AudioLoad::getWaveform() const { return getSourceWaveform(cacheService); }

float AudioLoad::getWaveformPosition(Render::ObjectContext& context) { return getSourceWaveformPosition(context); }

bool AudioLoad::effectEvent(EffectEvent& event) {
    switch (event.code) {
    case EffectEvent::ItemChanged:
        if (event.item == &speed) return onSpeedChanged(event);
        if (event.item == &track) return takeTrackChanged(*this, file);
        return onFileChanged(event);
    case EffectEvent::FileDropped:
        return onFileDropped(event);
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

namespace Effect {

bool MovieLoad::isSupportedFile(const wchar_t* path) const { return isMediaFileOfKind(1, path); }

bool AudioLoad::isSupportedFile(const wchar_t* path) const { return isMediaFileOfKind(2, path); }

}  // namespace Effect
