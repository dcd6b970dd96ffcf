#include "core/base/AlignedBuffer.h"

#include "core/base/DataBuffer.h"

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
    detail::allocBlock(data, capacity, size, newSize, alignment, "System::AlignedBuffer::allocMemory");
}

void AlignedBuffer::freeMemory() { detail::freeBlock(data, capacity, size); }

}  // namespace System
