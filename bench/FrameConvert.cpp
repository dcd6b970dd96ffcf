// Reference figures of the per-frame conversions on the running driver, at
// full HD: a YUY2 video frame uploaded into a working picture, a rendered
// frame read back as YUY2 for export, and the preview's frame image.
#include "core/file/IniFile.h"
#include "core/base/Singleton.h"
#include "media/resource/ResourceService.h"
#include "media/gpu/Direct3DService.h"
#include "media/image/FrameImage.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/image/YUVformat.h"
#include "platform/gl/DxgiFormat.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

constexpr UINT kWidth = 1920;
constexpr UINT kHeight = 1080;

Media::Direct3DService& service() {
    static System::Singleton<Media::Direct3DService> holder;
    static const bool tables = [] {
        System::IniFile ini;
        ini.loadMemory(
            "[YUV2RGB]\n0=BT.709,0,1,0,1.5748,1,-0.187324,-0.468124,1,1.8556,0\n"
            "[RGB2YUV]\n0=BT.709,0,0.2126,0.7152,0.0722,-0.114572,-0.385428,0.5,0.5,-0.454153,-0.045847\n");
        Media::YUVformat::InitializeColorTable(ini);
        return true;
    }();
    (void)tables;
    static System::Singleton<Resource::ResourceService> resources;
    return Media::Direct3DService::Get();
}

std::unique_ptr<Media::RenderBuffer> filledFrame() {
    auto frame = std::make_unique<Media::RenderBuffer>(service().pixelFormat);
    frame->createTexture2D(static_cast<int>(kWidth), static_cast<int>(kHeight));
    const float colour[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    frame->getRenderTargetView().clear(colour, "filledFrame");
    return frame;
}

void FullHdYuy2Upload(benchmark::State& state) {
    service();
    auto image = Media::ImageBuffer::create(DXGI_FORMAT_YUY2, kWidth, kHeight);
    std::memset(image->pixels.data, 128, image->pixels.size);
    for (auto _ : state) {
        Media::ResourceBuffer uploaded(*image, Media::ConvertParameters());
        benchmark::DoNotOptimize(uploaded.getTexture());
        glFinish();
    }
}
BENCHMARK(FullHdYuy2Upload)->Unit(benchmark::kMillisecond);

void FullHdYuy2ReadBack(benchmark::State& state) {
    auto frame = filledFrame();
    for (auto _ : state) benchmark::DoNotOptimize(frame->convertToImageBuffer(DXGI_FORMAT_YUY2, false));
}
BENCHMARK(FullHdYuy2ReadBack)->Unit(benchmark::kMillisecond);

void FullHdPreviewImage(benchmark::State& state) {
    auto frame = filledFrame();
    Media::FrameImage preview;
    for (auto _ : state) preview.update(*frame);
}
BENCHMARK(FullHdPreviewImage)->Unit(benchmark::kMillisecond);

}  // namespace
