#pragma once
// A growable raw block from the C heap. Growing drops the old contents; a
// smaller request keeps the block and only changes the size in use.
#include <cstdint>

namespace System {

namespace detail {
// The growth rule of the raw buffers: a larger request replaces the block
// (contents dropped), a smaller one keeps it; then the size in use is set.
// alignment 0: plain C heap. Raises code 14 with `place` on failure.
void allocBlock(std::uint8_t*& data, std::uint32_t& capacity, std::uint32_t& size, std::uint32_t newSize,
                std::uint32_t alignment, const char* place);
void freeBlock(std::uint8_t*& data, std::uint32_t& capacity, std::uint32_t& size);
}  // namespace detail

class DataBuffer {
public:
    DataBuffer() = default;
    ~DataBuffer() { freeMemory(); }
    DataBuffer(const DataBuffer&) = delete;
    DataBuffer& operator=(const DataBuffer&) = delete;
    DataBuffer(DataBuffer&& other) noexcept;
    DataBuffer& operator=(DataBuffer&& other) noexcept;

    // Raises the out-of-memory error code (14) when the block cannot be had;
    // data is then null and capacity 0.
    void allocMemory(std::uint32_t newSize);
    void freeMemory();

    template <class T>
    T* as() const {
        return reinterpret_cast<T*>(data);
    }

    std::uint32_t size = 0;
    std::uint32_t capacity = 0;
    std::uint8_t* data = nullptr;
};

}  // namespace System
