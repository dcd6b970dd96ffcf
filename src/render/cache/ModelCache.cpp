#include "render/cache/ModelCache.h"

namespace Cache {

ModelCache::ModelCache() {
    setCacheSize(setting_.get());
    cache.worker().semaphore.setMax(16);
}

ModelCacheKey ModelCache::makeKey(const std::wstring& path, bool adjust) {
    return {adjust ? L"*" + path : path, 0};
}

std::shared_ptr<Media::ModelBuffer> ModelCache::getModel(const std::wstring& path, bool adjust) {
    const ModelCacheKey key = makeKey(path, adjust);
    return cache.get(key, [this, key] { loadModel(key); });
}

void ModelCache::preloadModel(const std::wstring& path, bool adjust) {
    const ModelCacheKey key = makeKey(path, adjust);
    cache.preload(key, [this, key] { loadModel(key); });
}

std::uint64_t ModelCache::byteCount(const Media::ModelBuffer& model) {
    std::uint64_t bytes = 0;
    for (const Media::ModelBuffer::Part& part : model.parts)
        bytes += (part.vertices.size() * sizeof(Media::ModelBuffer::Vertex)) & ~std::uint64_t{31};
    return bytes;
}

void ModelCache::loadModel(const ModelCacheKey& key) {
    const bool adjust = !key.name.empty() && key.name[0] == L'*';
    std::shared_ptr<Media::ModelBuffer> model =
        Media::ModelBuffer::loadFromFile(adjust ? key.name.substr(1) : key.name, adjust);
    if (!model) return;
    const std::uint64_t bytes = byteCount(*model);
    cache.complete(key, std::move(model), bytes);
}

void ModelCache::setCacheSize(int megabytes) { cache.setLimit(setting_.set(megabytes)); }

}  // namespace Cache
