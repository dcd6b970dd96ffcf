#pragma once
// The size of one media cache in megabytes: one key of section "Cache" of
// the main settings file, loaded when built and written back when
// destroyed. Sizes are kept between 0 and maxMegabytes whether they come
// from the file or from a setter.
#include "core/file/Config.h"

#include <atomic>
#include <cstdint>

namespace Cache {

class CacheSizeSetting {
public:
    static constexpr int maxMegabytes = 1 << 20;  // 1 TB

    CacheSizeSetting(const char* key, int defaultMegabytes);
    CacheSizeSetting(const CacheSizeSetting&) = delete;
    CacheSizeSetting& operator=(const CacheSizeSetting&) = delete;

    // Stores the clamped value; returns its byte count. The settings file
    // side is the user-interface thread's; any thread may read the value.
    std::uint64_t set(int megabytes);
    int get() const { return current_.load(std::memory_order_relaxed); }
    std::uint64_t bytes() const { return static_cast<std::uint64_t>(get()) << 20; }

private:
    int megabytes_ = 0;
    std::atomic<int> current_{0};
    System::Config config_{"Cache"};
    System::Config::Int parameter_;
    System::Config::Scope scope_;
};

}  // namespace Cache
