#pragma once
// Scenes rendered through the real walk and GPU path: a project with an
// edit service over the walk's effect kinds, a video render worker, and a
// render that reads the finished frame back.
#include "core/event/EventService.h"
#include "edit/service/EditService.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "render/output/OutputEffects.h"
#include "render/service/RenderVideoWorker.h"

#include "effect/RegistryTestSupport.h"
#include "media/GpuFixture.h"
#include "render/walk/WalkEffects.h"

#include <future>
#include <vector>

namespace WalkTest {

// The program's own outputs in the registry, while it lives.
class ProgramOutputs {
public:
    explicit ProgramOutputs(bool install) : installed_(install) {
        if (installed_) Render::installOutputEffects();
    }
    ~ProgramOutputs() {
        if (installed_)
            for (int row : {11, 13, 14, 15, 60}) Effect::installBuiltinEffect(row, nullptr);
    }
    ProgramOutputs(const ProgramOutputs&) = delete;
    ProgramOutputs& operator=(const ProgramOutputs&) = delete;

private:
    bool installed_;
};

class WalkFixture : public MediaTest::GpuTest {
public:
    // programOutputs: the objects draw through the program's standard
    // outputs instead of the test drawing.
    explicit WalkFixture(int objectQueueBound = 8, bool programOutputs = false)
        : outputs(programOutputs), worker(&edit, objectQueueBound) {
        currentWorker() = &worker;
        scene().width = 64;
        scene().height = 36;
    }
    ~WalkFixture() override { currentWorker() = nullptr; }

    Edit::Scene& scene() { return *edit.getCurrentScene(); }

    // A picture object with its drawing, placed and sorted in.
    template <class Input = Picture>
    std::pair<Input*, Draw*> place(int layer, int start, int end, Edit::Scene* into = nullptr) {
        Edit::Scene& target = into ? *into : scene();
        Edit::ObjectPointer object = target.createObject(Input::Name, layer, start, end);
        target.updateLayerObject();
        return {&dynamic_cast<Input&>(*object->effectList[0]), dynamic_cast<Draw*>(object->effectList[1].get())};
    }
    template <class Control>
    Control& placeControl(int layer, int start, int end) {
        Edit::ObjectPointer object = scene().createObject(Control::Name, layer, start, end);
        scene().updateLayerObject();
        return dynamic_cast<Control&>(*object->effectList[0]);
    }
    Edit::ObjectPointer objectAt(int layer, int frame) { return scene().getLayerObjectList(layer).getObjectAtFrame(frame); }

    // The frame rendered as a one-shot request, read back top row first.
    std::vector<Rgba> render(int frame) {
        std::promise<std::vector<Rgba>> result;
        worker.requestRenderingFrame(Render::RenderTaskType::OneShot, frame,
                                     [&](int, Media::RenderBuffer& target, Anchor::AnchorList&) {
                                         result.set_value(target.getTexture() ? read(*target.getTexture())
                                                                              : std::vector<Rgba>{});
                                     });
        return result.get_future().get();
    }
    Rgba at(const std::vector<Rgba>& pixels, int x, int y) {
        return pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(scene().width) + x);
    }

    ProgramOutputs outputs;
    RegistryTest::Environment env;
    Effect::EffectService service;
    // The stand-ins take only the names the program's own effects left
    // free, so tests of those effects walk the real ones.
    template <class Kind>
    void registerStandIn() {
        if (!service.createEffect(Kind::Name)) service.registerEffect<Kind>();
    }
    bool registered = [this] {
        registerStandIn<Picture>();
        registerStandIn<Draw>();
        registerStandIn<Group>();
        registerStandIn<Camera>();
        registerStandIn<TimeShift>();
        registerStandIn<SceneSource>();
        return true;
    }();
    System::Singleton<Event::EventService> events;
    Edit::EditService edit{&service};
    Render::RenderVideoWorker worker;
};

}  // namespace WalkTest
