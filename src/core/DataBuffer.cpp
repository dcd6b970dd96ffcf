#include "core/DataBuffer.h"

#include "core/Exception.h"

#include <cstdlib>
#include <utility>

namespace System {

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
    if (capacity < newSize) {
        freeMemory();
        data = static_cast<std::uint8_t*>(std::malloc(newSize));
        if (!data) throw makeErrorCodeException("System::DataBuffer::allocMemory", 14);
        capacity = newSize;
    }
    size = newSize;
}

void DataBuffer::freeMemory() {
    std::free(data);
    data = nullptr;
    size = 0;
    capacity = 0;
}

}  // namespace System
