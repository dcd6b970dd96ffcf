#include "core/base/AlignedBuffer.h"
#include "core/base/DataBuffer.h"
#include "core/base/Exception.h"
#include "support/Sanitizers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>

namespace {

template <class Buffer>
class RawBuffers : public ::testing::Test {};
using BufferTypes = ::testing::Types<System::DataBuffer, System::AlignedBuffer>;
TYPED_TEST_SUITE(RawBuffers, BufferTypes);

TYPED_TEST(RawBuffers, SmallerRequestKeepsTheBlockLargerOneReplacesIt) {
    TypeParam buffer;
    EXPECT_EQ(buffer.data, nullptr);
    buffer.allocMemory(100);
    ASSERT_NE(buffer.data, nullptr);
    EXPECT_EQ(buffer.size, 100u);
    EXPECT_EQ(buffer.capacity, 100u);
    std::memset(buffer.data, 0xAB, 100);
    std::uint8_t* const first = buffer.data;

    buffer.allocMemory(40);
    EXPECT_EQ(buffer.data, first);
    EXPECT_EQ(buffer.size, 40u);
    EXPECT_EQ(buffer.capacity, 100u);
    EXPECT_EQ(buffer.data[99], 0xAB);  // contents are left as they were

    buffer.allocMemory(100);  // fits the capacity again: same block
    EXPECT_EQ(buffer.data, first);

    buffer.allocMemory(5000);
    ASSERT_NE(buffer.data, nullptr);
    EXPECT_EQ(buffer.size, 5000u);
    EXPECT_EQ(buffer.capacity, 5000u);
    std::memset(buffer.data, 1, 5000);  // the whole size is usable

    buffer.freeMemory();
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_EQ(buffer.size, 0u);
    EXPECT_EQ(buffer.capacity, 0u);
}

TYPED_TEST(RawBuffers, MoveHandsTheBlockOver) {
    TypeParam a;
    a.allocMemory(64);
    std::uint8_t* const block = a.data;
    TypeParam b(std::move(a));
    EXPECT_EQ(a.data, nullptr);
    EXPECT_EQ(a.capacity, 0u);
    EXPECT_EQ(b.data, block);
    EXPECT_EQ(b.size, 64u);
    TypeParam c;
    c.allocMemory(8);
    c = std::move(b);
    EXPECT_EQ(c.data, block);
    EXPECT_EQ(c.capacity, 64u);
}

TEST(AlignedBuffer, BlocksAreAlignedTo32BytesForOddSizes) {
    for (std::uint32_t size : {1u, 31u, 33u, 4097u}) {
        System::AlignedBuffer buffer;
        buffer.allocMemory(size);
        ASSERT_NE(buffer.data, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer.data) % 32, 0u) << size;
        std::memset(buffer.data, 0, size);
    }
}

// An allocation the address space cannot hold raises the out-of-memory code
// and leaves the buffer empty. Run in a child with a small address-space limit.
template <class Buffer>
void allocateBeyondTheLimit(const char* place) {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = 1ull << 31;  // 2 GiB
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::exit(2);
    Buffer buffer;
    buffer.allocMemory(16);
    try {
        buffer.allocMemory(0xF0000000u);
    } catch (const System::Exception& e) {
        const std::string expected =
            std::string("Not enough memory resources are available to complete this operation.\n\n[Place]\n") +
            place + "()";
        const bool empty = !buffer.data && buffer.capacity == 0 && buffer.size == 0;
        std::exit(e.what() == expected && empty ? 0 : 3);
    }
    std::exit(4);
}

TEST(RawBuffersDeathTest, FailedAllocationRaisesCode14) {
    if (TestSupport::kSanitizerTakesFaults) GTEST_SKIP() << "the sanitizer's allocator needs the address space";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(allocateBeyondTheLimit<System::DataBuffer>("System::DataBuffer::allocMemory"),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(allocateBeyondTheLimit<System::AlignedBuffer>("System::AlignedBuffer::allocMemory"),
                ::testing::ExitedWithCode(0), "");
}

}  // namespace
