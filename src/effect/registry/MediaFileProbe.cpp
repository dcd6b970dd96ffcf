#include "effect/registry/MediaFileProbe.h"

#include <atomic>

namespace Effect {

namespace {
std::atomic<const MediaFileProbe*> installed{nullptr};
}

void setMediaFileProbe(const MediaFileProbe* probe) { installed = probe; }
const MediaFileProbe* getMediaFileProbe() { return installed; }

}  // namespace Effect
