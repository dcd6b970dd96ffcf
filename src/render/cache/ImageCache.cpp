#include "render/cache/ImageCache.h"

#include "edit/model/Scene.h"
#include "render/cache/MediaFileSource.h"
#include "render/cache/Rounding.h"
#include "render/cache/SceneRequest.h"

namespace Cache {

namespace {

std::shared_ptr<MediaFile> openVideo(const std::wstring& name) { return openMediaFile(name, MediaFileSource::Video); }

}  // namespace

ImageCache::ImageCache() {
    setCacheSize(setting_.get());
    cache.worker().semaphore.setMax(16);
}

std::uint64_t ImageCache::byteCount(const Media::ImageBuffer& picture) { return picture.pixels.size; }

ImageCache::Preloader::Loader ImageCache::loaderOf(const ImageCacheKey& key) {
    return [this, key] { loadImage(key); };
}

std::shared_ptr<Media::ImageBuffer> ImageCache::getImage(const std::wstring& path) {
    const ImageCacheKey key{path, 0};
    // A scene's picture arrives only from a render its preload asked for.
    if (isSceneFileName(path)) return cache.findOrWait(key);
    return cache.get(key, loaderOf(key));
}

void ImageCache::preloadImage(const std::wstring& path) {
    if (isSceneFileName(path)) return;
    const ImageCacheKey key{path, 0};
    cache.preload(key, loaderOf(key));
}

bool ImageCache::sceneFrameKey(const std::wstring& name, double time, ImageCacheKey& key, Edit::Scene*& scene) {
    scene = getSceneOfName(name);
    if (!scene || scene->videoScale == 0) return false;
    key = {name, roundSaturated<int>(static_cast<double>(scene->videoRate) * time /
                                     static_cast<double>(scene->videoScale))};
    return true;
}

std::shared_ptr<Media::ImageBuffer> ImageCache::getMovieFrame(const std::wstring& name, int track, double time) {
    const std::wstring keyName = makeTrackName(name, track);
    ImageCacheKey key;
    if (isSceneFileName(keyName)) {
        Edit::Scene* scene = nullptr;
        if (!sceneFrameKey(keyName, time, key, scene)) return nullptr;
        return cache.findOrWait(key);
    }
    const std::shared_ptr<MediaFile> file = openVideo(keyName);
    if (!file) return nullptr;
    key = {keyName, file->timeToFrame(time)};
    return cache.get(key, loaderOf(key));
}

void ImageCache::preloadMovieFrame(const std::wstring& name, int track, double time) {
    const std::wstring keyName = makeTrackName(name, track);
    ImageCacheKey key;
    if (isSceneFileName(keyName)) {
        Edit::Scene* scene = nullptr;
        SceneSource* source = getSceneSource();
        if (!source || !sceneFrameKey(keyName, time, key, scene)) return;
        requestSceneRender(
            cache, key,
            [&](SceneSource::ImageDone done) { source->createSceneImage(*scene, key.number, std::move(done)); },
            [this](const ImageCacheKey& done, std::shared_ptr<Media::ImageBuffer> picture) {
                completeSceneImage(done, std::move(picture));
            });
        return;
    }
    const std::shared_ptr<MediaFile> file = openVideo(keyName);
    if (!file) return;
    key = {keyName, file->timeToFrame(time)};
    cache.preload(key, loaderOf(key));
}

void ImageCache::loadImage(const ImageCacheKey& key) {
    const std::shared_ptr<MediaFile> file = openVideo(key.name);
    if (!file) return;
    std::shared_ptr<Media::ImageBuffer> picture = file->readVideo(key.number);
    if (!picture) return;
    const std::uint64_t bytes = byteCount(*picture);
    cache.complete(key, std::move(picture), bytes);
}

void ImageCache::completeSceneImage(const ImageCacheKey& key, std::shared_ptr<Media::ImageBuffer> picture) {
    const std::uint64_t bytes = picture ? byteCount(*picture) : 0;
    cache.deliver(key, std::move(picture), bytes);
}

void ImageCache::setCacheSize(int megabytes) { cache.setLimit(setting_.set(megabytes)); }

}  // namespace Cache
