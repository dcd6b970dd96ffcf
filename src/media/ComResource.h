#pragma once
// A resource made on first use by a stored generator and owned until the
// holder goes. The first request runs the generator under the holder's
// lock, so concurrent first requests get the one object; a generator that
// throws leaves the holder empty and the next request tries again.
//
// Each held type names its holder for failure texts and says how it is
// released, by specialising ComResourceTraits:
//   template <> struct Media::ComResourceTraits<X> {
//       static constexpr const char* place = "Media::ComResource<struct IX>::createResource";
//       static void release(X* resource) { delete resource; }
//   };
#include "core/Exception.h"

#include <atomic>
#include <functional>
#include <mutex>

namespace Media {

template <class T>
struct ComResourceTraits;

template <class T>
class ComResource {
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
            throw System::makeException(ComResourceTraits<T>::place, "resource generator not set.");
        Generator generator = generator_;
        T* created = nullptr;
        generator(&created);
        resource_.store(created, std::memory_order_release);
        return created;
    }

    // The resource when made, else null; never makes it.
    T* get() const { return resource_.load(std::memory_order_acquire); }

private:
    std::atomic<T*> resource_{nullptr};
    Generator generator_;
    std::mutex mutex_;
};

}  // namespace Media
