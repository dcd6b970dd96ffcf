#pragma once
// The input service as the media caches' file source: files open through
// its cache of open files, and track names are its own.
#include "render/cache/MediaFileSource.h"

namespace Plugin {

class InputService;

class CacheMediaSource : public Cache::MediaFileSource {
public:
    explicit CacheMediaSource(InputService& service) : service_(service) {}
    std::shared_ptr<Cache::MediaFile> open(const std::wstring& name, int kind) const override;
    std::wstring makeTrackName(const std::wstring& path, int track) const override;

private:
    InputService& service_;
};

}  // namespace Plugin
