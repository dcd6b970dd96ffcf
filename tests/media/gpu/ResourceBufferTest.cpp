// GPU pictures: sizes, views by format, uploads of every CPU format into
// premultiplied half floats, clears, copies and resizing, hand-over between
// threads.
#include "media/gpu/ResourceBuffer.h"

#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceConvert.h"
#include "media/gpu/ShaderList.h"
#include "platform/gl/DxgiFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Media::ImageData;
using Media::ResourceBuffer;
using MediaTest::expectNear;
using MediaTest::Rgba;

class ResourceBufferTest : public MediaTest::GpuTest {};

// Distinct, exactly representable colours per pixel.
Rgba gradient(UINT x, UINT y) { return {x / 64.0f, y / 64.0f, 0.5f, 1.0f}; }

using CoreTest::failureText;

TEST_F(ResourceBufferTest, SidesAreLimitedAndAnEmptySizeMakesNoTexture) {
    ResourceBuffer wide(20000, 100);
    EXPECT_EQ(wide.getWidth(), 16384u);
    EXPECT_EQ(wide.getHeight(), 100u);
    EXPECT_EQ(wide.getTexture()->width(), 16384);
    EXPECT_EQ(wide.getFormat(), DXGI_FORMAT_R16G16B16A16_FLOAT);

    ResourceBuffer empty(0, 0);
    EXPECT_EQ(empty.getTexture(), nullptr);

    const std::string text = failureText([] { ResourceBuffer(0, 5); });
    EXPECT_NE(text.find("glTextureStorage2D() failed."), std::string::npos) << text;
    EXPECT_NE(text.find("[Place]\nMedia::ResourceBuffer::createTexture2D()"), std::string::npos);
}

