#pragma once
// GPU copies of still pictures, kept across frames ("VramCacheSize",
// default 384 MB; 0 or less turns the cache off). Drawn copies are cloned
// from the cached texture, unless the previous frame needed at least the
// whole cache: then the frame uploads from the image cache instead, so a
// frame too big for the cache does not churn it.
#include "media/gpu/ResourceBuffer.h"
#include "media/image/ImageBuffer.h"
#include "render/cache/CacheSizeSetting.h"
#include "render/cache/MediaCacheKey.h"
#include "render/cache/PreLoadCache.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace Cache {

class ImageCache;

// A new texture of the picture (converted with the parameters unless it has
// the device's pixel format); empty for no picture.
std::unique_ptr<Media::ResourceBuffer> createResourceBuffer(const std::shared_ptr<Media::ImageBuffer>& picture,
                                                            const Media::ConvertParameters& parameters);
std::shared_ptr<Media::ResourceBuffer> createSharedResourceBuffer(const std::shared_ptr<Media::ImageBuffer>& picture);

class VramCache {
public:
    using Preloader = System::PreLoadCache<ImageCacheKey, Media::ResourceBuffer, MediaCacheKeyHash>;

    explicit VramCache(ImageCache& image);
    VramCache(const VramCache&) = delete;
    VramCache& operator=(const VramCache&) = delete;

    // A texture of the picture that the caller owns and may draw into.
    std::unique_ptr<Media::ResourceBuffer> getImageResource(const std::wstring& path);
    // The cached texture itself, only to be read.
    std::shared_ptr<Media::ResourceBuffer> getSharedImageResource(const std::wstring& path);
    // Starts reading the picture; the upload waits until it is asked for.
    void preloadImage(const std::wstring& path);
    // The loader, run on the cache's worker.
    void uploadImage(const ImageCacheKey& key);
    // Before each frame: this frame's count becomes the previous one's.
    void beginFrame();

    void setCacheSize(int megabytes);
    int getCacheSize() const { return setting_.get(); }

    static std::uint64_t byteCount(std::uint64_t width, std::uint64_t height) { return width * height * 8; }

    std::uint64_t getFrameBytes() const { return frameBytes_.load(std::memory_order_relaxed); }

private:
    bool enabled() const { return setting_.get() > 0; }
    void count(std::uint64_t width, std::uint64_t height);
    Preloader::Loader loaderOf(const ImageCacheKey& key);

    ImageCache& image_;
    CacheSizeSetting setting_{"VramCacheSize", 384};

public:
    Preloader cache;

private:
    // Only steer a heuristic; relaxed.
    std::atomic<std::uint64_t> frameBytes_{0};
    std::atomic<std::uint64_t> previousFrameBytes_{0};
    std::atomic<std::uint64_t> limitBytes_{0};
};

}  // namespace Cache
