#pragma once
// Output-effect tests: a registry holding the rendering's outputs and a
// picture-making input kind, a scene to place objects in, render contexts
// for them, and where a drawn picture landed in the frame.
#include "render/output/OutputFixture.h"

#include "edit/model/Object.h"
#include "edit/model/Scene.h"
#include "render/context/ObjectContext.h"
#include "render/output/MovieOutput.h"
#include "render/output/ParticleOutput.h"
#include "render/output/SimpleOutput.h"
#include "render/output/TempDraw.h"
#include "render/output/VideoOutput.h"

#include "effect/RegistryTestSupport.h"

#include <memory>

namespace OutputTest {

// A video input kind; the tests hand the picture to the output themselves.
inline constexpr wchar_t kFigure[] = L"図形";
class FigureInput : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kFigure;
    FigureInput() : EffectBase(kFigure, Effect::EffectKind::Input, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<FigureInput>(); }
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool operator==(const Box&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "[" << b.left << ", " << b.right << ") x [" << b.top << ", " << b.bottom << ")";
}

class OutputSceneTest : public OutputTest {
protected:
    OutputSceneTest() {
        service.registerEffect<FigureInput>();
        service.registerEffect<Effect::VideoOutput>();
        service.registerEffect<Effect::MovieOutput>();
        service.registerEffect<Effect::SimpleOutput>();
        service.registerEffect<Effect::ParticleOutput>();
        service.registerEffect<Effect::TempDraw>();
    }

    // A figure object on layer 0 over frames [start, end] with that output.
    template <class Output>
    Output& place(int start, int end, int layer = 0) {
        object = scene.createObject(kFigure, layer, start, end);
        scene.updateLayerObject();
        object->setOutputEffect(service.findEffect(Output::Name));
        return dynamic_cast<Output&>(*object->effectList[1]);
    }
    Render::ObjectContext contextAt(Media::RenderBuffer& target, int frame) {
        Render::ObjectContext context;
        context.scene = &scene;
        context.layer = object->layer;
        context.frame = frame;
        context.time = frame;
        context.setObject(object);
        context.collectFilterObjects(Effect::MediaKind::Video);
        context.view.target = &target;
        return context;
    }
    // The pixels that differ from the background.
    static Box boxOf(const std::vector<Rgba>& pixels, int width, const Rgba& background) {
        Box box{1 << 20, 1 << 20, -1, -1};
        const int height = static_cast<int>(pixels.size()) / width;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const Rgba& p = pixels[static_cast<std::size_t>(y * width + x)];
                bool differs = false;
                for (int i = 0; i < 4; ++i) differs |= std::fabs(p[i] - background[i]) > 0.01f;
                if (!differs) continue;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        if (box.right < 0) return {};
        return box;
    }

    RegistryTest::Environment env;
    Effect::EffectService service;
    Edit::Scene scene{1, 0, &service};
    Edit::ObjectPointer object;
};

}  // namespace OutputTest
