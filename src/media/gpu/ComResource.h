#pragma once
// A resource made on first use by a stored generator and owned until the
// holder goes. The first request runs the generator under the holder's
// lock, so concurrent first requests get the one object; a generator that
// throws leaves the holder empty and the next request tries again.
//
// Each held type names its holder for failure texts:
//   template <>
//   inline constexpr const char* Media::comResourcePlace<X> =
//       "Media::ComResource<struct IX>::createResource";
// and is deleted when the holder goes, unless ComResourceTraits<X> says how
// else it is released.
#include "core/base/Exception.h"

#include <atomic>
#include <functional>
#include <mutex>

namespace Media {

template <class T>
inline constexpr const char* comResourcePlace = nullptr;

template <class T>
struct ComResourceTraits {
    static void release(T* resource) { delete resource; }
};

template <class T>
class ComResource {
    static_assert(comResourcePlace<T> != nullptr, "the holder of T needs its place text");

public:
    using Generator = std::function<void(T**)>;

    ComResource() = default;
    explicit ComResource(Generator generator) : generator_(std::move(generator)) {}
    ~ComResource() {
        if (T* resource = resource_.load()) ComResourceTraits<T>::release(resource);
    }
    ComResource(const ComResource&) = delete;
    ComResource& operator=(const ComResource&) = delete;

    // The resource, made through the generator on the first call.
    T* createResource() {
        if (T* resource = resource_.load(std::memory_order_acquire)) return resource;
        std::lock_guard lock(mutex_);
        if (T* resource = resource_.load(std::memory_order_relaxed)) return resource;
        if (!generator_)
            throw System::makeException(comResourcePlace<T>, "resource generator not set.");
        Generator generator = generator_;
        T* created = nullptr;
        generator(&created);
        resource_.store(created, std::memory_order_release);
        return created;
    }

    // The resource when made, else null; never makes it.
    T* get() const { return resource_.load(std::memory_order_acquire); }

    // Holds a resource made elsewhere (owned from now on), releasing the
    // one held before; null empties the holder. The generator stays.
    void set(T* resource) {
        std::lock_guard lock(mutex_);
        if (T* old = resource_.exchange(resource, std::memory_order_acq_rel))
            ComResourceTraits<T>::release(old);
    }
    // Releases the resource; the next request makes it again.
    void reset() { set(nullptr); }

private:
    std::atomic<T*> resource_{nullptr};
    Generator generator_;
    std::mutex mutex_;
};

}  // namespace Media
