// Frame targets: the texture and its views, the work buffers, lights and
// shadow maps made on first request, read-backs into RGBA images, copies of
// the frame and the preview's frame image.
#include "media/gpu/RenderBuffer.h"

#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "media/image/FrameImage.h"
#include "media/GpuFixture.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/ShaderList.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Media::ImageBuffer;
using Media::RenderBuffer;
using Media::ResourceBuffer;
using MediaTest::expectNear;
using MediaTest::Rgba;
using Platform::Gl::Texture;

class RenderBufferTest : public MediaTest::GpuTest {
protected:
    // A frame in the pixel format holding f(x, y), drawn in by a copy pass.
    template <class F>
    static std::unique_ptr<RenderBuffer> frame(UINT width, UINT height, F f, int format = 0) {
        auto made = std::make_unique<RenderBuffer>(format ? format : service().pixelFormat,
                                                   service().sampleDesc);
        made->createTexture2D(static_cast<int>(width), static_cast<int>(height));
        auto source = picture(width, height, f);
        resources().shaderList.general(Resource::ShaderList::Copy).draw(*made, *source);
        return made;
    }
    static std::vector<std::uint8_t> row(const ImageBuffer& image, UINT y) {
        const std::uint8_t* begin = image.pixels.data + static_cast<std::size_t>(y) * image.pitch;
        return {begin, begin + image.pitch};
    }
};

using CoreTest::failureText;

TEST_F(RenderBufferTest, TheTextureIsMadeForANewSizeWithTheFramesBindRule) {
    RenderBuffer working(DXGI_FORMAT_R16G16B16A16_FLOAT);
    working.createTexture2D(0, 0);
    EXPECT_EQ(working.getTexture(), nullptr);
    working.createTexture2D(4, 2);
    const Texture* texture = working.getTexture();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width(), 4);
    EXPECT_EQ(texture->bindFlags(), Texture::ShaderResource | Texture::RenderTarget | Texture::UnorderedAccess);
    working.createTexture2D(4, 2);
    EXPECT_EQ(working.getTexture(), texture);
    EXPECT_NO_THROW(working.createUnorderedAccessView());

    // Frames of another format are targets without unordered access.
    RenderBuffer bytes(DXGI_FORMAT_R8G8B8A8_UNORM);
    bytes.createTexture2D(2, 2);
    EXPECT_EQ(bytes.getTexture()->bindFlags(), Texture::ShaderResource | Texture::RenderTarget);
    EXPECT_NO_THROW(bytes.getRenderTargetView());
    const std::string access = failureText([&] { bytes.createUnorderedAccessView(); });
    EXPECT_EQ(access.rfind("Direct3D.device->CreateUnorderedAccessView() failed.\n\n[Note]\n"
                           "HRESULT: 0x80070057\n",
                           0),
              0u)
        << access;
    EXPECT_NE(access.find("[Place]\nMedia::RenderBuffer::createUnorderedAccessView()"), std::string::npos);

    RenderBuffer multisampled(DXGI_FORMAT_R16G16B16A16_FLOAT, {4, 0});
    EXPECT_EQ(failureText([&] { multisampled.createTexture2D(2, 2); })
                  .rfind("Direct3D.device->CreateTexture2D() failed.", 0),
              0u);
    // A failed texture leaves no size behind: the same request fails again.
    EXPECT_EQ(multisampled.getWidth(), 0);
    EXPECT_THROW(multisampled.createTexture2D(2, 2), System::Exception);
    RenderBuffer empty(DXGI_FORMAT_R16G16B16A16_FLOAT);
    EXPECT_EQ(failureText([&] { empty.createShaderResourceView(); })
                  .rfind("Direct3D.device->CreateShaderResourceView() failed.", 0),
              0u);
}

