#include "render/cache/CacheSizeSetting.h"

#include <algorithm>

namespace Cache {

CacheSizeSetting::CacheSizeSetting(const char* key, int defaultMegabytes)
    : megabytes_(defaultMegabytes), parameter_(config_, key, &megabytes_, defaultMegabytes), scope_(config_) {
    set(megabytes_);
}

std::uint64_t CacheSizeSetting::set(int megabytes) {
    megabytes_ = std::clamp(megabytes, 0, maxMegabytes);
    current_.store(megabytes_, std::memory_order_relaxed);
    return bytes();
}

}  // namespace Cache
