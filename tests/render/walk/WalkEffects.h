#pragma once
// Small effect kinds for rendering scenes through the real walk and GPU
// path: one-colour pictures, their drawing through the output drawing at
// the view's matrices, group, camera and time controls, and another scene
// as a picture.
#include "edit/model/Project.h"
#include "effect/base/ControlState.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/image/ImageBuffer.h"
#include "render/audio/AudioObjectContext.h"
#include "render/audio/AudioSampleRange.h"
#include "render/context/ObjectContext.h"
#include "render/context/PreInputBuffer.h"
#include "render/output/OutputShaderEffect.h"
#include "render/service/RenderVideoWorker.h"

#include <array>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace WalkTest {

using Rgba = std::array<float, 4>;
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
    void preloadVideo(Render::ObjectContext&) override {
        if (failPreload) throw std::runtime_error("preload failed");
    }
    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext&) override {
        result = std::make_unique<Media::ResourceBuffer>(width, height);
        const float premultiplied[4] = {color[0] * color[3], color[1] * color[3], color[2] * color[3], color[3]};
        result->clear(premultiplied);
    }

    unsigned width = 4;
    unsigned height = 4;
    Rgba color{1, 1, 1, 1};
    bool failPreload = false;
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
        view.scaleX *= scale;
        view.scaleY *= scale;
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
    float scale = 1.0f;
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

// Moves the frame (and the scene sample position) of the layers it
// governs by shift.
class TimeShift : public Effect::EffectBase, public Effect::TimeControlState {
public:
    static constexpr const wchar_t* Name = kTime;
    TimeShift() : EffectBase(kTime, EK::Control, MK::VideoAudio, MK::Scene, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<TimeShift>(); }
    int getLayerRange() const override { return range; }
    void preloadVideo(Render::ObjectContext& context) override {
        context.frame += shift;
        context.time += shift;
    }
    void preloadAudio(Render::AudioObjectContext& context) override {
        context.frame += shift;
        context.time += shift;
        context.sampleRange.position = Render::sampleOfFrame(context.sampleRange.rate, context.frame,
                                                             context.scene->videoRate, context.scene->videoScale);
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

}  // namespace WalkTest
