#pragma once
// GPU tests: one Direct3D service per test suite on the headless display,
// and read-backs of small pictures as floats.
#include "core/base/Singleton.h"
#include "media/gpu/ConstantBufferCommon.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/ResourceService.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace MediaTest {

using Rgba = std::array<float, 4>;

class GpuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        holder_ = std::make_unique<System::Singleton<Media::Direct3DService>>();
        resourceHolder_ = std::make_unique<System::Singleton<Resource::ResourceService>>();
    }
    static void TearDownTestSuite() {
        resourceHolder_.reset();
        holder_.reset();
    }
    void SetUp() override { ASSERT_NE(System::Singleton<Media::Direct3DService>::getInstance(), nullptr); }

    static Media::Direct3DService& service() { return Media::Direct3DService::Get(); }
    static Resource::ResourceService& resources() { return Resource::ResourceService::Get(); }

    // The texture's stored values as RGBA floats, top row first. Masks read
    // back as stored (the mask in alpha).
    static std::vector<Rgba> read(const Platform::Gl::Texture& texture) {
        std::vector<Rgba> pixels(static_cast<std::size_t>(texture.width()) * texture.height());
        Platform::Gl::runCommand(
            service().context(), {{texture.handover().get(), Platform::Gl::Access::Read}},
            [&] {
                glGetTextureImage(texture.name(), 0, GL_RGBA, GL_FLOAT,
                                  static_cast<GLsizei>(pixels.size() * sizeof(Rgba)), pixels.data());
            },
            true);
        return pixels;
    }
    static std::vector<Rgba> read(Media::ResourceBuffer& buffer) { return read(*buffer.getTexture()); }
    static Rgba pixel(Media::ResourceBuffer& buffer, UINT x, UINT y) {
        return read(buffer)[static_cast<std::size_t>(y) * buffer.getWidth() + x];
    }

    static std::unique_ptr<Media::PixelShader> pixelShader(const char* code) {
        auto shader = std::make_unique<Media::PixelShader>(&service());
        shader->loadFromMemory(code, std::strlen(code));
        return shader;
    }
    static std::unique_ptr<Platform::Gl::Buffer> constants(const std::vector<float>& values) {
        std::unique_ptr<Platform::Gl::Buffer> buffer;
        Media::ConstantBufferCommon::create(buffer, values.data(),
                                            static_cast<UINT>(values.size() * sizeof(float)));
        return buffer;
    }

    // A pixel-format picture filled with one colour per pixel from f(x, y).
    template <class F>
    static std::unique_ptr<Media::ResourceBuffer> picture(UINT width, UINT height, F f) {
        std::vector<float> rows;
        for (UINT y = 0; y < height; ++y)
            for (UINT x = 0; x < width; ++x)
                for (float c : f(x, y)) rows.push_back(c);
        auto buffer = std::make_unique<Media::ResourceBuffer>(width, height,
                                                              DXGI_FORMAT_R16G16B16A16_FLOAT);
        Platform::Gl::Texture& texture = *buffer->getTexture();
        Platform::Gl::runCommand(
            service().context(), {{texture.handover().get(), Platform::Gl::Access::Write}}, [&] {
                glTextureSubImage2D(texture.name(), 0, 0, 0, static_cast<GLsizei>(width),
                                    static_cast<GLsizei>(height), GL_RGBA, GL_FLOAT, rows.data());
            });
        return buffer;
    }

private:
    static inline std::unique_ptr<System::Singleton<Media::Direct3DService>> holder_;
    static inline std::unique_ptr<System::Singleton<Resource::ResourceService>> resourceHolder_;
};

// Half floats keep 11 significant bits.
inline void expectNear(const Rgba& actual, const Rgba& expected, float tolerance = 2e-3f) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "channel " << i;
}

}  // namespace MediaTest
