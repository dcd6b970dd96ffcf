// Render threads drawing at once through the shared shader list: each has
// its own parameter block, object constants and quad strip, so neither sees
// the other's.
#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexBufferCommon.h"
#include "media/gpu/VertexList.h"
#include "platform/gl/GlCommands.h"

#include <cstring>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

using MediaTest::Rgba;
using Resource::ShaderList;

class GpuThreadsTest : public MediaTest::GpuTest {};

// Two threads fill their own pictures with their own colours through the
// parameter block, many times, at once: every picture holds its thread's
// colour of that round.
TEST_F(GpuThreadsTest, ThreadsDrawingAtOnceKeepTheirOwnParameters) {
    ShaderList& shaders = resources().shaderList;
    constexpr int kRounds = 60;
    std::latch start(2);
    std::vector<std::string> wrong[2];
    auto drawer = [&](int thread) {
        Media::ResourceBuffer picture(64, 64);
        start.arrive_and_wait();
        for (int round = 0; round < kRounds; ++round) {
            const float value = static_cast<float>(round) / kRounds;
            const Rgba colour = thread == 0 ? Rgba{value, 0, 0, 1} : Rgba{0, value, 1, 1};
            shaders.setConstant(ShaderList::ColorConstant{{colour[0], colour[1], colour[2], colour[3]}});
            shaders.general(ShaderList::Fill).draw(picture, shaders.getConstantBuffer(), nullptr);
            const std::vector<Rgba> pixels = read(picture);
            for (const Rgba& pixel : pixels)
                if (std::abs(pixel[0] - colour[0]) > 2e-3f || std::abs(pixel[1] - colour[1]) > 2e-3f ||
                    pixel[2] != colour[2]) {
                    wrong[thread].push_back("round " + std::to_string(round));
                    break;
                }
        }
    };
    std::thread first(drawer, 0), second(drawer, 1);
    first.join();
    second.join();
    EXPECT_TRUE(wrong[0].empty()) << wrong[0].size() << " wrong rounds, first " << wrong[0][0];
    EXPECT_TRUE(wrong[1].empty()) << wrong[1].size() << " wrong rounds, first " << wrong[1][0];
    // Each thread drew through a block of its own.
    Platform::Gl::Buffer* other = nullptr;
    std::thread([&] { other = shaders.getConstantBuffer(); }).join();
    EXPECT_NE(other, shaders.getConstantBuffer());
}

// Single quads go through the thread's own persistent strip: two threads
// drawing quads of different places at once each cover only their own.
TEST_F(GpuThreadsTest, ThreadsDrawingSingleQuadsAtOnceKeepTheirOwnVertices) {
    ShaderList& shaders = resources().shaderList;
    // Pictures of 8 x 8 pixels, positions in pixels.
    const char* vertexCode = R"(
        layout(location = 0) in vec3 POSITION;
        layout(location = 1) in vec2 TEXUV;
        layout(location = 2) in float COLOR;
        layout(location = 0) out vec4 PAYLOAD;
        void main() {
            gl_Position = vec4(POSITION.x / 4.0 - 1.0, 1.0 - POSITION.y / 4.0, 0.0, 1.0);
            PAYLOAD = vec4(TEXUV, COLOR, 1.0);
        })";
    const char* pixelCode = R"(
        layout(location = 0) in vec4 PAYLOAD;
        layout(location = 0) out vec4 result;
        void main() { result = vec4(1.0); })";
    shaders.objectVertex(0).loadFromMemory(vertexCode, std::strlen(vertexCode));
    shaders.objectPixel(0).loadFromMemory(pixelCode, std::strlen(pixelCode));

    // Enough rounds that the threads' draws overlap many times.
    constexpr int kRounds = 300;
    std::latch start(2);
    std::vector<std::string> wrong[2];
    auto drawer = [&](int thread) {
        Media::ResourceBuffer picture(8, 8);
        // Thread 0 covers the left half, thread 1 the right half.
        const float left = thread == 0 ? 0.0f : 4.0f;
        Media::VertexListQuadPosUv quad;
        quad.vertices = {{left, 0, 0, 0, 0, 1, 0}, {left + 4, 0, 0, 0, 0, 1, 0},
                         {left + 4, 8, 0, 0, 0, 1, 0}, {left, 8, 0, 0, 0, 1, 0}};
        quad.setFlatShader();
        start.arrive_and_wait();
        const float none[4] = {0, 0, 0, 0};
        for (int round = 0; round < kRounds; ++round) {
            picture.clear(none);
            service().setRenderTarget(picture);
            resources().rasterizerStateList.get(0)->bind(service().context());
            resources().blendStateList.get(4)->bind(service().context(), nullptr);
            quad.draw();
            service().unsetRenderTargets();
            const std::vector<Rgba> pixels = read(picture);
            for (int i = 0; i < 64; ++i)
                if ((pixels[static_cast<std::size_t>(i)][3] != 0) != ((i % 8 >= 4) == (thread == 1))) {
                    wrong[thread].push_back("round " + std::to_string(round));
                    break;
                }
        }
    };
    std::thread first(drawer, 0), second(drawer, 1);
    first.join();
    second.join();
    EXPECT_TRUE(wrong[0].empty()) << wrong[0].size() << " wrong rounds, first " << wrong[0][0];
    EXPECT_TRUE(wrong[1].empty()) << wrong[1].size() << " wrong rounds, first " << wrong[1][0];
}

