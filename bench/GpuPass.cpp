// Reference figures of the GPU layer on the running driver: one full-HD
// RGBA16F full-screen pass, full-HD read-backs, and the box blur (four
// passes) at radius 10 and 100 on both stages, so its cost per pass shows
// beside the plain pass.
#include "core/base/Singleton.h"
#include "effects/blur/BokashiFilter.h"
#include "effect/EffectTestSupport.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/resource/ResourceService.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr UINT kWidth = 1920;
constexpr UINT kHeight = 1080;

Media::Direct3DService& service() {
    static System::Singleton<Media::Direct3DService> holder;
    return Media::Direct3DService::Get();
}

Resource::ResourceService& resources() {
    service();
    static System::Singleton<Resource::ResourceService> holder;
    return Resource::ResourceService::Get();
}

std::unique_ptr<Media::ResourceBuffer> filledPicture() {
    auto picture = std::make_unique<Media::ResourceBuffer>(kWidth, kHeight);
    const float colour[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    picture->clear(colour);
    return picture;
}

// A copy pass reads and writes every pixel once.
void FullHdPass(benchmark::State& state) {
    Media::PixelShader& copy = resources().shaderList.general(Resource::ShaderList::Copy);
    auto source = filledPicture();
    Media::ResourceBuffer target(kWidth, kHeight);
    for (auto _ : state) {
        copy.draw(target, *source, nullptr);
        glFinish();
    }
}
BENCHMARK(FullHdPass)->Unit(benchmark::kMillisecond);

void FullHdReadBackHalfFloat(benchmark::State& state) {
    service();
    auto picture = filledPicture();
    std::vector<std::uint16_t> rows(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (auto _ : state)
        picture->getTexture()->read(rows.data(), kWidth * 8, "FullHdReadBackHalfFloat");
}
BENCHMARK(FullHdReadBackHalfFloat)->Unit(benchmark::kMillisecond);

// Read back converted to 8-bit RGBA by the driver.
void FullHdReadBackRgba8(benchmark::State& state) {
    service();
    auto picture = filledPicture();
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (auto _ : state)
        glGetTextureImage(picture->getTexture()->name(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                          static_cast<GLsizei>(rows.size()), rows.data());
}
BENCHMARK(FullHdReadBackRgba8)->Unit(benchmark::kMillisecond);

// Arguments: radius, stage (0 pixel, 1 compute). Each blur takes a fresh
// copy of the picture, made outside the timing.
void FullHdBlur(benchmark::State& state) {
    resources();
    EffectTest::Movements::install();
    Effect::BokashiFilter blur;
    blur.createResource();
    const int radius = static_cast<int>(state.range(0));
    const bool compute = state.range(1) != 0;
    auto source = filledPicture();
    for (auto _ : state) {
        state.PauseTiming();
        auto input = source->clone();
        glFinish();
        state.ResumeTiming();
        std::unique_ptr<Media::ResourceBuffer> result;
        blur.blur(result, std::move(input), radius, 0.0f, Effect::BokashiFilter::Keep, compute);
        glFinish();
    }
}
BENCHMARK(FullHdBlur)->ArgNames({"radius", "compute"})->ArgsProduct({{10, 100}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
