// Reference figures of the GPU layer on the running driver: one full-HD
// RGBA16F full-screen pass, and full-HD read-backs.
#include "core/base/Singleton.h"
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

}  // namespace
