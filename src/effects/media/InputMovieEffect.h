#pragma once
// The playback shared by the media objects that play a source over time:
// which second of the source a frame shows or plays (start value, speed per
// section, play range, loop, reverse), with a cache of the source's length
// and format.
//
// The position item is "derived" while it uses 移動無し or 再生範囲: the
// media position then follows from the speed; with any other movement its
// own animated value is the position. The speed never changes within a
// section.
//
// The video and audio walks refresh and read the media information from
// their own threads, so it is kept under a lock of the instance.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace Cache {
class AudioCache;
struct AudioSampleRange;
}
namespace Media {
class AudioBuffer;
}
namespace Render {
class AudioObjectContext;
class ObjectContextBase;
}

namespace Effect {

class InputMovieEffect {
public:
    struct MediaInfo {
        double length = 0.0;     // seconds; 0 without any
        double frameRate = 0.0;  // frames per second of a video source; 0 for sound
        unsigned trackCount = 0;
        bool hasVideo = false;
        bool hasAudio = false;
        bool isYUY2 = false;
        bool isYC48 = false;
    };
    struct PlayRange {
        double start = 0.0;
        double end = 0.0;
    };
    // The stream a source is asked for.
    enum Kind : int { VideoStream = 1, AudioStream = 2 };

    // A source is a file or, with a scene item, a scene of the project.
    InputMovieEffect(int kind, EffectItemNumber& position, EffectItemNumber& speed, EffectItemFile* file,
                     EffectItemCheck* loop, EffectItemScene* scene = nullptr);

    // The position starts with 再生範囲 (the whole media), which only its
    // movement menu offers.
    void setupPositionItem();
    // Refreshes the information when it is stale (a scene every time, so
    // edits of the scene show at once); whether the source is usable for
    // the kind.
    bool updateMediaInfo();
    MediaInfo getMediaInfo() const;
    // The next use reads the source again.
    void invalidateMediaInfo();

    PlayRange getPlayRange() const;
    // The unwrapped media second at a (fractional) frame of an object from
    // start to end with its mid-point offsets, in a scene of fps frames a
    // second.
    double computeRawPosition(double fps, int start, int end, const std::vector<int>& midPoints,
                              double frame) const;
    double wrapPosition(double position, const PlayRange& range) const;
    double getVideoPosition(const Render::ObjectContextBase& context) const;
    // Beyond the length when nothing is to be played.
    double getAudioPosition(const Render::ObjectContextBase& context) const;
    // The speed of the context's section, below 0 backwards.
    double getPlaybackRate(const Render::ObjectContextBase& context) const;
    // Media seconds from the object's start to the context's time at the
    // section's speed.
    double getElapsedMediaTime(const Render::ObjectContextBase& context) const;

    // The source's sound (a file or scene name of the caches) for the
    // context's samples, read from the media second of the frame: none
    // while nothing plays. The preload asks the same blocks ahead.
    std::unique_ptr<Media::AudioBuffer> readSourceAudio(Cache::AudioCache& cache, const std::wstring& name,
                                                        int track, const Render::AudioObjectContext& context);
    void preloadSourceAudio(Cache::AudioCache& cache, const std::wstring& name, int track,
                            const Render::AudioObjectContext& context);

    bool isDerived() const;
    bool isReverse() const;
    // The speed ratio of a section.
    double speedRatio(int section) const;

protected:
    int kind_;
    EffectItemNumber* position_;
    EffectItemNumber* speed_;
    EffectItemFile* file_;
    EffectItemCheck* loop_;
    EffectItemScene* scene_;

private:
    // The media position at the context before wrapping.
    double unwrapped(const Render::ObjectContextBase& context) const;

    mutable std::mutex mutex_;
    MediaInfo info_;
    bool fresh_ = false;
};

}  // namespace Effect
