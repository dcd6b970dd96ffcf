#include "render/cache/MediaFileSource.h"

#include <atomic>

namespace Cache {

namespace {
std::atomic<const MediaFileSource*> installed{nullptr};
}  // namespace

void setMediaFileSource(const MediaFileSource* source) { installed = source; }
const MediaFileSource* getMediaFileSource() { return installed; }

std::shared_ptr<MediaFile> openMediaFile(const std::wstring& name, int kind) {
    const MediaFileSource* source = getMediaFileSource();
    return source ? source->open(name, kind) : nullptr;
}

std::wstring makeTrackName(const std::wstring& path, int track) {
    if (track == 0) return path;
    const MediaFileSource* source = getMediaFileSource();
    return source ? source->makeTrackName(path, track) : std::wstring();
}

}  // namespace Cache
