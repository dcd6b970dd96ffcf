// Storage of dropped textures reused by the next texture of the same
// storage format and size, within a byte limit.
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlTexture.h"
#include "platform/gl/GlTexturePool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using namespace Platform::Gl;

std::unique_ptr<Texture> make(Display& display, int code, int width, int height,
                              const void* pixels = nullptr) {
    const Format& format = *findFormat(code);
    return std::make_unique<Texture>(display, format, width, height, Texture::ShaderResource, pixels,
                                     static_cast<std::size_t>(width) * format.bytesPerPixel, "test");
}

std::vector<std::uint8_t> readRgba8(Texture& texture) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(texture.width()) * texture.height() * 4);
    texture.read(bytes.data(), static_cast<std::size_t>(texture.width()) * 4, "test");
    return bytes;
}

// A texture made without pixels reads as zeros, also when its storage is
// one a dropped texture filled.
TEST(GlTexturePoolTest, ReusedStorageOfTheSameFormatAndSizeStartsAsZeros) {
    Display display("test");
    // The display's own probes may have left storage here.
    const std::size_t before = display.texturePool().heldBytes();
    const std::vector<std::uint8_t> white(64 * 32 * 4, 0xff);
    GLuint name = 0;
    {
        auto filled = make(display, DXGI_FORMAT_R8G8B8A8_UNORM, 64, 32, white.data());
        name = filled->name();
        ASSERT_EQ(readRgba8(*filled), white);
    }
    EXPECT_EQ(display.texturePool().heldBytes(), before + 64 * 32 * 4);

    // Another size or another storage format (the mask reads differently)
    // does not take it.
    auto wider = make(display, DXGI_FORMAT_R8G8B8A8_UNORM, 65, 32);
    auto mask = make(display, DXGI_FORMAT_A8_UNORM, 64, 32);
    EXPECT_NE(wider->name(), name);
    EXPECT_NE(mask->name(), name);

    auto again = make(display, DXGI_FORMAT_R8G8B8A8_UNORM, 64, 32);
    EXPECT_EQ(again->name(), name);
    EXPECT_EQ(display.texturePool().heldBytes(), before);
    EXPECT_EQ(readRgba8(*again), std::vector<std::uint8_t>(64 * 32 * 4, 0));
}

// Beyond the limit the oldest storage goes back to the driver.
TEST(GlTexturePoolTest, TheLimitReleasesTheOldestStorage) {
    Display display("test");
    display.context();
    // 256 x 256 RGBA16F: 512 KiB each.
    display.texturePool().setLimit(std::size_t{1} << 20);
    std::vector<GLuint> names;
    {
        std::vector<std::unique_ptr<Texture>> textures;
        for (int i = 0; i < 3; ++i) {
            textures.push_back(make(display, DXGI_FORMAT_R16G16B16A16_FLOAT, 256, 256));
            names.push_back(textures.back()->name());
        }
    }
    EXPECT_EQ(display.texturePool().heldBytes(), std::size_t{1} << 20);
    EXPECT_FALSE(glIsTexture(names[0]));
    EXPECT_TRUE(glIsTexture(names[1]));
    EXPECT_TRUE(glIsTexture(names[2]));

    // Storage larger than the whole limit is never kept.
    { auto large = make(display, DXGI_FORMAT_R16G16B16A16_FLOAT, 512, 512); }
    EXPECT_EQ(display.texturePool().heldBytes(), std::size_t{1} << 20);

    display.texturePool().clear();
    EXPECT_EQ(display.texturePool().heldBytes(), 0u);
    EXPECT_FALSE(glIsTexture(names[1]));
    EXPECT_FALSE(glIsTexture(names[2]));
}

}  // namespace
