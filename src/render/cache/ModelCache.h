#pragma once
// Loaded 3D models ("ModelCacheSize", default 64 MB). The key is the file
// path, with "*" in front when the model's coordinates are to be adjusted,
// so the two readings of one file are separate entries.
#include "media/model/ModelBuffer.h"
#include "render/cache/CacheSizeSetting.h"
#include "render/cache/MediaCacheKey.h"
#include "render/cache/PreLoadCache.h"

#include <memory>
#include <string>

namespace Cache {

class ModelCache {
public:
    using Preloader = System::PreLoadCache<ModelCacheKey, Media::ModelBuffer, MediaCacheKeyHash>;

    ModelCache();
    ModelCache(const ModelCache&) = delete;
    ModelCache& operator=(const ModelCache&) = delete;

    static ModelCacheKey makeKey(const std::wstring& path, bool adjust);
    // The model, waiting for its load; empty when it cannot be read.
    std::shared_ptr<Media::ModelBuffer> getModel(const std::wstring& path, bool adjust);
    void preloadModel(const std::wstring& path, bool adjust);

    // The loader, run on the cache's worker.
    void loadModel(const ModelCacheKey& key);

    void setCacheSize(int megabytes);
    int getCacheSize() const { return setting_.get(); }

    // Each part's vertex bytes rounded down to 32, summed.
    static std::uint64_t byteCount(const Media::ModelBuffer& model);

private:
    CacheSizeSetting setting_{"ModelCacheSize", 64};

public:
    Preloader cache;
};

}  // namespace Cache