TEST_F(ResourceBufferTest, RenderTargetAndUnorderedAccessOnlyForTheBindRuleFormats) {
    struct Case {
        int format;
        bool target;
    };
    const Case cases[] = {
        {DXGI_FORMAT_R16G16B16A16_FLOAT, true}, {DXGI_FORMAT_A8_UNORM, true},
        {DXGI_FORMAT_R32_FLOAT, true},          {DXGI_FORMAT_R32G32_FLOAT, true},
        {DXGI_FORMAT_R8G8B8A8_UNORM, false},    {DXGI_FORMAT_B8G8R8A8_UNORM, false},
        {DXGI_FORMAT_R16G16B16A16_UNORM, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        ResourceBuffer buffer(4, 4, c.format);
        EXPECT_NO_THROW(buffer.getShaderResourceView());
        if (c.target) {
            EXPECT_NO_THROW(buffer.getRenderTargetView());
            EXPECT_NO_THROW(buffer.getUnorderedAccessView());
        } else {
            const std::string target = failureText([&] { buffer.getRenderTargetView(); });
            EXPECT_EQ(target.rfind("Direct3D.device->CreateRenderTargetView() failed.\n\n[Note]\n"
                                   "HRESULT: 0x80070057\n",
                                   0),
                      0u)
                << target;
            EXPECT_NE(target.find("[Place]\nMedia::ResourceBuffer::createRenderTargetView()"),
                      std::string::npos);
            const std::string access = failureText([&] { buffer.getUnorderedAccessView(); });
            EXPECT_EQ(access.rfind("Direct3D.device->CreateUnorderedAccessView() failed.", 0), 0u);
        }
    }
}

TEST_F(ResourceBufferTest, CopyFromRgbaOnlyIntoAnEmptyBufferAndOnlyEightBitRgba) {
    const std::uint32_t pixels[4] = {};
    ResourceBuffer buffer(0, 0);
    buffer.copyFromRGBA(DXGI_FORMAT_R8G8B8A8_UNORM, pixels, 2, 2);
    EXPECT_EQ(buffer.getFormat(), DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_EQ(buffer.getWidth(), 2u);
    // "already allocated" is checked before the format.
    EXPECT_EQ(failureText([&] { buffer.copyFromRGBA(DXGI_FORMAT_R16G16B16A16_FLOAT, pixels, 2, 2); }),
              "already allocated resource buffer.\n\n[Place]\nMedia::ResourceBuffer::copyFromRGBA()");
    ResourceBuffer other(0, 0);
    EXPECT_EQ(failureText([&] { other.copyFromRGBA(DXGI_FORMAT_R16G16B16A16_FLOAT, pixels, 2, 2); }),
              "invalid pixel format.\n\n[Place]\nMedia::ResourceBuffer::copyFromRGBA()");
    EXPECT_EQ(other.getTexture(), nullptr);
}

TEST_F(ResourceBufferTest, UploadsEveryPictureFormatAsPremultipliedHalfFloats) {
    struct Case {
        const char* name;
        int format;
        std::vector<std::uint8_t> bytes;  // one pixel
        Rgba expected;
    };
    auto halfOf = [](float value) {
        // Exact for these values: sign 0, 10-bit mantissa.
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        const std::uint16_t half = static_cast<std::uint16_t>(
            ((bits >> 16) & 0x8000) | ((((bits >> 23) & 0xff) - 112) << 10) | ((bits >> 13) & 0x3ff));
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(half),
                                         static_cast<std::uint8_t>(half >> 8)};
    };
    std::vector<std::uint8_t> halfPixel;
    for (float v : {0.25f, 0.5f, 0.75f, 0.5f}) {
        const auto h = halfOf(v);
        halfPixel.insert(halfPixel.end(), h.begin(), h.end());
    }
    const Case cases[] = {
        {"straight RGBA", DXGI_FORMAT_R8G8B8A8_UNORM, {255, 0, 0, 128},
         {128 / 255.0f, 0, 0, 128 / 255.0f}},
        {"straight BGRA", DXGI_FORMAT_B8G8R8A8_UNORM, {255, 0, 0, 128},
         {0, 0, 128 / 255.0f, 128 / 255.0f}},
        {"opaque BGRX", DXGI_FORMAT_B8G8R8X8_UNORM, {0, 51, 102, 7}, {0.4f, 0.2f, 0, 1}},
        {"16-bit RGBA", DXGI_FORMAT_R16G16B16A16_UNORM, {0, 0, 0xff, 0xff, 0, 0x80, 0xff, 0x7f},
         {0, 1, 0x8000 / 65535.0f, 0x7fff / 65535.0f}},
        {"half float copied", DXGI_FORMAT_R16G16B16A16_FLOAT, halfPixel, {0.25f, 0.5f, 0.75f, 0.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Two rows with padding between them.
        const UINT pitch = static_cast<UINT>(c.bytes.size()) * 2 + 8;
        std::vector<std::uint8_t> rows(pitch * 2, 0xee);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                std::memcpy(&rows[y * pitch + x * c.bytes.size()], c.bytes.data(), c.bytes.size());
        const ImageData image{c.format, 2, 2, pitch, rows.data()};
        ResourceBuffer buffer(image, Media::ConvertParameters());
        EXPECT_EQ(buffer.getFormat(), DXGI_FORMAT_R16G16B16A16_FLOAT);
        ASSERT_EQ(buffer.getWidth(), 2u);
        for (const Rgba& p : read(buffer)) expectNear(p, c.expected);
    }
}

TEST_F(ResourceBufferTest, UploadsAnImageBuffer) {
    auto image = Media::ImageBuffer::create(DXGI_FORMAT_B8G8R8A8_UNORM, 3, 2);
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 3; ++x) {
            std::uint8_t* p = image->pixels.data + y * image->pitch + x * 4;
            p[0] = 0, p[1] = static_cast<std::uint8_t>(x * 100), p[2] = 255, p[3] = 255;
        }
    ResourceBuffer buffer(*image, Media::ConvertParameters());
    ASSERT_EQ(buffer.getWidth(), 3u);
    for (UINT x = 0; x < 3; ++x) expectNear(pixel(buffer, x, 1), {1, x * 100 / 255.0f, 0, 1});
}

TEST_F(ResourceBufferTest, ConversionIntoAnotherTargetFormatIsRefusedAfterResizing) {
    const std::uint32_t pixels[6] = {};
    ResourceBuffer target(1, 1, DXGI_FORMAT_R32_FLOAT);
    const std::string text = failureText([&] {
        Media::ResourceConvert().convert({DXGI_FORMAT_R8G8B8A8_UNORM, 3, 2, 12, pixels}, target,
                                         {});
    });
    EXPECT_EQ(text,
              "unsupported convert format.\n\n[Note]\nDXGI format 28 -> 41\n\n[Place]\n"
              "Media::ResourceConvert::convert()");
    EXPECT_EQ(target.getWidth(), 3u);
    EXPECT_EQ(target.getHeight(), 2u);
}

TEST_F(ResourceBufferTest, ClearFillsTheTargetAndAMaskKeepsOnlyAlpha) {
    ResourceBuffer picture(3, 2);
    const float colour[4] = {0.25f, 0.5f, 1.0f, 0.75f};
    picture.clear(colour);
    for (const Rgba& p : read(picture)) expectNear(p, {0.25f, 0.5f, 1.0f, 0.75f});

    // A mask reads as (0, 0, 0, mask) wherever a shader samples it.
    ResourceBuffer mask(3, 2, DXGI_FORMAT_A8_UNORM);
    mask.clear(colour);
    ResourceBuffer sampled(3, 2);
    resources().shaderList.general(Resource::ShaderList::Copy).draw(sampled, mask, nullptr);
    for (const Rgba& p : read(sampled)) expectNear(p, {0, 0, 0, 191 / 255.0f});

    ResourceBuffer readOnly(0, 0);
    const std::uint32_t pixels[1] = {};
    readOnly.copyFromRGBA(DXGI_FORMAT_R8G8B8A8_UNORM, pixels, 1, 1);
    EXPECT_EQ(failureText([&] { readOnly.clear(colour); }).rfind("Direct3D.device->CreateRenderTargetView", 0), 0u);
}

TEST_F(ResourceBufferTest, CopyRegionCloneAndCloneResize) {
    auto source = picture(8, 6, gradient);
    const auto original = read(*source);

    ResourceBuffer region(3, 2);
    region.copyRegion(*source, 4, 3, 3, 2);
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 3; ++x) expectNear(pixel(region, x, y), gradient(x + 4, y + 3));

    auto copy = source->clone();
    EXPECT_EQ(read(*copy), original);

    struct Case {
        const char* name;
        UINT width, height;
        int x, y;
    };
    // On a 24 x 6 picture.
    const Case cases[] = {
        {"margin of 10 on every side", 44, 26, 10, 10},
        {"10 columns cropped on each side", 4, 6, -10, 0},
        {"right 10 columns fall outside", 24, 6, 10, 0},
        {"offset beyond the new size", 24, 6, 24, 0},
        {"offset above the new buffer", 24, 6, 0, -6},
    };
    auto wide = picture(24, 6, gradient);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto resized = wide->cloneResize(c.width, c.height, c.x, c.y);
        ASSERT_EQ(resized->getWidth(), c.width);
        const auto pixels = read(*resized);
        for (UINT y = 0; y < c.height; ++y) {
            for (UINT x = 0; x < c.width; ++x) {
                const int sx = static_cast<int>(x) - c.x, sy = static_cast<int>(y) - c.y;
                const bool inside = sx >= 0 && sy >= 0 && sx < 24 && sy < 6;
                const Rgba expected = inside ? gradient(sx, sy) : Rgba{0, 0, 0, 0};
                const Rgba& actual = pixels[y * c.width + x];
                if (actual != expected) {
                    ADD_FAILURE() << "pixel " << x << "," << y;
                    return;
                }
            }
        }
    }
}

TEST_F(ResourceBufferTest, APictureMadeOnOneThreadIsDrawnOnAnother) {
    std::unique_ptr<ResourceBuffer> made;
    std::thread([&] {
        made = picture(4, 4, gradient);
        // Overwrite one pixel with a draw on this thread as well.
        ResourceBuffer red(4, 4);
        const float colour[4] = {1, 0, 0, 1};
        red.clear(colour);
        made->copyRegion(red, 0, 0, 1, 1);
    }).join();

    ResourceBuffer drawn(4, 4);
    resources().shaderList.general(Resource::ShaderList::Copy).draw(drawn, *made, nullptr);
    expectNear(pixel(drawn, 0, 0), {1, 0, 0, 1});
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = (y == 0 ? 1 : 0); x < 4; ++x) expectNear(pixel(drawn, x, y), gradient(x, y));

    // And released on a third thread without a context of its own.
    std::thread([&] { made.reset(); }).join();
    EXPECT_EQ(made, nullptr);
}

}  // namespace
