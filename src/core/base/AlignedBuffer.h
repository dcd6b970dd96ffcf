#pragma once
// A growable raw block aligned to 32 bytes, so that sample loops may run in
// 256-bit strides. Growing drops the old contents; a smaller request keeps
// the block and only changes the size in use.
#include <cstdint>

namespace System {

class AlignedBuffer {
public:
    static constexpr std::uint32_t alignment = 32;

    AlignedBuffer() = default;
    ~AlignedBuffer() { freeMemory(); }
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;
    AlignedBuffer(AlignedBuffer&& other) noexcept;
    AlignedBuffer& operator=(AlignedBuffer&& other) noexcept;

    // Raises the out-of-memory error code (14) when the block cannot be had;
    // data is then null and capacity 0.
    void allocMemory(std::uint32_t newSize);
    void freeMemory();

    template <class T>
    T* as() const {
        return reinterpret_cast<T*>(data);
    }

    std::uint8_t* data = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t size = 0;
};

}  // namespace System
