#include "effects/media/InputMovieEffect.h"

#include "edit/model/Scene.h"
#include "effect/base/ObjectContextBase.h"
#include "effect/movement/MovementBase.h"
#include "effect/movement/MovementDefine.h"
#include "effect/movement/MovementLookup.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/MediaFileProbe.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"
#include "render/cache/AudioCache.h"
#include "render/cache/MediaFileSource.h"
#include "render/cache/SceneSource.h"
#include "core/base/Singleton.h"

#include <algorithm>
#include <cmath>

namespace Effect {

namespace {

// Stored value i in the item's units, i clamped to the stored values.
double storedValue(const EffectItemNumber& item, int index) {
    if (item.values.empty()) return 0.0;
    const int i = std::clamp(index, 0, static_cast<int>(item.values.size()) - 1);
    return static_cast<double>(item.values[static_cast<std::size_t>(i)]) / item.scale;
}

double sceneFps(const Render::ObjectContextBase& context) {
    if (!context.scene || context.scene->videoScale == 0) return 30.0;
    return static_cast<double>(context.scene->videoRate) / context.scene->videoScale;
}

}  // namespace

InputMovieEffect::InputMovieEffect(int kind, EffectItemNumber& position, EffectItemNumber& speed,
                                   EffectItemFile* file, EffectItemCheck* loop, EffectItemScene* scene)
    : kind_(kind), position_(&position), speed_(&speed), file_(file), loop_(loop), scene_(scene) {}

void InputMovieEffect::setupPositionItem() {
    if (DefaultMovement::movieRange) position_->setMovement(*DefaultMovement::movieRange);
    position_->movementMenuCallback = [](std::vector<MovementDefine*>& movements) {
        if (const EffectService* service = System::Singleton<EffectService>::getInstance())
            movements.push_back(&service->findMovement(L"再生範囲"));
    };
}

bool InputMovieEffect::updateMediaInfo() const {
    std::lock_guard lock(mutex_);
    if (scene_) {
        info_ = {};
        info_.hasVideo = info_.hasAudio = true;
        const Edit::Scene* scene = nullptr;
        if (scene_->value != 0)
            if (const Cache::SceneSource* source = Cache::getSceneSource()) scene = source->getScene(scene_->value);
        if (scene && scene->videoRate > 0 && scene->videoScale > 0) {
            info_.length = static_cast<double>(scene->totalLength + 1) * scene->videoScale / scene->videoRate;
            info_.frameRate = static_cast<double>(scene->videoRate) / scene->videoScale;
        }
        return info_.length != 0.0;
    }
    if (fresh_) return kind_ == AudioStream ? info_.hasAudio : info_.hasVideo;
    fresh_ = true;
    ++readings_;
    info_ = {};
    const MediaFileProbe* probe = getMediaFileProbe();
    MediaFileProbe::Info file;
    if (!file_ || file_->path.empty() || !probe || !probe->getInfo(file_->path, kind_, file)) return false;
    info_.hasVideo = file.video;
    info_.hasAudio = file.audio;
    info_.isYUY2 = file.video && file.pixelFormat == 107;
    info_.isYC48 = file.video && file.pixelFormat == 13;
    info_.audioTrackCount = static_cast<unsigned>(std::max(file.audioTrackCount, 0));
    if (file.multiTrack)
        info_.trackCount = static_cast<unsigned>(
            kind_ == AudioStream ? file.audioTrackCount : std::max(file.videoTrackCount, file.audioTrackCount));
    if (kind_ == AudioStream)
        info_.length = file.sampleRate > 0 ? static_cast<double>(file.sampleCount) / file.sampleRate : 0.0;
    else
        info_.length = file.rate ? static_cast<double>(file.frameCount) * file.scale / file.rate : 0.0;
    info_.frameRate = kind_ == VideoStream && file.scale ? static_cast<double>(file.rate) / file.scale : 0.0;
    return true;
}

InputMovieEffect::MediaInfo InputMovieEffect::getMediaInfo() const {
    std::lock_guard lock(mutex_);
    return info_;
}

void InputMovieEffect::invalidateMediaInfo() {
    std::lock_guard lock(mutex_);
    fresh_ = false;
}

std::unique_ptr<Media::AudioBuffer> InputMovieEffect::readSourceAudio(Cache::AudioCache& cache,
                                                                      const std::wstring& name, int track,
                                                                      const Render::AudioObjectContext& context) {
    if (!updateMediaInfo()) return nullptr;
    const double q = getAudioPosition(context);
    if (!(q <= getMediaInfo().length)) return nullptr;
    if (!hasSourceSound(cache, name, track)) return nullptr;
    const Render::AudioSampleRange& range = context.sampleRange;
    return cache.readAudio(name, track, Cache::AudioSampleRange{range.offset, range.rate}, range.count,
                           q - getElapsedMediaTime(context), getPlaybackRate(context));
}

void InputMovieEffect::preloadSourceAudio(Cache::AudioCache& cache, const std::wstring& name, int track,
                                          const Render::AudioObjectContext& context) {
    if (!updateMediaInfo()) return;
    const double q = getAudioPosition(context);
    if (!(q <= getMediaInfo().length)) return;
    if (!hasSourceSound(cache, name, track)) return;
    const Render::AudioSampleRange& range = context.sampleRange;
    cache.preloadAudio(name, track, Cache::AudioSampleRange{range.offset, range.rate}, range.count,
                       q - getElapsedMediaTime(context), getPlaybackRate(context));
}

bool InputMovieEffect::hasSourceSound(Cache::AudioCache& cache, const std::wstring& name, int track) const {
    // A scene is looked up, not opened.
    if (scene_) return true;
    const std::wstring trackName = Cache::makeTrackName(name, track);
    unsigned reading;
    {
        std::lock_guard lock(mutex_);
        reading = readings_;
    }
    std::lock_guard lock(soundMutex_);
    if (!sound_ || sound_->name != trackName || sound_->reading != reading)
        sound_ = SoundCheck{trackName, reading, cache.getSourceRate({trackName, 0}) > 0};
    return sound_->found;
}

bool InputMovieEffect::isDerived() const {
    return position_->movement == DefaultMovement::noMove || position_->movement == DefaultMovement::movieRange;
}

bool InputMovieEffect::isReverse() const { return storedValue(*speed_, 0) < 0.0 && isDerived(); }

double InputMovieEffect::speedRatio(int section) const { return storedValue(*speed_, section) / 100.0; }

InputMovieEffect::PlayRange InputMovieEffect::getPlayRange() const {
    const double length = getMediaInfo().length;
    if (position_->movement != DefaultMovement::movieRange) return {0.0, length};
    PlayRange range;
    range.start = std::clamp(storedValue(*position_, 0), 0.0, std::max(length, 0.0));
    const double end = storedValue(*position_, 1);
    if (end > 0.0 && end <= length)
        range.end = std::max(end, range.start);
    else
        range.end = length;
    return range;
}

double InputMovieEffect::computeRawPosition(double fps, int start, int end, const std::vector<int>& midPoints,
                                            double frame) const {
    const double v = storedValue(*position_, 0);
    if (speed_->movement == DefaultMovement::noMove) return v + (frame - start) / fps * speedRatio(0);
    const int count = static_cast<int>(midPoints.size());
    int n = 0;
    while (n < count && midPoints[static_cast<std::size_t>(n)] <= frame - start) ++n;
    const auto sectionLength = [&](int i) {
        if (count == 0) return static_cast<double>(end - start);
        if (i == 0) return static_cast<double>(midPoints[0]);
        if (i < count) return static_cast<double>(midPoints[static_cast<std::size_t>(i)] - midPoints[static_cast<std::size_t>(i - 1)]);
        return static_cast<double>((end - start) - midPoints.back());
    };
    double p = v;
    for (int i = 0; i < n; ++i) p += sectionLength(i) / fps * speedRatio(i);
    const double sectionStart = n == 0 ? start : start + midPoints[static_cast<std::size_t>(n - 1)];
    return p + (frame - sectionStart) / fps * speedRatio(n);
}

double InputMovieEffect::wrapPosition(double x, const PlayRange& range) const {
    const double a = range.start, b = range.end;
    const bool reverse = isReverse();
    if (loop_ && loop_->value) {
        const double length = b - a;
        if (length <= 0.0) return a;
        const double m = std::fmod(x - a, length);
        if (reverse)
            x = m > 0.0 ? m - length + a : m + a;
        else
            x = m < 0.0 ? m + length + a : m + a;
    }
    if (reverse) x += b - a;
    return x;
}

double InputMovieEffect::unwrapped(const Render::ObjectContextBase& context) const {
    if (!isDerived()) return static_cast<float>(position_->getValue(context));
    const ObjectFrames& frames = context.getObjectFrames();
    return computeRawPosition(sceneFps(context), frames.start, frames.end, frames.boundaries,
                              context.time + context.frameOffset);
}

double InputMovieEffect::getVideoPosition(const Render::ObjectContextBase& context) const {
    const PlayRange range = getPlayRange();
    const double w = wrapPosition(unwrapped(context), range);
    const double upper = context.frameOffset > 0 && isDerived() ? getMediaInfo().length : range.end;
    return w > upper ? upper : std::max(w, range.start);
}

double InputMovieEffect::getAudioPosition(const Render::ObjectContextBase& context) const {
    const PlayRange range = getPlayRange();
    const double w = wrapPosition(unwrapped(context), range);
    const bool outside = getPlaybackRate(context) < 0.0 ? w <= range.start || w > range.end
                                                        : w < range.start || w >= range.end;
    return outside ? getMediaInfo().length + 1.0 : w;
}

double InputMovieEffect::getPlaybackRate(const Render::ObjectContextBase& context) const {
    const int section = context.sectionPosition.index;
    double rate = speedRatio(section);
    if (!isDerived() && storedValue(*position_, section + 1) < storedValue(*position_, section)) rate = -rate;
    return rate;
}

double InputMovieEffect::getElapsedMediaTime(const Render::ObjectContextBase& context) const {
    return std::fabs(speedRatio(context.sectionPosition.index)) *
           (context.time - context.getObjectFrames().start) / sceneFps(context);
}

}  // namespace Effect
