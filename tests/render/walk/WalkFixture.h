#pragma once
// Scenes rendered through the real walk and GPU path: small effect kinds
// that make one-colour pictures, draw them through the output drawing at
// their view's matrices, act as group and camera controls, and show other
// scenes; a project with an edit service; and a render that reads the
// finished frame back.
#include "core/event/EventService.h"
#include "edit/service/EditService.h"
#include "effect/base/ControlState.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectService.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/image/ImageBuffer.h"
#include "render/context/ObjectContext.h"
#include "render/context/PreInputBuffer.h"
#include "render/output/OutputShaderEffect.h"
#include "render/service/RenderVideoWorker.h"

#include "effect/RegistryTestSupport.h"
#include "media/GpuFixture.h"

#include <array>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace WalkTest {

using MediaTest::Rgba;
namespace EK = Effect::EffectKind;
namespace MK = Effect::MediaKind;

inline constexpr const wchar_t* kPicture = L"画像ファイル";
inline constexpr const wchar_t* kDraw = L"標準描画";
inline constexpr const wchar_t* kGroup = L"グループ制御";
inline constexpr const wchar_t* kCamera = L"カメラ制御";
inline constexpr const wchar_t* kTime = L"時間制御(オブジェクト)";
inline constexpr const wchar_t* kScene = L"シーン";

// The worker the scene objects ask for nested renders.
inline Render::RenderVideoWorker*& currentWorker() {
    static Render::RenderVideoWorker* worker = nullptr;
    return worker;
}

// A width × height picture of one straight colour.
class Picture : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kPicture;
    Picture() : EffectBase(kPicture, EK::Input, MK::Video, MK::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Picture>(); }
    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext&) override {
        result = std::make_unique<Media::ResourceBuffer>(width, height);
        const float premultiplied[4] = {color[0] * color[3], color[1] * color[3], color[2] * color[3], color[3]};
        result->clear(premultiplied);
    }

    unsigned width = 4;
    unsigned height = 4;
    Rgba color{1, 1, 1, 1};
};

// Places the picture at X, Y, Z (number items) with its own opacity.
class Draw : public Effect::EffectBase, public Effect::OutputShaderEffect {
public:
    static constexpr const wchar_t* Name = kDraw;
    Draw() : EffectBase(kDraw, EK::Output, MK::Video, MK::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Draw>(); }
    Effect::OutputView getOutputView(Render::ObjectContext& context) override {
        Effect::OutputView view = context.view;
        view.x += static_cast<float>(x.getValue(context));
        view.y += static_cast<float>(y.getValue(context));
        view.z += static_cast<float>(z.getValue(context));
        view.alpha *= alpha;
        return view;
    }
    void outputVideo(Render::ObjectContext& context, Media::RenderBuffer& frame,
                     std::unique_ptr<Media::ResourceBuffer>& image) override {
        const Effect::OutputView view = getOutputView(context);
        ObjectDraw draw;
        draw.world = view.getWorldMatrix();
        draw.view = view.getViewMatrix();
        draw.alpha = view.alpha;
        draw.blend = view.blendMode;
        drawPrepared(frame, image.get(), draw);
    }

    Effect::EffectItemNumber x{items, L"X", 0, -10000, 10000, 1};
    Effect::EffectItemNumber y{items, L"Y", 0, -10000, 10000, 1};
    Effect::EffectItemNumber z{items, L"Z", 0, -10000, 10000, 1};
    float alpha = 1.0f;
};

// Moves what it governs by dx pixels; its governed objects see the flat
// screen of the frame.
class Group : public Effect::EffectBase, public Effect::GroupControlState {
public:
    static constexpr const wchar_t* Name = kGroup;
    Group() : EffectBase(kGroup, EK::Control, MK::Video, MK::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Group>(); }
    int getLayerRange() const override { return range; }
    void controlVideo(Render::ObjectContext& context) override {
        worldMatrix = Effect::Transform::translation(dx, 0, 0);
        viewMatrix = Effect::OutputView{}.getScreenMatrix(context.view.target->getWidth(),
                                                          context.view.target->getHeight());
    }

    float dx = 0.0f;
    int range = 0;
};

// Sets up the frame's screen as its view-projection; logs its two calls.
class Camera : public Effect::EffectBase, public Effect::CameraControlState {
public:
    static constexpr const wchar_t* Name = kCamera;
    Camera() : EffectBase(kCamera, EK::Control, MK::Video, MK::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Camera>(); }
    int getLayerRange() const override { return range; }
    void controlVideo(Render::ObjectContext& context) override {
        const bool completes = context.view.cameraControl == context.object;
        if (!completes)
            viewProjectionMatrix = Effect::OutputView{}.getScreenMatrix(context.view.target->getWidth(),
                                                                        context.view.target->getHeight());
        std::lock_guard lock(mutex);
        calls.push_back(completes ? "complete" : "setup");
    }

    int range = 0;
    std::mutex mutex;
    std::vector<std::string> calls;
};

// Moves the frame of the layers it governs by shift.
class TimeShift : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kTime;
    TimeShift() : EffectBase(kTime, EK::Control, MK::Video, MK::Scene, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<TimeShift>(); }
    int getLayerRange() const override { return range; }
    void preloadVideo(Render::ObjectContext& context) override {
        context.frame += shift;
        context.time += shift;
    }

    int shift = 0;
    int range = 0;
};

// Another scene as a picture: asked for while the walk preloads, read back
// by the scene render and uploaded again by the object's input.
class SceneSource : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kScene;
    SceneSource() : EffectBase(kScene, EK::Input, MK::Video, MK::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<SceneSource>(); }

    struct Picture : Render::PreInputBuffer {
        std::shared_ptr<Media::ImageBuffer> image;
    };
    void preloadVideo(Render::ObjectContext& context) override {
        auto picture = std::make_shared<Picture>();
        context.preInput = picture;
        Edit::ScenePointer source = project->getScene(sceneId);
        currentWorker()->createSceneImage(*source, context.frame,
                                          [picture](std::shared_ptr<Media::ImageBuffer> image) {
                                              picture->image = std::move(image);
                                          });
    }
    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) override {
        auto* picture = dynamic_cast<Picture*>(context.preInput.get());
        if (picture && picture->image) result = std::make_unique<Media::ResourceBuffer>(*picture->image, Media::ConvertParameters{});
    }

    int sceneId = 0;
    Edit::Project* project = nullptr;
};

class WalkFixture : public MediaTest::GpuTest {
public:
    explicit WalkFixture(int objectQueueBound = 8) : worker(&edit, objectQueueBound) {
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
        return {&dynamic_cast<Input&>(*object->effectList[0]), &dynamic_cast<Draw&>(*object->effectList[1])};
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

    RegistryTest::Environment env;
    Effect::EffectService service;
    bool registered = [this] {
        service.registerEffect<Picture>();
        service.registerEffect<Draw>();
        service.registerEffect<Group>();
        service.registerEffect<Camera>();
        service.registerEffect<TimeShift>();
        service.registerEffect<SceneSource>();
        return true;
    }();
    System::Singleton<Event::EventService> events;
    Edit::EditService edit{&service};
    Render::RenderVideoWorker worker;
};

}  // namespace WalkTest
