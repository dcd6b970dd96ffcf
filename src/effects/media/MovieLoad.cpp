#include "effects/media/MovieLoad.h"

#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "effect/registry/EffectTranslate.h"
#include "media/audio/AudioBuffer.h"
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

// Dropped and chosen files: the source is read again; a chosen file that
// does not open is cleared and reported. Returns whether the event was
// taken, and whether the file now opens in `usable`.
bool takeFileEvent(InputMovieEffect& playback, EffectItemFile& file, EffectItemInteger& track,
                   EffectEvent& event, bool& usable) {
    usable = false;
    if (event.code == EffectEvent::FileDropped) {
        playback.invalidateMediaInfo();
        file.path = event.path ? event.path : L"";
        System::FileName::expandVariable(file.path);
        usable = playback.updateMediaInfo();
        return true;
    }
    if (event.code != EffectEvent::ItemChanged) return false;
    if (event.item == &track) {
        playback.invalidateMediaInfo();
        return true;
    }
    if (event.item != &file) return false;
    playback.invalidateMediaInfo();
    if (file.path.empty()) return false;
    if (playback.updateMediaInfo()) {
        usable = true;
        return true;
    }
    file.path.clear();
    Dialog::postError(L"このファイルには対応していません");
    return false;
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

int InputMultiTrackMovieEffect::getTrackIndex() {
    if (!updateMediaInfo()) return 0;
    const unsigned count = getMediaInfo().trackCount;
    if (count <= 1) return 0;
    return std::clamp(track_->value, 0, static_cast<int>(count) - 1);
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
    const MediaInfo info = getMediaInfo();
    return info.hasAudio ? static_cast<int>(std::max(info.trackCount, 1u)) : 0;
}

const wchar_t* MovieLoad::getDisplayName() const { return displayNameOf(file, name, displayName_); }

void MovieLoad::updateItemVisible() { showTrackRow(*this, track); }

bool MovieLoad::effectEvent(EffectEvent& event) {
    bool usable = false;
    const bool handled = takeFileEvent(*this, file, track, event, usable);
    if (event.code == EffectEvent::FileDropped || (event.code == EffectEvent::ItemChanged && event.item == &file)) {
        // Whether the object's sound can be separated.
        if (file.path.empty() || !usable) {
            withAudio.value = 0;
        } else {
            InputMovieEffect sound(AudioStream, position, speed, &file, nullptr);
            withAudio.value = sound.updateMediaInfo() ? 1 : 0;
        }
    }
    return handled;
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

bool AudioLoad::effectEvent(EffectEvent& event) {
    bool usable = false;
    return takeFileEvent(*this, file, track, event, usable);
}

}  // namespace Effect
