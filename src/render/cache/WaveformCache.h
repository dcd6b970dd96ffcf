#pragma once
// Waveform overviews of whole sound tracks for the timeline
// ("WaveformCacheSize", default 64 MB). Reading one never waits: a missing
// overview is queued (at most two at a time) and the caller asks again after
// the completion notice the load posts to the user-interface thread. Loads
// read every block through the audio cache and give up, storing nothing,
// while a scene plays, an export runs or the cancel flag is set.
#include "media/audio/WaveformBuffer.h"
#include "render/cache/CacheSizeSetting.h"
#include "render/cache/MediaCacheKey.h"
#include "render/cache/PreLoadCache.h"

#include <atomic>
#include <memory>
#include <string>

namespace Cache {

class AudioCache;

class WaveformCache {
public:
    using Preloader = System::PreLoadCache<WaveformCacheKey, Media::WaveformBuffer, MediaCacheKeyHash>;
    static constexpr int queueBound = 2;

    explicit WaveformCache(AudioCache& audio);
    WaveformCache(const WaveformCache&) = delete;
    WaveformCache& operator=(const WaveformCache&) = delete;

    // The overview, or empty when it is not ready yet (its load is then
    // queued when the queue has room).
    std::shared_ptr<Media::WaveformBuffer> getWaveform(const std::wstring& name, int track);
    // The loader, run on the cache's worker.
    void loadWaveform(const WaveformCacheKey& key);
    bool isAborted();
    // Makes every queued load end at once and waits for them (before the
    // current scene changes); loads run again afterwards.
    void drain();

    void setCacheSize(int megabytes);
    int getCacheSize() const { return setting_.get(); }

    // Set by the edit service around a scene change and at shutdown.
    std::atomic<bool> cancel{false};

private:
    AudioCache& audio_;
    CacheSizeSetting setting_{"WaveformCacheSize", 64};

public:
    Preloader cache;
};

}  // namespace Cache
