// Frames per second of the video render worker on the running driver: a
// full-HD scene of three picture layers (one scaled, one moving, one at
// 50 % opacity) rendered frame after frame through the real walk and
// output drawing, 60 frames per iteration. The preview aims at 30 fps.
#include "core/base/Singleton.h"
#include "core/file/IniFile.h"
#include "edit/service/EditService.h"
#include "effect/registry/EffectService.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"
#include "render/service/RenderVideoWorker.h"
#include "render/walk/WalkEffects.h"
#include "support/ScratchProgramFolder.h"
#include "ThreeLayerScene.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <future>

namespace {

constexpr int kFrames = 60;

class Fixture {
public:
    Fixture() {
        Bench::buildThreeLayerScene(*edit.getCurrentScene(), effects, kFrames);
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Renders the frames one after another; returns when the last is done.
    void renderFrames() {
        std::promise<void> last;
        for (int frame = 0; frame < kFrames; ++frame)
            worker.requestRenderingFrame(Render::RenderTaskType::Playback, frame,
                                         [&, frame](int, Media::RenderBuffer&, Anchor::AnchorList&) {
                                             if (frame == kFrames - 1) last.set_value();
                                         });
        last.get_future().wait();
    }

private:
    std::filesystem::path folder_ = TestSupport::makeScratchProgramFolder("render-bench-");
    System::Singleton<System::IniFile> settings_;
    System::Singleton<Media::Direct3DService> direct3D_;
    System::Singleton<Resource::ResourceService> resources_;

public:
    Effect::EffectService effects;

private:
    bool registered_ = [this] {
        effects.registerEffect<WalkTest::Picture>();
        effects.registerEffect<WalkTest::Draw>();
        return true;
    }();

public:
    Edit::EditService edit{&effects};
    Render::RenderVideoWorker worker{&edit};
};

void FullHdThreeLayerScene(benchmark::State& state) {
    Fixture fixture;
    fixture.renderFrames();  // shaders and first textures
    for (auto _ : state) fixture.renderFrames();
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kFrames), benchmark::Counter::kIsRate);
}
BENCHMARK(FullHdThreeLayerScene)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
