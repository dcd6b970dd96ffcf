#include "render/cache/VramCache.h"

#include "render/cache/ImageCache.h"

namespace Cache {

std::unique_ptr<Media::ResourceBuffer> createResourceBuffer(const std::shared_ptr<Media::ImageBuffer>& picture,
                                                            const Media::ConvertParameters& parameters) {
    if (!picture) return nullptr;
    return std::make_unique<Media::ResourceBuffer>(*picture, parameters);
}

std::shared_ptr<Media::ResourceBuffer> createSharedResourceBuffer(const std::shared_ptr<Media::ImageBuffer>& picture) {
    return createResourceBuffer(picture, {});
}

VramCache::VramCache(ImageCache& image) : image_(image) {
    setCacheSize(setting_.get());
    cache.worker().semaphore.setMax(16);
}

VramCache::Preloader::Loader VramCache::loaderOf(const ImageCacheKey& key) {
    return [this, key] { uploadImage(key); };
}

void VramCache::count(std::uint64_t width, std::uint64_t height) {
    frameBytes_.fetch_add(byteCount(width, height), std::memory_order_relaxed);
}

void VramCache::uploadImage(const ImageCacheKey& key) {
    const std::shared_ptr<Media::ImageBuffer> picture = image_.getImage(key.name);
    if (!picture) return;
    std::shared_ptr<Media::ResourceBuffer> texture = createSharedResourceBuffer(picture);
    cache.complete(key, std::move(texture), byteCount(picture->width, picture->height));
}

std::unique_ptr<Media::ResourceBuffer> VramCache::getImageResource(const std::wstring& path) {
    if (enabled() && previousFrameBytes_.load(std::memory_order_relaxed) < limitBytes_.load(std::memory_order_relaxed)) {
        const ImageCacheKey key{path, 0};
        const std::shared_ptr<Media::ResourceBuffer> texture = cache.get(key, loaderOf(key));
        if (!texture) return nullptr;
        count(texture->getWidth(), texture->getHeight());
        return texture->clone();
    }
    const std::shared_ptr<Media::ImageBuffer> picture = image_.getImage(path);
    if (!picture) return nullptr;
    count(picture->width, picture->height);
    return createResourceBuffer(picture, {});
}

std::shared_ptr<Media::ResourceBuffer> VramCache::getSharedImageResource(const std::wstring& path) {
    if (enabled()) {
        const ImageCacheKey key{path, 0};
        std::shared_ptr<Media::ResourceBuffer> texture = cache.get(key, loaderOf(key));
        if (texture) count(texture->getWidth(), texture->getHeight());
        return texture;
    }
    const std::shared_ptr<Media::ImageBuffer> picture = image_.getImage(path);
    if (!picture) return nullptr;
    count(picture->width, picture->height);
    return createSharedResourceBuffer(picture);
}

void VramCache::preloadImage(const std::wstring& path) {
    if (enabled() && cache.isCachedOrPending({path, 0})) return;
    image_.preloadImage(path);
}

void VramCache::beginFrame() {
    previousFrameBytes_.store(frameBytes_.exchange(0, std::memory_order_relaxed), std::memory_order_relaxed);
}

void VramCache::setCacheSize(int megabytes) {
    const std::uint64_t bytes = setting_.set(megabytes);
    limitBytes_.store(bytes, std::memory_order_relaxed);
    cache.setLimit(bytes);
}

}  // namespace Cache
