#include "render/cache/CacheService.h"

#include "core/base/Singleton.h"
#include "render/cache/SceneSource.h"

#include <mutex>

namespace Cache {

void CacheService::eraseSceneEntries() {
    waveformCache.drain();
    const auto isScene = [](const MediaCacheKey& key) { return isSceneFileName(key.name); };
    {
        std::lock_guard lock(imageCache.cache.mutex());
        imageCache.cache.eraseIf(isScene);
    }
    std::lock_guard lock(audioCache.cache.mutex());
    audioCache.cache.eraseIf(isScene);
}

void CacheService::stopWaveforms() {
    waveformCache.cancel = true;
    waveformCache.cache.stop();
}

CacheInstance::CacheInstance() : cacheService(System::Singleton<CacheService>::getInstance()) {}

}  // namespace Cache