TEST_F(RenderBufferTest, WorkBuffersAreMadeAndClearedOnFirstRequestOnly) {
    RenderBuffer target(DXGI_FORMAT_R16G16B16A16_FLOAT);
    target.createTexture2D(4, 2);
    struct Case {
        const char* name;
        ResourceBuffer* (RenderBuffer::*get)();
        int format;
        Rgba cleared;  // as read back: R32F gives (r, 0, 0, 1)
    };
    const Case cases[] = {
        {"depth", &RenderBuffer::getDepthBuffer, DXGI_FORMAT_R32_FLOAT, {0, 0, 0, 1}},
        {"transparent layer", &RenderBuffer::getTransparentBuffer, DXGI_FORMAT_R16G16B16A16_FLOAT,
         {0, 0, 0, 0}},
        {"transparent depth", &RenderBuffer::getTransparentDepthBuffer, DXGI_FORMAT_R32_FLOAT, {0, 0, 0, 1}},
        {"normals", &RenderBuffer::getNormalBuffer, DXGI_FORMAT_R16G16B16A16_FLOAT, {0, 0, 0, -1}},
        {"transparent normals", &RenderBuffer::getNormalTransparentBuffer, DXGI_FORMAT_R16G16B16A16_FLOAT,
         {0, 0, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResourceBuffer* buffer = (target.*c.get)();
        ASSERT_NE(buffer, nullptr);
        EXPECT_EQ(buffer->getFormat(), c.format);
        EXPECT_EQ(buffer->getWidth(), 4u);
        EXPECT_EQ(buffer->getHeight(), 2u);
        for (const Rgba& p : read(*buffer)) expectNear(p, c.cleared);
        // Drawn into, then asked for again: the same buffer, not cleared.
        const float mark[4] = {0.5f, 0.5f, 0.5f, 0.5f};
        buffer->getUnorderedAccessView().clear(mark, "test");
        EXPECT_EQ((target.*c.get)(), buffer);
        EXPECT_NEAR(read(*buffer)[0][0], 0.5f, 1e-3f);
    }
    // A resized frame keeps the work buffers it had, at their size.
    ResourceBuffer* depth = target.getDepthBuffer();
    target.createTexture2D(8, 4);
    EXPECT_EQ(target.getDepthBuffer(), depth);
    EXPECT_EQ(depth->getWidth(), 4u);
}

TEST_F(RenderBufferTest, EveryLightHasAShadowEntryAndItsMapIsMadeOnRequest) {
    const int shadowSize = service().shadowBufferSize;
    service().shadowBufferSize = 16;
    RenderBuffer target(DXGI_FORMAT_R16G16B16A16_FLOAT);
    target.createTexture2D(4, 4);
    const Media::LightSource lights[] = {
        {Media::LightSource::Ambient, {0, 0, 0}, {0.25f, 0.25f, 0.25f, 1}, 0, 0, {}},
        {Media::LightSource::Light, {0, 0, -1}, {1, 1, 1, 1}, 100, 0, {}},
        {Media::LightSource::ShadowLight, {0, 1, 0}, {1, 0.5f, 0, 1}, 100, 50, {}},
    };
    for (const auto& light : lights) target.addLight(light);
    ASSERT_EQ(target.getLights().size(), 3u);
    EXPECT_EQ(target.getLights()[2].type, Media::LightSource::ShadowLight);
    EXPECT_THROW(target.getShadowBuffer(3), std::out_of_range);

    ResourceBuffer* shadow = target.getShadowBuffer(1);
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->getFormat(), DXGI_FORMAT_R32G32_FLOAT);
    EXPECT_EQ(shadow->getWidth(), 16u);
    EXPECT_EQ(shadow->getHeight(), 16u);
    for (const Rgba& p : read(*shadow)) {
        EXPECT_EQ(p[0], 1.0f);
        EXPECT_EQ(p[1], 1.0f);
    }
    EXPECT_EQ(target.getShadowBuffer(1), shadow);
    EXPECT_NE(target.getShadowBuffer(0), shadow);
    service().shadowBufferSize = shadowSize;
}

TEST_F(RenderBufferTest, ReadBackKeepsOrUndoesPremultipliedAlpha) {
    // Half-transparent red, an overshooting pixel, a transparent one.
    const Rgba pixels[3] = {{0.5f, 0, 0, 0.5f}, {0.75f, -0.25f, 0.5f, 0.5f}, {0.25f, 0.5f, 0, 0}};
    auto source = frame(3, 1, [&](UINT x, UINT) { return pixels[x]; });
    using Bytes = std::vector<std::uint8_t>;
    struct Case {
        const char* name;
        int format;
        bool straight;
        Bytes expected;  // three pixels
    };
    const Case cases[] = {
        {"RGBA straight", DXGI_FORMAT_R8G8B8A8_UNORM, true, {255, 0, 0, 128, 255, 0, 255, 128, 0, 0, 0, 0}},
        {"RGBA premultiplied", DXGI_FORMAT_R8G8B8A8_UNORM, false,
         {128, 0, 0, 128, 128, 0, 128, 128, 0, 0, 0, 0}},
        {"BGRA straight", DXGI_FORMAT_B8G8R8A8_UNORM, true, {0, 0, 255, 128, 255, 0, 255, 128, 0, 0, 0, 0}},
        {"BGRX opaque", DXGI_FORMAT_B8G8R8X8_UNORM, false,
         {0, 0, 128, 255, 128, 0, 191, 255, 0, 128, 64, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto image = source->convertToImageBuffer(c.format, c.straight);
        EXPECT_EQ(image->format, static_cast<std::uint32_t>(c.format));
        EXPECT_EQ(image->width, 3u);
        EXPECT_EQ(image->height, 1u);
        EXPECT_EQ(image->pitch, 32u);
        const Bytes bytes(image->pixels.data, image->pixels.data + 12);
        for (int i = 0; i < 12; ++i) EXPECT_NEAR(bytes[i], c.expected[i], 1) << "byte " << i;
    }
    // Any other format is a plain copy; the frame's own format reads as it is.
    const auto words = source->convertToImageBuffer(DXGI_FORMAT_R16G16B16A16_UNORM, false);
    std::uint16_t red[4];
    std::memcpy(red, words->pixels.data, 8);
    EXPECT_NEAR(red[0], 32768, 1);
    EXPECT_EQ(red[1], 0);
    const auto own = source->copyToImageBuffer();
    EXPECT_EQ(own->format, static_cast<std::uint32_t>(DXGI_FORMAT_R16G16B16A16_FLOAT));
    EXPECT_EQ(own->pitch, 32u);
    std::uint16_t halves[4];
    std::memcpy(halves, own->pixels.data, 8);
    EXPECT_EQ(halves[0], 0x3800);  // 0.5
    EXPECT_EQ(halves[3], 0x3800);
}

TEST_F(RenderBufferTest, CopyToRgbaTakesOnlyEightBitFrames) {
    auto halfFloat = frame(2, 2, [](UINT, UINT) { return Rgba{0, 0, 0, 0}; });
    std::vector<std::uint8_t> rows(2 * 2 * 4);
    EXPECT_EQ(failureText([&] { halfFloat->copyToRGBA(rows.data()); }),
              "invalid pixel format.\n\n[Place]\nMedia::RenderBuffer::copyToRGBA()");

    auto bytes = frame(3, 2, [](UINT x, UINT y) { return Rgba{x / 4.0f, y / 4.0f, 0, 1}; },
                       DXGI_FORMAT_R8G8B8A8_UNORM);
    std::vector<std::uint8_t> out(3 * 2 * 4, 0xee);
    bytes->copyToRGBA(out.data());
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 3; ++x) {
            const std::uint8_t* p = &out[(y * 3 + x) * 4];
            EXPECT_NEAR(p[0], x * 255 / 4.0, 1);
            EXPECT_NEAR(p[1], y * 255 / 4.0, 1);
            EXPECT_EQ(p[3], 255);
        }
}

TEST_F(RenderBufferTest, ResourceCopiesKeepAlphaOrMakeTheFrameOpaque) {
    auto source = frame(3, 2, [](UINT x, UINT y) { return Rgba{x / 4.0f, y / 4.0f, 0.25f, 0.5f}; });
    const auto copy = source->createResourceBuffer(true);
    const auto opaque = source->createResourceBuffer(false);
    EXPECT_EQ(copy->getFormat(), service().pixelFormat);
    ASSERT_EQ(copy->getWidth(), 3u);
    EXPECT_EQ(read(*copy), read(*source->getTexture()));
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 3; ++x) expectNear(pixel(*opaque, x, y), {x / 4.0f, y / 4.0f, 0.25f, 1});

    RenderBuffer empty(service().pixelFormat);
    EXPECT_EQ(empty.createResourceBuffer(true)->getTexture(), nullptr);
}

TEST_F(RenderBufferTest, TheFrameImageHoldsThePremultipliedFrame) {
    Media::FrameImage preview;
    auto first = frame(3, 2, [](UINT x, UINT) { return Rgba{0.5f, x / 4.0f, 0, 0.5f}; });
    preview.update(*first);
    {
        std::lock_guard lock(preview.mutex);
        // B, G, R, A: the layout of the drawing surfaces.
        EXPECT_EQ(preview.image.format, static_cast<std::uint32_t>(DXGI_FORMAT_B8G8R8A8_UNORM));
        EXPECT_EQ(preview.image.width, 3u);
        EXPECT_EQ(preview.image.height, 2u);
        const auto bottom = row(preview.image, 1);
        for (UINT x = 0; x < 3; ++x) {
            EXPECT_EQ(bottom[x * 4 + 0], 0);
            EXPECT_NEAR(bottom[x * 4 + 1], x * 255 / 4.0, 1);
            EXPECT_NEAR(bottom[x * 4 + 2], 128, 1);
            EXPECT_NEAR(bottom[x * 4 + 3], 128, 1);
        }
    }
    auto second = frame(5, 1, [](UINT, UINT) { return Rgba{1, 1, 1, 1}; });
    preview.update(*second);
    std::lock_guard lock(preview.mutex);
    EXPECT_EQ(preview.image.width, 5u);
    EXPECT_EQ(preview.image.pixels.data[16], 255);
}

struct Reader : MediaTest::GpuTest {
    using GpuTest::read;
};

TEST_F(RenderBufferTest, FramesTakeEveryDrawOverloadAndWorkBuffersAsUnorderedAccess) {
    auto colour = picture(2, 1, [](UINT x, UINT) { return Rgba{0.25f, 0.5f * x, 0, 0.5f}; });
    auto other = picture(2, 1, [](UINT, UINT) { return Rgba{0.5f, 0, 0.25f, 0.5f}; });
    RenderBuffer target(DXGI_FORMAT_R16G16B16A16_FLOAT);
    target.createTexture2D(2, 1);
    Resource::ShaderList& list = resources().shaderList;
    const float grey[4] = {0.5f, 0.5f, 0.5f, 1};

    // 3: source and constants.
    auto scaled = pixelShader(R"(
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 factor; };
layout(location = 0) out vec4 result;
void main() { result = loadTexel(texture0, ivec2(gl_FragCoord.xy)) * factor.x; })");
    list.setConstant(Resource::ShaderList::FloatConstant{2.0f, {}});
    scaled->draw(target, *colour, list.getConstantBuffer(), nullptr);
    expectNear(read(*target.getTexture())[1], {0.5f, 1, 0, 1});
    // 4: a blend factor (state 20: source * F + target * (1 - F)).
    target.getRenderTargetView().clear(grey, "test");
    const float factor[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    list.general(Resource::ShaderList::Copy).draw(target, *colour, factor, resources().blendStateList.get(20));
    expectNear(read(*target.getTexture())[0], {0.375f, 0.25f, 0.25f, 0.75f});
    // 8: two sources.
    auto sum = pixelShader(R"(
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(binding = T_SLOT(1)) uniform sampler2D texture1;
layout(location = 0) out vec4 result;
void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    result = loadTexel(texture0, p) + loadTexel(texture1, p);
})");
    sum->draw(target, *colour, *other, nullptr);
    expectNear(read(*target.getTexture())[1], {0.75f, 0.5f, 0.25f, 1});

    // The frame with its depth, transparent and transparent-depth buffers
    // at u1 to u3, as 3D object drawing binds them.
    auto writer = pixelShader(R"(
layout(binding = U_SLOT(1), r32f) uniform image2D depthBuffer;
layout(binding = U_SLOT(2), rgba16f) uniform image2D transparentBuffer;
layout(binding = U_SLOT(3), r32f) uniform image2D transparentDepthBuffer;
layout(location = 0) out vec4 result;
void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    imageStore(depthBuffer, p, vec4(0.75));
    imageStore(transparentBuffer, p, vec4(0.25, 0.5, 0.0, 0.5));
    imageStore(transparentDepthBuffer, p, vec4(imageLoad(depthBuffer, p).r * 0.5));
    result = vec4(1.0);
})");
    Media::ResourceBuffer* views[] = {target.getDepthBuffer(), target.getTransparentBuffer(),
                                      target.getTransparentDepthBuffer()};
    service().setRenderTargetAndUnorderedAccessView(target, 3, views);
    writer->drawPass(nullptr, 0, nullptr, nullptr, nullptr);
    expectNear(read(*target.getTexture())[0], {1, 1, 1, 1});
    EXPECT_EQ(read(*views[0])[1][0], 0.75f);
    expectNear(read(*views[1])[1], {0.25f, 0.5f, 0, 0.5f});
    EXPECT_EQ(read(*views[2])[1][0], 0.375f);
}

