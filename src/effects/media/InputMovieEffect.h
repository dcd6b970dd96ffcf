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
#include "effect/base/EffectEvent.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemFile.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Edit {
class Object;
}
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
        unsigned audioTrackCount = 0;  // as the file describes it (0 when it does not)
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
    bool updateMediaInfo() const;
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
    // Beyond the length when nothing is to be played. Backwards, a frame
    // plays the sound just before its position, so the range's end is
    // playable and its start is not.
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

    // Timeline edits of the object (user-interface thread, inside the
    // event's edit scope). Each returns whether it did its work.
    //
    // The object takes the length its play range lasts at its speed; a
    // plain resize (not resetRange) only ever shortens it. Skipped while the
    // position is animated, the speed is animated, the object loops or has
    // mid-points, or the speed is too slow to fit.
    bool fitObjectLength(EffectEvent& event, bool resetRange);
    // A new speed fits the length to the play range.
    bool onSpeedChanged(EffectEvent& event);
    // A split or a moved start or end keeps each frame on the media second
    // it showed: the start value and range end follow the cut.
    bool rebaseOnRangeChange(EffectEvent& event);
    // A dropped file replaces the path; the length fits the whole file.
    bool onFileDropped(EffectEvent& event);
    // A chosen file fits the length, or is cleared and reported when it
    // does not open.
    bool onFileChanged(EffectEvent& event);
    // The source's information tooltip; false when there is nothing to show.
    bool showMediaInfo();
    // Its text: the path alone when the file does not open; none without
    // a file or scene.
    bool getMediaInfoText(std::wstring& text) const;
    // The source was read since the last invalidation.
    bool isMediaInfoFresh() const;

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
    // Neither the position nor the speed animated, no loop.
    bool isFittable() const;
    // And the object has no mid-points and the source is usable.
    bool canFitLength(const EffectEvent& event) const;
    // The user keeps the play range when an object's start or end is dragged.
    static bool isFixedMovieTimeRange();

    // Whether the cache finds sound under the name: asked once per reading
    // of the source, since a file without sound is refused (and logged)
    // each time it is opened for it.
    bool hasSourceSound(Cache::AudioCache& cache, const std::wstring& name, int track) const;

    // A cache of the source: refreshed from const reads.
    mutable std::mutex mutex_;
    mutable MediaInfo info_;
    mutable bool fresh_ = false;
    mutable unsigned readings_ = 0;  // counts the readings of a file source

    // The last answer of hasSourceSound, for a track name and reading.
    struct SoundCheck {
        std::wstring name;
        unsigned reading = 0;
        bool found = false;
    };
    mutable std::mutex soundMutex_;
    mutable std::optional<SoundCheck> sound_;
};

}  // namespace Effect
