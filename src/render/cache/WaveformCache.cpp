#include "render/cache/WaveformCache.h"

#include "core/event/EventCommand.h"
#include "render/cache/AudioCache.h"
#include "render/cache/MediaFileSource.h"
#include "render/cache/SceneSource.h"

#include <cmath>
#include <limits>

namespace Cache {

WaveformCache::WaveformCache(AudioCache& audio) : audio_(audio) {
    setCacheSize(setting_.get());
    cache.worker().semaphore.setMax(queueBound);
}

std::shared_ptr<Media::WaveformBuffer> WaveformCache::getWaveform(const std::wstring& name, int track) {
    const WaveformCacheKey key{makeTrackName(name, track), 0};
    if (std::shared_ptr<Media::WaveformBuffer> found = cache.find(key)) return found;
    // The caller is the user-interface thread: never wait for a place.
    if (cache.worker().getTaskCount() < static_cast<std::size_t>(queueBound))
        cache.preload(key, [this, key] { loadWaveform(key); });
    return nullptr;
}

bool WaveformCache::isAborted() {
    if (!cache.worker().isRunning() || cancel.load()) return true;
    const SceneSource* scenes = getSceneSource();
    return scenes && scenes->isBusy();
}

void WaveformCache::loadWaveform(const WaveformCacheKey& key) {
    if (isAborted()) return;
    const std::shared_ptr<MediaFile> file = openMediaFile(key.name, MediaFileSource::Audio);
    if (!file || isAborted()) return;
    const int rate = file->getSampleRate();
    const std::int64_t samples = file->getSampleCount();
    if (rate <= 0 || samples <= 0) return;
    const double blockCount = std::ceil(static_cast<double>(samples) / rate);
    // Room for every block's entries in an int count of 2-byte entries.
    if (blockCount > static_cast<double>(std::numeric_limits<int>::max() / (2 * Media::WaveformBuffer::entriesPerBlock)))
        return;
    const int blocks = static_cast<int>(blockCount);
    auto waveform = std::make_shared<Media::WaveformBuffer>(blocks * Media::WaveformBuffer::entriesPerBlock);
    for (int i = 0; i < blocks; ++i) {
        const AudioCacheKey blockKey{key.name, i};
        const std::shared_ptr<Media::AudioBlockBuffer> block = audio_.cache.get(blockKey, audio_.loaderOf(blockKey));
        waveform->setBlock(block.get(), i);
        if (isAborted()) return;
    }
    cache.complete(key, std::move(waveform), static_cast<std::uint64_t>(blocks) * 256);
    Event::postEventCommand(Event::EventCommandType::PreLoadComplete, 0);
}

void WaveformCache::drain() {
    cancel = true;
    cache.worker().waitAllTasks();
    cancel = false;
}

void WaveformCache::setCacheSize(int megabytes) { cache.setLimit(setting_.set(megabytes)); }

}  // namespace Cache
