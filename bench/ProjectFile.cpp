// Writing and reading a project of 10,000 objects (each a figure with its
// output and a filter, two sections) on one core; peak memory as a counter.
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "edit/model/Project.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectService.h"
#include "support/ScratchProgramFolder.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

template <const wchar_t* const* N, std::uint8_t K>
class Kind : public Effect::EffectBase {
public:
    Kind() : EffectBase(*N, K, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Kind>(); }

    Effect::EffectItemNumber x{items, L"X", 0, -100000, 100000, 1};
    Effect::EffectItemNumber y{items, L"Y", 0, -10000, 10000, 0.1};
};

constexpr const wchar_t* kFigure = L"図形";
constexpr const wchar_t* kDraw = L"標準描画";
constexpr const wchar_t* kBlur = L"ぼかし";

class Fixture {
public:
    Fixture() {
        folder_ = TestSupport::makeScratchProgramFolder("project-bench-");
        Effect::EffectService& service = *System::Singleton<Effect::EffectService>::getInstance();
        service.registerEffect<Kind<&kFigure, Effect::EffectKind::Input>>();
        service.registerEffect<Kind<&kDraw, Effect::EffectKind::Output>>();
        service.registerEffect<Kind<&kBlur, Effect::EffectKind::Filter>>();
        path = (folder_ / "big.mvp2").wstring();

        Edit::Scene& scene = *project.getOrCreateScene(0);
        for (int i = 0; i < 10000; ++i) {
            Edit::ObjectPointer object = scene.createObject(kFigure, i % 100, (i / 100) * 100, (i / 100) * 100 + 89);
            object->addSection(object->start + 40, nullptr);
            object->addEffect(kBlur, 1, nullptr);
        }
        scene.updateLayerObject();
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    System::Singleton<System::IniFile> settings;
    System::Singleton<Effect::EffectService> effects;
    Edit::Project project;
    std::wstring path;

private:
    std::filesystem::path folder_;
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

void reportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void WriteTenThousandObjects(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) Edit::Project::saveProjectFile(f.project, f.path);
    reportPeakMemory(state);
}
BENCHMARK(WriteTenThousandObjects)->Unit(benchmark::kMillisecond);

void ReadTenThousandObjects(benchmark::State& state) {
    Fixture& f = fixture();
    Edit::Project::saveProjectFile(f.project, f.path);
    for (auto _ : state) {
        Edit::Project project;
        Edit::Project::loadProjectFile(project, f.path);
        benchmark::DoNotOptimize(project.scenes.size());
    }
    reportPeakMemory(state);
}
BENCHMARK(ReadTenThousandObjects)->Unit(benchmark::kMillisecond);

// A project of n empty scenes (100,000 are some 11 MB): the time grows
// with n, not with its square.
void ReadManyScenes(benchmark::State& state) {
    Fixture& f = fixture();
    const auto count = static_cast<int>(state.range(0));
    const std::filesystem::path path = std::filesystem::path(f.path).parent_path() / "scenes.mvp2";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[project]\r\nversion=2001802\r\ndisplay.scene=0\r\n";
        for (int n = 0; n < count; ++n)
            out << "[scene." << n << "]\r\nscene=" << n << "\r\nname=Scene" << n
                << "\r\nvideo.width=1920\r\nvideo.height=1080\r\nvideo.rate=30\r\nvideo.scale=1\r\n"
                   "audio.rate=48000\r\ncursor.frame=0\r\ndisplay.frame=0\r\ndisplay.layer=0\r\n"
                   "display.zoom=10000\r\ndisplay.order="
                << n << "\r\n";
    }
    for (auto _ : state) {
        Edit::Project project;
        Edit::Project::loadProjectFile(project, path.wstring());
        benchmark::DoNotOptimize(project.scenes.size());
    }
    state.SetComplexityN(count);
    reportPeakMemory(state);
}
BENCHMARK(ReadManyScenes)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
