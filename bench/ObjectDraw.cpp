// Reference figures of 3D object drawing on the running driver: a lit
// model of 10,000 triangles drawn into a full-HD frame with its depth,
// layer and normal buffers, then the lighting pass with one light; and
// the run-time compile of a small script pixel shader.
#include "core/base/Singleton.h"
#include "media/gpu/ConstantBufferCommon.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ShaderCompile.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexList.h"
#include "media/resource/ResourceService.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

Media::Direct3DService& service() {
    static System::Singleton<Media::Direct3DService> holder;
    static System::Singleton<Resource::ResourceService> resources;
    return Media::Direct3DService::Get();
}

// A 100 x 50 grid of quads (10,000 triangles) bulging towards the viewer,
// filling most of the frame.
std::shared_ptr<Media::VertexListTrianglePosColorNorm> model() {
    auto list = std::make_shared<Media::VertexListTrianglePosColorNorm>();
    constexpr int columns = 100, rows = 50;
    auto vertex = [](int i, int j) {
        const float u = static_cast<float>(i) / columns, v = static_cast<float>(j) / rows;
        const float x = (u - 0.5f) * 1800, y = (v - 0.5f) * 1000;
        const float bulge = std::sin(u * 3.14159f) * std::sin(v * 3.14159f);
        const float nx = std::cos(u * 3.14159f) * 0.5f, ny = std::cos(v * 3.14159f) * 0.5f;
        const float length = std::sqrt(nx * nx + ny * ny + 1);
        return Media::XYZ_COL_NORM{x, y, -200 * bulge, nx / length, ny / length, -1 / length,
                                   0.8f, 0.7f, 0.6f, 1};
    };
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            for (auto [di, dj] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}})
                list->vertices.push_back(vertex(i + di, j + dj));
    return list;
}

void FullHdLitModelDraw(benchmark::State& state) {
    Media::Direct3DService& d3d = service();
    Resource::ResourceService& resources = Resource::ResourceService::Get();
    Resource::ShaderList& shaders = resources.shaderList;
    Platform::Gl::Context& context = d3d.context();
    Media::RenderBuffer frame(d3d.pixelFormat);
    frame.createTexture2D(kWidth, kHeight);
    auto list = model();

    Resource::ShaderList::ObjectConstant object{};
    const float projection[16] = {2.0f / kWidth, 0, 0, 0, 0, -2.0f / kHeight, 0, 0,
                                  0, 0, -0.001f, 0, 0, 0, 0.5f, 1};
    std::memcpy(object.projection, projection, sizeof projection);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::memcpy(object.normalWorld, identity, sizeof identity);
    object.alpha = 1;
    object.shine = 0.5f;
    Resource::ShaderList::LightingConstant lighting{};
    lighting.lightNum = 1;
    lighting.source[0] = {Media::LightSource::Light, {0.3f, -0.4f, -0.866f}, {1, 1, 1, 1}, 0, 0, {0, 0}};
    lighting.ambient[0] = lighting.ambient[1] = lighting.ambient[2] = 0.2f;
    std::unique_ptr<Platform::Gl::Buffer> lightingBuffer;
    Media::ConstantBufferCommon::create(lightingBuffer, &lighting, sizeof lighting);
    const Media::XYZ_UV_NORM corners[4] = {{-1, 1, 0, 0, 0, -1, 0, 0, 1, 0},
                                           {1, 1, 0, 0, 0, -1, 1, 0, 1, 0},
                                           {-1, -1, 0, 0, 0, -1, 0, 1, 1, 0},
                                           {1, -1, 0, 0, 0, -1, 1, 1, 1, 0}};
    std::memcpy(shaders.quadStripNormal().data(), corners, sizeof corners);
    shaders.quadStripNormal().update();

    const float background[4] = {0.1f, 0.1f, 0.1f, 1};
    const float empty[4] = {0, 0, 0, 0};
    const float noNormal[4] = {0, 0, 0, -1};
    using Platform::Gl::Stage;
    for (auto _ : state) {
        frame.getRenderTargetView().clear(background, "bench");
        frame.getDepthBuffer()->clear(empty);
        frame.getTransparentDepthBuffer()->clear(empty);
        frame.getNormalBuffer()->clear(noNormal);
        shaders.setObjectConstant(object);
        Media::ResourceBuffer* views[] = {frame.getDepthBuffer(), frame.getTransparentBuffer(),
                                          frame.getTransparentDepthBuffer(), frame.getNormalBuffer(),
                                          frame.getNormalTransparentBuffer()};
        d3d.setRenderTargetAndUnorderedAccessView(frame, 5, views);
        resources.rasterizerStateList.get(0)->bind(context);
        resources.blendStateList.get(0)->bind(context, nullptr);
        Platform::Gl::bindConstantBuffer(context, Stage::Vertex, 0, shaders.getObjectConstantBuffer());
        Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, shaders.getObjectConstantBuffer());
        list->setLightShader();
        list->drawNormal();
        d3d.unsetRenderTargets();

        d3d.setRenderTarget(frame);
        resources.blendStateList.get(11)->bind(context, nullptr);
        d3d.setPixelSampler(resources.samplerStateList.get(7));
        Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, lightingBuffer.get());
        Platform::Gl::bindTexture(context, Stage::Pixel, 0, &frame.getNormalBuffer()->getShaderResourceView());
        Platform::Gl::bindTexture(context, Stage::Pixel, 1, &frame.getDepthBuffer()->getShaderResourceView());
        shaders.objectVertex(6).bind(context);
        shaders.objectPixel(Resource::ShaderList::Lighting).bind(context);
        d3d.drawVertexBuffer(shaders.quadStripNormal());
        Platform::Gl::bindTexture(context, Stage::Pixel, 0, nullptr);
        Platform::Gl::bindTexture(context, Stage::Pixel, 1, nullptr);
        d3d.unsetRenderTargets();
        context.bindings() = {};
        glFinish();
    }
}
BENCHMARK(FullHdLitModelDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

void SmallScriptShaderCompile(benchmark::State& state) {
    service();
    const char* text = R"(
cbuffer Constant : register(b0) { float amount; int mode; float3 tint; };
Texture2D picture : register(t0);
SamplerState picture_sampler : register(s0);
float4 main(float4 pos : SV_Position, float2 uv : TEXCOORD) : SV_Target {
    float4 c = picture.Sample(picture_sampler, uv);
    if (mode == 1) c.rgb = lerp(c.rgb, tint * c.a, amount);
    return c;
})";
    for (auto _ : state) {
        const std::string code = Media::ShaderCompile::compileFromMemory("bench.hlsl", text, "main", "ps_5_0");
        benchmark::DoNotOptimize(code.data());
    }
}
BENCHMARK(SmallScriptShaderCompile)->Unit(benchmark::kMillisecond);

}  // namespace
