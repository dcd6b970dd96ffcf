#include "effect/registry/MediaFileProbe.h"

#include "core/file/FileName.h"

#include <atomic>

namespace Effect {

namespace {
std::atomic<const MediaFileProbe*> installed{nullptr};
}

void setMediaFileProbe(const MediaFileProbe* probe) { installed = probe; }
const MediaFileProbe* getMediaFileProbe() { return installed; }

std::wstring mediaFileFilter(int kind) {
    const MediaFileProbe* probe = installed;
    if (!probe) return {};
    std::wstring filter = probe->getFileFilter(kind);
    if (!filter.empty()) filter += L'\0';
    return filter;
}

bool isMediaFileOfKind(int kind, const wchar_t* path) {
    const MediaFileProbe* probe = installed;
    if (!probe || !path) return false;
    const std::wstring extension = System::FileName::getExtension(path);
    return kind == 3 ? probe->isImageExtension(extension) : probe->isKindExtension(kind, extension);
}

}  // namespace Effect
