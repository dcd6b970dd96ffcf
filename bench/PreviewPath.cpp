// Frames per second of the preview window's path on the running driver:
// the full-HD scene of three picture layers rendered by the video render
// worker, each frame handed over as the preview's completion does (read
// back into the frame image, anchors swapped into the pending slot), then
// on this thread, standing for the user-interface thread, made into the
// picture's bitmap and painted fitted into a 1244 × 636 picture area, as
// the frame-ready command does. The preview aims at 30 fps.
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "edit/service/EditService.h"
#include "effect/registry/EffectService.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"
#include "panels/preview/PreviewControl.h"
#include "panels/preview/PreviewEditComponent.h"
#include "render/service/RenderVideoWorker.h"
#include "render/walk/WalkEffects.h"
#include "support/ScratchProgramFolder.h"
#include "ThreeLayerScene.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>

namespace {

constexpr int kFrames = 60;

class Fixture {
public:
    Fixture() {
        Setting::ScrollBarSize = 20;
        window.createRenderTarget(1244, 636);
        owner.updateLayout();
        Bench::buildThreeLayerScene(*edit.getCurrentScene(), effects, kFrames);
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Every frame rendered and handed over; the newest one shown whenever
    // the worker has handed one over, as the posted commands do. Returns
    // the number of paints.
    int showFrames() {
        {
            std::lock_guard lock(mutex_);
            handed_ = 0;
            shown_ = 0;
        }
        for (int frame = 0; frame < kFrames; ++frame)
            worker.requestRenderingFrame(Render::RenderTaskType::Playback, frame,
                                         [this](int rendered, Media::RenderBuffer& target,
                                                Anchor::AnchorList& anchors) {
                                             Component::PreviewEditComponent::onVideoRendered(*slots, 0, rendered,
                                                                                              target, anchors, nullptr);
                                             std::lock_guard lock(mutex_);
                                             ++handed_;
                                             ready_.notify_one();
                                         });
        int paints = 0;
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                ready_.wait(lock, [this] { return handed_ > shown_; });
                shown_ = handed_;
            }
            area.updateFrame(*slots->frameImage, slots->pendingAnchors);
            ++paints;
            std::lock_guard lock(mutex_);
            if (shown_ == kFrames) break;
        }
        return paints;
    }

private:
    std::filesystem::path folder_ = TestSupport::makeScratchProgramFolder("preview-bench-");
    // The style's colours for the paint.
    System::Singleton<Setting::SettingService> settings_;
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
    std::mutex mutex_;
    std::condition_variable ready_;
    int handed_ = 0;
    int shown_ = 0;

public:
    Edit::EditService edit{&effects};
    Render::RenderVideoWorker worker{&edit};
    std::shared_ptr<Component::PreviewEditComponent::Slots> slots = [] {
        auto made = std::make_shared<Component::PreviewEditComponent::Slots>();
        made->frameImage = std::make_unique<Media::FrameImage>();
        return made;
    }();
    Media::RenderTargetWindow window;
    Window::Rect rect{0, 0, 1244, 636};
    Window::WindowControlOwner owner{nullptr, nullptr, &window, 200, &rect, &rect};
    int zoom = 0;
    Component::PreviewControl area{owner, 0, 0, 0, 0, &zoom};
};

void PreviewOfFullHdThreeLayerScene(benchmark::State& state) {
    Fixture fixture;
    fixture.showFrames();  // shaders and first textures
    int paints = 0;
    for (auto _ : state) paints += fixture.showFrames();
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kFrames), benchmark::Counter::kIsRate);
    state.counters["paints"] = benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kIsRate);
}
BENCHMARK(PreviewOfFullHdThreeLayerScene)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
