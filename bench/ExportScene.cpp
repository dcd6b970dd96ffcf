// The export of the reference composition through the output service and
// the real render path: 1920x1080 at 30 fps, 300 frames of a grey
// background and a 640x360 picture box-blurred at radius 10, at 50 %
// opacity, moving linearly across the frame. Each frame is fetched as
// 8-bit RGBA and discarded. Reports frames per second and the process's
// peak resident memory; the argument is the writer's preload size (1 for
// the built-in writers, 4 for plugins).
#include "core/base/Singleton.h"
#include "core/file/IniFile.h"
#include "edit/service/EditService.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/BuiltinEffects.h"
#include "effect/registry/EffectService.h"
#include "effects/BuiltinEffectList.h"
#include "effects/basic/BasicTransform.h"
#include "effects/blur/BokashiFilter.h"
#include "effects/media/FigureLoad.h"
#include "effects/media/ImageLoad.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"
#include "plugin/input/InputService.h"
#include "plugin/output/OutputService.h"
#include "render/audio/AudioEffects.h"
#include "render/audio/RenderAudioWorker.h"
#include "render/cache/CacheService.h"
#include "render/output/OutputEffects.h"
#include "render/service/RenderVideoWorker.h"
#include "media/MediaFixtures.h"
#include "support/ScratchProgramFolder.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

namespace {

constexpr int kFrames = 300;
constexpr int kRgba = 28;  // DXGI_FORMAT_R8G8B8A8_UNORM

// Fetches every frame of the range as RGBA and drops it.
class DiscardFile : public Plugin::OutputFile {
public:
    DiscardFile(const Plugin::OutputSceneInfo& scene, std::shared_ptr<Plugin::OutputFrameSource> source,
                int preloadSize)
        : OutputFile(L"discard", false, scene, std::move(source)) {
        setVideoPreloadSize(preloadSize);
    }
    bool save() override {
        progressTotal = static_cast<std::uint32_t>(frameCount);
        for (int i = 0; i < frameCount && !cancel; ++i) {
            progressCurrent = static_cast<std::uint32_t>(i);
            const auto picture = getVideoFrame(startFrame + i, kRgba, false);
            if (!picture) return false;
            benchmark::DoNotOptimize(picture->pixels.data[picture->pitch * (picture->height / 2)]);
        }
        return true;
    }
};

class DiscardWriter : public Plugin::OutputPlugin {
public:
    DiscardWriter() { name = L"discard"; }
    std::shared_ptr<Plugin::OutputFile> createOutputFile(const Plugin::OutputSceneInfo& scene,
                                                         const SourceMaker& makeSource) override {
        return makeOutputFile(L"", scene, makeSource());
    }
    std::shared_ptr<Plugin::OutputFile> makeOutputFile(const std::wstring&, const Plugin::OutputSceneInfo& scene,
                                                       std::shared_ptr<Plugin::OutputFrameSource> source) override {
        return std::make_shared<DiscardFile>(scene, std::move(source), preloadSize);
    }
    int preloadSize = 1;
};

struct InstalledEffects {
    InstalledEffects() {
        Effect::installBuiltinEffects();
        Render::installOutputEffects();
        Render::installAudioEffects();
    }
};

class Fixture : InstalledEffects {
public:
    Fixture() {
        const std::string picture = media_.file("picture.png");
        if (!MediaTest::ffmpeg("-f lavfi -i testsrc2=s=640x360 -frames:v 1 " + picture))
            throw std::runtime_error("ffmpeg could not make the picture");

        Edit::Scene& scene = *edit.getCurrentScene();
        scene.width = 1920;
        scene.height = 1080;
        scene.videoRate = 30;
        scene.videoScale = 1;

        Edit::ObjectPointer background = scene.createObject(L"図形", 0, 0, kFrames - 1);
        auto& figure = dynamic_cast<Effect::FigureLoad&>(*background->effectList[0]);
        figure.figure.value = 2;  // filled square
        figure.size.setValue(1920, 0);
        figure.color.fromString("808080");

        Edit::ObjectPointer object = scene.createObject(L"画像ファイル", 1, 0, kFrames - 1);
        dynamic_cast<Effect::ImageLoad&>(*object->effectList[0]).file.path = std::filesystem::path(picture).wstring();
        auto& blur = dynamic_cast<Effect::BokashiFilter&>(*object->addEffect(L"ぼかし", 0, nullptr));
        blur.range.setValue(10, 0);
        auto& alpha = dynamic_cast<Effect::BasicAlpha&>(*object->addEffect(L"透明度", 0, nullptr));
        alpha.transparency.setValue(50, 0);
        auto& move = dynamic_cast<Effect::BasicMove&>(*object->addEffect(L"座標", 0, nullptr));
        move.x.setMovement(*effects.findMovement(L"直線移動").prototype);
        move.x.resizeValueList(2);
        move.x.setValue(-1280, 0);
        move.x.setValue(1280, 1);
        scene.updateLayerObject();

        output.editService = &edit;
        output.videoWorker = &video;
        output.audioWorker = &audio;
        output.registerPlugin([this] { return writer; }, "DiscardWriter");
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // One whole export; true when every frame came.
    bool exportAll() {
        output.outputFile(static_cast<int>(output.plugins.size()) - 1);
        output.outputWorker.waitAllTasks();
        output.outputFileEnd();
        return output.lastOutcome() == Plugin::OutputService::Outcome::Complete;
    }

private:
    std::filesystem::path folder_ = TestSupport::makeScratchProgramFolder("export-bench-");
    MediaTest::TempFolder media_;
    System::Singleton<System::IniFile> settings_;
    System::Singleton<Media::Direct3DService> direct3D_;
    System::Singleton<Resource::ResourceService> resources_;
    Plugin::InputService input_;
    System::Singleton<Cache::CacheService> cache_;

public:
    Effect::EffectService effects;
    Edit::EditService edit{&effects};
    Render::RenderVideoWorker video{&edit};
    Render::RenderAudioWorker audio{&edit};
    std::shared_ptr<DiscardWriter> writer = std::make_shared<DiscardWriter>();
    Plugin::OutputService output;
};

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void ExportReferenceComposition(benchmark::State& state) {
    Fixture fixture;
    fixture.writer->preloadSize = static_cast<int>(state.range(0));
    for (auto _ : state)
        if (!fixture.exportAll()) state.SkipWithError("the export failed");
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kFrames), benchmark::Counter::kIsRate);
    state.counters["peak_MiB"] = peakMemoryMiB();
}
BENCHMARK(ExportReferenceComposition)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