// A strip is its thread's own and has no hand-over: another thread that
// draws or rewrites it, racing the owner's writes, is refused instead of
// drawing whatever the owner wrote last.
TEST_F(GpuThreadsTest, AThreadsOwnStripIsRefusedOnAnotherThread) {
    Media::VertexBufferCommon& strip = resources().shaderList.quadStrip();
    strip.update();
    std::string drawn, rewritten;
    std::thread([&] {
        Media::ResourceBuffer picture(8, 8);
        service().setRenderTarget(picture);
        drawn = CoreTest::failureText([&] { service().drawVertexBuffer(strip); });
        service().unsetRenderTargets();
        rewritten = CoreTest::failureText([&] { strip.update(); });
    }).join();
    for (const auto& [text, call] : {std::pair{drawn, "glVertexArrayVertexBuffer"},
                                     std::pair{rewritten, "glNamedBufferSubData"}}) {
        EXPECT_EQ(text.rfind(std::string(call) + "() failed.\n", 0), 0u) << text;
        EXPECT_NE(text.find("[Place]\nPlatform::Gl::Buffer()"), std::string::npos) << text;
    }
    // The owner itself still draws it.
    Media::ResourceBuffer picture(8, 8);
    service().setRenderTarget(picture);
    EXPECT_NO_THROW(service().drawVertexBuffer(strip));
    service().unsetRenderTargets();
}

// Two threads draw white quads over their whole 8 x 8 pictures through the
// flat coloured object program, each round at an opacity of its own from
// the object constants: every picture holds its thread's opacity of that
// round.
TEST_F(GpuThreadsTest, ThreadsDrawingObjectsAtOnceKeepTheirOwnObjectConstants) {
    ShaderList& shaders = resources().shaderList;
    constexpr int kRounds = 60;
    std::latch start(2);
    std::vector<std::string> wrong[2];
    auto drawer = [&](int thread) {
        Media::ResourceBuffer picture(8, 8);
        Media::VertexListQuadPosColor quad;
        quad.vertices = {{0, 0, 0.5f, 1, 1, 1, 1}, {8, 0, 0.5f, 1, 1, 1, 1},
                         {8, 8, 0.5f, 1, 1, 1, 1}, {0, 8, 0.5f, 1, 1, 1, 1}};
        ShaderList::ObjectConstant constant{};
        // Pixels to clip space, one column per four floats.
        const float projection[16] = {0.25f, 0, 0, 0, 0, -0.25f, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
        std::memcpy(constant.projection, projection, sizeof projection);
        constant.normalWorld[0] = constant.normalWorld[5] = constant.normalWorld[10] = constant.normalWorld[15] = 1;
        start.arrive_and_wait();
        const float none[4] = {0, 0, 0, 0};
        for (int round = 0; round < kRounds; ++round) {
            constant.alpha = (thread == 0 ? 0.0f : 0.5f) + 0.5f * static_cast<float>(round) / kRounds;
            picture.clear(none);
            shaders.setObjectConstant(constant);
            service().setRenderTarget(picture);
            resources().rasterizerStateList.get(0)->bind(service().context());
            resources().blendStateList.get(0)->bind(service().context(), nullptr);
            Platform::Gl::bindConstantBuffer(service().context(), Platform::Gl::Stage::Vertex, 0,
                                             shaders.getObjectConstantBuffer());
            Platform::Gl::bindConstantBuffer(service().context(), Platform::Gl::Stage::Pixel, 0,
                                             shaders.getObjectConstantBuffer());
            quad.setFlatShader();
            quad.draw();
            service().unsetRenderTargets();
            service().context().bindings() = {};
            const std::vector<Rgba> pixels = read(picture);
            for (const Rgba& pixel : pixels)
                if (std::abs(pixel[3] - constant.alpha) > 2e-3f || std::abs(pixel[0] - constant.alpha) > 2e-3f) {
                    wrong[thread].push_back("round " + std::to_string(round));
                    break;
                }
        }
    };
    std::thread first(drawer, 0), second(drawer, 1);
    first.join();
    second.join();
    EXPECT_TRUE(wrong[0].empty()) << wrong[0].size() << " wrong rounds, first " << wrong[0][0];
    EXPECT_TRUE(wrong[1].empty()) << wrong[1].size() << " wrong rounds, first " << wrong[1][0];
    // The light constants are the thread's own as well.
    Platform::Gl::Buffer* objects = nullptr;
    Platform::Gl::Buffer* lights = nullptr;
    std::thread([&] {
        objects = shaders.getObjectConstantBuffer();
        lights = shaders.getLightConstantBuffer();
    }).join();
    EXPECT_NE(objects, shaders.getObjectConstantBuffer());
    EXPECT_NE(lights, shaders.getLightConstantBuffer());
}

}  // namespace
