#pragma once
// Helpers of the anchor effect tests: a 200 × 100 scene drawn on the
// headless GPU's frame target, an output and a point filter built on the
// anchor kins with plain X, Y (and Z) items, render contexts that collect
// anchors, and a stand-in for the preview's anchor control that lays the
// anchors out over its picture rectangle as the preview does.
#include "edit/model/Scene.h"
#include "effect/base/ControlState.h"
#include "effect/anchor/AnchorList.h"
#include "effect/anchor/MoveEffect.h"
#include "effect/anchor/MoveXYAnchorEffect.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/registry/EffectService.h"
#include "media/gpu/RenderBuffer.h"
#include "platform/gl/DxgiFormat.h"
#include "render/context/ObjectContext.h"

#include "effect/EffectTestSupport.h"
#include "effect/RegistryTestSupport.h"
#include "media/GpuFixture.h"

#include <memory>

namespace AnchorTest {

inline constexpr const wchar_t* kPicture = L"画像ファイル";
inline constexpr const wchar_t* kOutput = L"標準描画";
inline constexpr const wchar_t* kPoint = L"グラデーション";

class Picture : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kPicture;
    Picture() : EffectBase(kPicture, Effect::EffectKind::Input, Effect::MediaKind::Video,
                           Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Picture>(); }
};

// An output that adds its X, Y and Z to the view's position, as the
// standard outputs do.
class PlaceOutput : public Effect::MoveEffect {
public:
    static constexpr const wchar_t* Name = kOutput;
    PlaceOutput() : MoveEffect(kOutput, Effect::EffectKind::Output, Effect::MediaKind::Video,
                               Effect::MediaKind::Video, L"") {
        anchorItems = &group;
        zoomItem = &zoom;
    }
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<PlaceOutput>(); }
    Effect::OutputView getOutputView(Render::ObjectContext& context) override {
        Effect::OutputView view = context.view;
        view.x += static_cast<float>(x.getValue(context));
        view.y += static_cast<float>(y.getValue(context));
        view.z += static_cast<float>(z.getValue(context));
        return view;
    }

    Effect::EffectItemNumber x{items, L"X", 0, -100000, 100000, 0.1};
    Effect::EffectItemNumber y{items, L"Y", 0, -100000, 100000, 0.1};
    Effect::EffectItemNumber z{items, L"Z", 0, -100000, 100000, 0.1};
    Effect::EffectItemNumberGroup group{items, L"", {&x, &y, &z}, false};
    Effect::EffectItemNumber zoom{items, L"拡大率", 100, 0, 5000, 0.01};
};

// A camera control whose view-projection the test sets.
class Camera : public Effect::EffectBase, public Effect::CameraControlState {
public:
    Camera() : EffectBase(L"カメラ制御", Effect::EffectKind::Control, Effect::MediaKind::Video,
                          Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Camera>(); }
};

// A filter with a point in the object's own space.
class PointFilter : public Effect::MoveXYAnchorEffect {
public:
    static constexpr const wchar_t* Name = kPoint;
    PointFilter() : MoveXYAnchorEffect(kPoint, Effect::EffectKind::Filter, Effect::MediaKind::Video,
                                       Effect::MediaKind::Video, L"") {
        anchorItems = &group;
    }
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<PointFilter>(); }

    Effect::EffectItemNumber x{items, L"X", 0, -100000, 100000, 1};
    Effect::EffectItemNumber y{items, L"Y", 0, -100000, 100000, 1};
    Effect::EffectItemNumberGroup group{items, L"", {&x, &y}, false};
};

// The preview's layout of a list over a picture rectangle: points to
// control pixels, the hit list and the snap targets.
class Control : public Anchor::AnchorControlData {
public:
    Control(float left, float top, float right, float bottom) { pictureRect = {left, top, right, bottom}; }

    void layout(std::vector<Anchor::AnchorItem>& items) {
        hitList.clear();
        snapTargets.clear();
        const float cx = (pictureRect.left + pictureRect.right) / 2;
        const float cy = (pictureRect.top + pictureRect.bottom) / 2;
        const float sx = std::max(1.0f, pictureRect.right - pictureRect.left) / 2;
        const float sy = std::max(1.0f, pictureRect.bottom - pictureRect.top) / 2;
        for (Anchor::AnchorItem& item : items) {
            item.screenPoints.clear();
            for (const Anchor::Float2& p : item.points) item.screenPoints.push_back({cx + p.x * sx, cy - p.y * sy});
            if (item.effect) hitList.push_back(&item);
            if (item.flags & Anchor::AnchorItem::SnapSource)
                for (const Anchor::Float2& p : item.snapPoints) snapTargets.push_back({item.object.get(), p.x, p.y});
        }
        snapTargets.push_back({nullptr, 1, 1});
        snapTargets.push_back({nullptr, -1, -1});
    }
};

inline PlaceOutput& outputOf(const Edit::Object& object) {
    return dynamic_cast<PlaceOutput&>(*object.effectList[1]);
}

class AnchorFixture : public MediaTest::GpuTest {
protected:
    AnchorFixture() {
        movements = &EffectTest::Movements::install();
        service.registerEffect<Picture>();
        service.registerEffect<PlaceOutput>();
        service.registerEffect<PointFilter>();
        scene.width = 200;
        scene.height = 100;
        frame.createTexture2D(200, 100);
    }

    Edit::ObjectPointer place(int layer, int start, int end) {
        Edit::ObjectPointer object = scene.createObject(kPicture, layer, start, end);
        scene.updateLayerObject();
        return object;
    }
    // The render context of an object at a frame, collecting into `list`.
    Render::ObjectContext contextFor(const Edit::ObjectPointer& object, int at) {
        Render::ObjectContext context;
        context.scene = &scene;
        context.layer = object->layer;
        context.frame = at;
        context.time = at;
        context.setObject(object);
        context.view.target = &frame;
        context.anchors = &list;
        context.collectFilterObjects(Effect::MediaKind::Video);
        return context;
    }
    // The anchors of an object's output for a picture of width × height.
    void drawOutput(const Edit::ObjectPointer& object, int at, int width, int height) {
        Render::ObjectContext context = contextFor(object, at);
        context.drawOutputAnchor(width, height);
    }

    RegistryTest::Environment env;
    EffectTest::Movements* movements;
    Effect::EffectService service;
    Edit::Scene scene{1, 0, &service};
    Media::RenderBuffer frame{DXGI_FORMAT_R16G16B16A16_FLOAT};
    Anchor::AnchorList list;
};

}  // namespace AnchorTest
