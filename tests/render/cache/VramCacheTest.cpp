#include "render/cache/VramCache.h"

#include "media/GpuFixture.h"
#include "render/cache/ImageCache.h"

#include <gtest/gtest.h>

namespace {

using Cache::VramCache;

class VramCacheTest : public MediaTest::GpuTest {
protected:
    VramCacheTest() { image.setCacheSize(16); }

    // A picture of one B, G, R, A colour, put straight into the image cache.
    void addPicture(const std::wstring& path, UINT width, UINT height, std::array<std::uint8_t, 4> bgra) {
        auto picture = Media::ImageBuffer::create(87, width, height);
        for (UINT y = 0; y < height; ++y)
            for (UINT x = 0; x < width; ++x)
                std::memcpy(picture->pixels.data + y * picture->pitch + x * 4, bgra.data(), 4);
        image.cache.complete({path, 0}, picture, Cache::ImageCache::byteCount(*picture));
    }

    Cache::ImageCache image;
    VramCache vram{image};
};

TEST_F(VramCacheTest, TheCachedTextureIsSharedAndDrawnCopiesAreClones) {
    addPicture(L"/p/blue.png", 4, 2, {255, 0, 0, 255});
    const auto shared = vram.getSharedImageResource(L"/p/blue.png");
    ASSERT_TRUE(shared);
    EXPECT_EQ(vram.getSharedImageResource(L"/p/blue.png"), shared);
    EXPECT_EQ(vram.cache.getTotal(), 4u * 2 * 8);
    const auto copy = vram.getImageResource(L"/p/blue.png");
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), shared.get());
    EXPECT_EQ(copy->getWidth(), 4u);
    EXPECT_EQ(copy->getHeight(), 2u);
    MediaTest::expectNear(pixel(*copy, 3, 1), {0, 0, 1, 1});
    MediaTest::expectNear(pixel(*shared, 0, 0), {0, 0, 1, 1});
    // Three requests of 64 bytes this frame.
    EXPECT_EQ(vram.getFrameBytes(), 3u * 64);
    EXPECT_FALSE(vram.getImageResource(L"/p/missing.png"));
}

TEST_F(VramCacheTest, SizeZeroUploadsFromTheImageCacheEveryTime) {
    vram.setCacheSize(0);
    addPicture(L"/p/red.png", 2, 2, {0, 0, 255, 255});
    const auto a = vram.getImageResource(L"/p/red.png");
    const auto b = vram.getSharedImageResource(L"/p/red.png");
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    MediaTest::expectNear(pixel(*a, 1, 1), {1, 0, 0, 1});
    MediaTest::expectNear(pixel(*b, 0, 0), {1, 0, 0, 1});
    EXPECT_TRUE(vram.cache.getKeys().empty());
    // Preloading reads the picture ahead instead.
    vram.preloadImage(L"/p/red.png");
    EXPECT_TRUE(vram.cache.getKeys().empty());
}

TEST_F(VramCacheTest, AFrameThatFilledTheCacheMakesTheNextOneBypassItForDrawnCopies) {
    vram.setCacheSize(1);
    // 512 × 256 × 8 bytes is exactly the 1 MB limit.
    addPicture(L"/p/big.png", 512, 256, {0, 255, 0, 255});
    addPicture(L"/p/small.png", 2, 2, {0, 255, 0, 255});
    ASSERT_TRUE(vram.getImageResource(L"/p/big.png"));
    EXPECT_EQ(vram.getFrameBytes(), 1u << 20);
    vram.beginFrame();
    EXPECT_EQ(vram.getFrameBytes(), 0u);
    const auto bypassed = vram.getImageResource(L"/p/small.png");
    ASSERT_TRUE(bypassed);
    MediaTest::expectNear(pixel(*bypassed, 0, 0), {0, 1, 0, 1});
    EXPECT_FALSE(vram.cache.find({L"/p/small.png", 0}));
    // The shared texture does not look at the previous frame.
    ASSERT_TRUE(vram.getSharedImageResource(L"/p/small.png"));
    EXPECT_TRUE(vram.cache.find({L"/p/small.png", 0}));
    // A frame below the limit uses the cache again.
    vram.beginFrame();
    vram.beginFrame();
    ASSERT_TRUE(vram.getImageResource(L"/p/big.png"));
    EXPECT_TRUE(vram.cache.find({L"/p/big.png", 0}));
}

TEST(VramByteCountTest, CountsDoNotWrapAt32Bits) {
    EXPECT_EQ(VramCache::byteCount(16384, 16384), std::uint64_t{1} << 31);
    EXPECT_EQ(VramCache::byteCount(65536, 65536), std::uint64_t{1} << 35);
}

}  // namespace