// With another working format the half-float normal buffers are still
// targets: a lit 3D draw can clear and write them.
TEST(RenderBufferFormatTest, NormalBuffersWorkWithAnEightBitWorkingFormat) {
    CoreTest::ProgramFolder folder;
    const std::string path = (folder.program() / "system.conf").string();
    std::string text = CoreTest::readBytes(path);
    text.replace(text.find("PixelFormat=10\n"), 15, "PixelFormat=28\n");
    CoreTest::writeBytes(path, text);
    System::Singleton<Setting::SettingService> setting;
    System::Singleton<Media::Direct3DService> service;
    System::Singleton<Resource::ResourceService> resources;
    ASSERT_EQ(Media::Direct3DService::Get().pixelFormat, DXGI_FORMAT_R8G8B8A8_UNORM);
    RenderBuffer target(DXGI_FORMAT_R8G8B8A8_UNORM);
    target.createTexture2D(2, 2);
    EXPECT_NO_THROW(target.createUnorderedAccessView());
    for (auto get : {&RenderBuffer::getNormalBuffer, &RenderBuffer::getNormalTransparentBuffer}) {
        ResourceBuffer* normals = (target.*get)();
        ASSERT_NE(normals, nullptr);
        EXPECT_EQ(normals->getFormat(), DXGI_FORMAT_R16G16B16A16_FLOAT);
        EXPECT_NO_THROW(normals->getUnorderedAccessView());
        for (const Rgba& p : Reader::read(*normals->getTexture())) expectNear(p, {0, 0, 0, -1});
    }
    EXPECT_EQ(target.getTransparentBuffer()->getFormat(), DXGI_FORMAT_R8G8B8A8_UNORM);
}

}  // namespace
