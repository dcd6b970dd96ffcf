#pragma once
// Decoded pictures: still pictures, movie frames and rendered frames of
// other scenes, read through the media file source and kept by byte count
// ("ImageCacheSize", default 768 MB). A scene frame has no loader: its
// preload asks the scene source for the render, whose picture arrives
// through the completion handed to it; a read never asks for one.
#include "media/image/ImageBuffer.h"
#include "render/cache/CacheSizeSetting.h"
#include "render/cache/MediaCacheKey.h"
#include "render/cache/PreLoadCache.h"
#include "render/cache/SceneSource.h"

#include <memory>
#include <string>

namespace Cache {

class ImageCache {
public:
    using Preloader = System::PreLoadCache<ImageCacheKey, Media::ImageBuffer, MediaCacheKeyHash>;

    ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    // The picture of a file (its frame 0), waiting for its load; empty when
    // it cannot be read.
    std::shared_ptr<Media::ImageBuffer> getImage(const std::wstring& path);
    void preloadImage(const std::wstring& path);
    // The frame at the time of a file's track or of a scene ("*" name).
    std::shared_ptr<Media::ImageBuffer> getMovieFrame(const std::wstring& name, int track, double time);
    void preloadMovieFrame(const std::wstring& name, int track, double time);

    // The loader of files, run on the cache's worker.
    void loadImage(const ImageCacheKey& key);
    // What a scene render calls with its picture (empty when it failed).
    void completeSceneImage(const ImageCacheKey& key, std::shared_ptr<Media::ImageBuffer> picture);

    void setCacheSize(int megabytes);
    int getCacheSize() const { return setting_.get(); }

    static std::uint64_t byteCount(const Media::ImageBuffer& picture);

private:
    // The key of a scene frame; false when the name is of no scene.
    static bool sceneFrameKey(const std::wstring& name, double time, ImageCacheKey& key, Edit::Scene*& scene);
    Preloader::Loader loaderOf(const ImageCacheKey& key);

    CacheSizeSetting setting_{"ImageCacheSize", 768};

public:
    Preloader cache;
};

}  // namespace Cache
