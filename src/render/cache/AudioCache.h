#pragma once
// Decoded sound in blocks of one second at the source's own rate, keyed by
// track name (or scene name) and block number ("AudioCacheSize", default
// 64 MB). A read asks for any stretch at any rate, speed and start offset:
// the blocks it covers are fetched (loaded on the cache's worker when
// needed) and resampled on the calling thread by integer-phase arithmetic,
// copying, interpolating between neighbours (slower than the source) or
// averaging (faster). Scene blocks come only from the renders their preload
// asked for; a read never registers one.
#include "media/audio/AudioBlockBuffer.h"
#include "render/cache/CacheSizeSetting.h"
#include "render/cache/MediaCacheKey.h"
#include "render/cache/PreLoadCache.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Cache {

// A stretch of output: its first sample, counted from the object's start at
// the rate.
struct AudioSampleRange {
    std::int64_t position = 0;
    int rate = 0;
};

struct AudioReadPosition {
    int block = 0;        // block of the first source sample
    int blockLength = 0;  // the source rate
    int index = 0;        // that sample's place in the block
    int fraction = 0;     // towards the next sample, in 1/requestRate
    int requestRate = 0;
    std::int64_t step = 0;  // source advance per output sample, in 1/requestRate
    bool reverse = false;
};

// The stretch of source a read walks forwards. A reversed read plays the
// samples just before its position, nearest first: it walks the stretch
// that ends there and flips what it read, so that it mirrors the forward
// read of the same stretch exactly.
struct AudioReadStretch {
    AudioReadPosition start;  // where the walk begins
    std::uint32_t lead = 0;   // walked output samples before the source's start (silent)
    int lastBlock = 0;        // block of the source sample just past the walk
};

class AudioCache {
public:
    using Preloader = System::PreLoadCache<AudioCacheKey, Media::AudioBlockBuffer, MediaCacheKeyHash>;

    AudioCache();
    AudioCache(const AudioCache&) = delete;
    AudioCache& operator=(const AudioCache&) = delete;

    // count stereo samples at the range's rate; empty when the source has
    // no sound. speed 1 is normal, below 0 backwards (from the sample just
    // before the position down); startTime (seconds) is added after the
    // speed.
    std::unique_ptr<Media::AudioBuffer> readAudio(const std::wstring& name, int track, const AudioSampleRange& range,
                                                  int count, double startTime, double speed);
    // Starts loading every block that readAudio with the same arguments
    // reads, and the one holding the sample just past the stretch.
    void preloadAudio(const std::wstring& name, int track, const AudioSampleRange& range, int count,
                      double startTime, double speed);
    // The source's sample rate, or 0.
    int getSourceRate(const AudioCacheKey& key) const;

    static AudioReadPosition computeReadPosition(std::int64_t position, unsigned rate, unsigned sourceRate,
                                                 double startTime, double speed);
    static AudioReadStretch computeReadStretch(std::int64_t position, unsigned rate, unsigned sourceRate,
                                               std::uint32_t count, double startTime, double speed);

    // The loader of files, run on the cache's worker.
    void loadBlock(const AudioCacheKey& key);
    // What a scene render calls with its block (empty when it failed).
    void completeSceneBlock(const AudioCacheKey& key, std::shared_ptr<Media::AudioBlockBuffer> block);

    void setCacheSize(int megabytes);
    int getCacheSize() const { return setting_.get(); }

    static std::uint64_t byteCount(const Media::AudioBlockBuffer& block);
    Preloader::Loader loaderOf(const AudioCacheKey& key);

private:
    class Cursor;

    CacheSizeSetting setting_{"AudioCacheSize", 64};

public:
    Preloader cache;
};

}  // namespace Cache
