// Reference figures of the particle output on the running driver: a frame
// of 10,000 live particles (the most one object draws) worked out from its
// items and drawn into a full-HD frame in one draw, and the same frame
// with the movement-direction options and a 3D spin.
#include "core/base/Singleton.h"
#include "core/file/IniFile.h"
#include "edit/model/Object.h"
#include "edit/model/Scene.h"
#include "effect/registry/EffectService.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/ResourceService.h"
#include "render/context/ObjectContext.h"
#include "render/output/ParticleOutput.h"
#include "render/output/VideoOutput.h"
#include "support/ScratchProgramFolder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

constexpr wchar_t kFigure[] = L"図形";
class Figure : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kFigure;
    Figure() : EffectBase(kFigure, Effect::EffectKind::Input, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Figure>(); }
};

class Fixture {
public:
    Fixture() {
        folder_ = TestSupport::makeScratchProgramFolder("particle-bench-");
        Effect::EffectService& service = *System::Singleton<Effect::EffectService>::getInstance();
        service.registerEffect<Figure>();
        service.registerEffect<Effect::VideoOutput>();
        service.registerEffect<Effect::ParticleOutput>();
        object = scene.createObject(kFigure, 0, 0, 100000);
        scene.updateLayerObject();
        object->setOutputEffect(service.findEffect(Effect::ParticleOutput::Name));
        output = dynamic_cast<Effect::ParticleOutput*>(object->effectList[1].get());
        // 500 a second for 30 seconds: the newest 10,000 are drawn.
        output->rate.setValue(500, 0);
        output->spread.setValue(360, 0);
        output->speed.setValue(20, 0);
        output->scale.setValue(20, 0);
        frame.createTexture2D(1920, 1080);
        const float colour[4] = {0.8f, 0.4f, 0.2f, 1.0f};
        picture.clear(colour);
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void drawFrame() {
        Render::ObjectContext context;
        context.scene = &scene;
        context.layer = 0;
        context.frame = context.time = 900;
        context.setObject(object);
        context.collectFilterObjects(Effect::MediaKind::Video);
        context.view.target = &frame;
        std::unique_ptr<Media::ResourceBuffer> image = picture.clone();
        output->outputVideo(context, frame, image);
        // Waits for the GPU, so the figure holds the whole draw.
        frame.copyToImageBuffer();
    }

    System::Singleton<Media::Direct3DService> d3d;
    System::Singleton<Resource::ResourceService> resources;
    System::Singleton<System::IniFile> settings;
    System::Singleton<Effect::EffectService> effects;
    Edit::Scene scene{1, 0, System::Singleton<Effect::EffectService>::getInstance()};
    Edit::ObjectPointer object;
    Effect::ParticleOutput* output = nullptr;
    Media::RenderBuffer frame{Media::Direct3DService::Get().pixelFormat};
    Media::ResourceBuffer picture{64, 64};

private:
    std::filesystem::path folder_;
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

void TenThousandParticlesFullHd(benchmark::State& state) {
    Fixture& f = fixture();
    f.output->directionFromMovement.value = false;
    f.output->angleFromMovement.value = false;
    f.output->randomSpin.value = false;
    for (auto _ : state) f.drawFrame();
}
BENCHMARK(TenThousandParticlesFullHd)->Unit(benchmark::kMillisecond);

void TenThousandParticlesWithAllOptions(benchmark::State& state) {
    Fixture& f = fixture();
    f.output->directionFromMovement.value = true;
    f.output->angleFromMovement.value = true;
    f.output->randomSpin.value = true;
    for (auto _ : state) f.drawFrame();
}
BENCHMARK(TenThousandParticlesWithAllOptions)->Unit(benchmark::kMillisecond);

}  // namespace
