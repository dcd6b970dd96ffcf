#include "core/AlignedBuffer.h"

#include "core/Exception.h"

#include <cstdlib>
#include <utility>

namespace System {

AlignedBuffer::AlignedBuffer(AlignedBuffer&& other) noexcept
    : data(std::exchange(other.data, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      size(std::exchange(other.size, 0)) {}

AlignedBuffer& AlignedBuffer::operator=(AlignedBuffer&& other) noexcept {
    if (this != &other) {
        freeMemory();
        data = std::exchange(other.data, nullptr);
        capacity = std::exchange(other.capacity, 0);
        size = std::exchange(other.size, 0);
    }
    return *this;
}

void AlignedBuffer::allocMemory(std::uint32_t newSize) {
    if (capacity < newSize) {
        freeMemory();
        // aligned_alloc wants a whole number of alignment steps.
        const std::uint64_t rounded =
            (static_cast<std::uint64_t>(newSize) + alignment - 1) / alignment * alignment;
        data = static_cast<std::uint8_t*>(std::aligned_alloc(alignment, rounded));
        if (!data) throw makeErrorCodeException("System::AlignedBuffer::allocMemory", 14);
        capacity = newSize;
    }
    size = newSize;
}

void AlignedBuffer::freeMemory() {
    std::free(data);
    data = nullptr;
    capacity = 0;
    size = 0;
}

}  // namespace System
