#include "core/base/DataBuffer.h"

#include "core/base/Exception.h"

#include <cstdlib>
#include <utility>

namespace System {

namespace detail {

void allocBlock(std::uint8_t*& data, std::uint32_t& capacity, std::uint32_t& size, std::uint32_t newSize,
                std::uint32_t alignment, const char* place) {
    if (capacity < newSize) {
        freeBlock(data, capacity, size);
        if (alignment) {
            // aligned_alloc wants a whole number of alignment steps.
            const std::uint64_t rounded = (std::uint64_t{newSize} + alignment - 1) / alignment * alignment;
            data = static_cast<std::uint8_t*>(std::aligned_alloc(alignment, rounded));
        } else {
            data = static_cast<std::uint8_t*>(std::malloc(newSize));
        }
        if (!data) throw makeErrorCodeException(place, 14);
        capacity = newSize;
    }
    size = newSize;
}

void freeBlock(std::uint8_t*& data, std::uint32_t& capacity, std::uint32_t& size) {
    std::free(data);
    data = nullptr;
    capacity = 0;
    size = 0;
}

}  // namespace detail

DataBuffer::DataBuffer(DataBuffer&& other) noexcept
    : size(std::exchange(other.size, 0)),
      capacity(std::exchange(other.capacity, 0)),
      data(std::exchange(other.data, nullptr)) {}

DataBuffer& DataBuffer::operator=(DataBuffer&& other) noexcept {
    if (this != &other) {
        freeMemory();
        size = std::exchange(other.size, 0);
        capacity = std::exchange(other.capacity, 0);
        data = std::exchange(other.data, nullptr);
    }
    return *this;
}

void DataBuffer::allocMemory(std::uint32_t newSize) {
    detail::allocBlock(data, capacity, size, newSize, 0, "System::DataBuffer::allocMemory");
}

void DataBuffer::freeMemory() { detail::freeBlock(data, capacity, size); }

}  // namespace System
