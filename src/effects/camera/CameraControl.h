#pragma once
// カメラ制御: the layers it governs become a 3D scene seen through a
// perspective camera. The walk calls controlVideo twice a frame: the first
// call builds the view and projection (and lets the camera lights add their
// records), the governed objects are drawn with them, and the second call
// lights the camera pass, draws the preview guides, composites the pass into
// the frame and runs the camera filters (the light bloom).
//
// The camera's state is rewritten by every first call and read by the
// governed objects' drawing, the second call and the anchors of the same
// frame, all on the per-object render thread in walk order; it is not
// locked. Drags arrive on the user-interface thread inside an edit scope.
#include "effect/anchor/MoveEffect.h"
#include "effect/base/ControlState.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemLayerObject.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effects/base/BuiltinClass.h"
#include "render/output/OutputShaderEffect.h"

#include <memory>

namespace Edit {
class Scene;
}

namespace Effect {

class CameraGuides;

class CameraControl : public SharedResourceEffect<CameraControl, MoveEffect>, public CameraControlState {
public:
    static constexpr const wchar_t* Name = L"カメラ制御";

    // What a view is built from; up is always (0, 1, 0).
    struct Block {
        Media::Float3 eye{0.0f, 0.0f, -1024.0f};
        Media::Float3 target{0.0f, 0.0f, 0.0f};
        float tilt = 0.0f;  // degrees
        float focal = 1024.0f;  // d, pixels
    };

    // The guide-line program, made once for the registry's prototype.
    class CommonResource {
    public:
        CommonResource();
        ~CommonResource();
        std::unique_ptr<CameraGuides> guides;
    };

    CameraControl();
    ~CameraControl() override;

    int getLayerRange() const override { return layerRange.value; }
    OutputView getOutputView(Render::ObjectContext& context) override;
    // First call (no camera object in the context): the view; second call
    // (the context's camera object is this camera's): lighting, guides,
    // composite and camera filters.
    void controlVideo(Render::ObjectContext& context) override;
    void drawAnchor(Render::ObjectContext& context, int width, int height) override;
    bool anchorEvent(Anchor::AnchorEvent& event) override;

    // The focal distance for a vertical field of view on a frame height;
    // 0 degrees keeps the default 1024.
    static float focalDistance(float fieldOfView, float height);
    // LookTo(eye, target - eye, up) × RollZ(tilt); a target on the eye is
    // moved 1 along z first.
    static Media::Matrix4 viewMatrix(const Block& block);
    // The reverse-depth projection without a far plane: (x, y, z) lands x·d/z
    // and y·d/z pixels from the frame centre with depth d / (20 z).
    static Media::Matrix4 projectionMatrix(float focal, float width, float height);
    // The view-space corners of the frame at distance d, through the
    // inverse view: top-left, top-right, bottom-right, bottom-left.
    static void frameCorners(const Block& block, float width, float height, Media::Float3 corners[4]);

    // The scene's free-view camera as a block (its own tilt and d).
    static Block freeViewBlock(const Edit::Scene& scene);

    // 目標レイヤー is this camera's own layer and does not move: the target
    // travels with the eye.
    bool isRelativeTarget(const Edit::Object& camera) const;
    // The target the own block looks at, at the context's time.
    Media::Float3 targetPoint(Render::ObjectContext& context);

    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemNumber z;
    EffectItemNumberGroup group;
    EffectItemNumber targetX;
    EffectItemNumber targetY;
    EffectItemNumber targetZ;
    EffectItemNumberGroup targetGroup;
    EffectItemLayerObject targetLayer;
    EffectItemNumber tilt;
    EffectItemNumber fieldOfView;
    EffectItemLayerRange layerRange;

    // Rewritten by every first call.
    Block block;
    bool freeView = false;

    std::shared_ptr<CommonResource> common;

private:
    void setUp(Render::ObjectContext& context);
    void complete(Render::ObjectContext& context);
    // Positions of the target layer's objects, one per value of the layer
    // item, into the hidden coordinates; then their value at the time.
    Media::Float3 targetObjectPosition(Render::ObjectContext& context);
    // The block the view is built from: the free-view camera or the own.
    Block usedBlock(const Render::ObjectContext& context) const;
    void drawGuides(Render::ObjectContext& context);
    void cameraDrag(Anchor::AnchorEvent& event);

    OutputShaderEffect output_;
    // The scene of the last frame rendered: free-view drags move its camera.
    Edit::Scene* scene_ = nullptr;
};

}  // namespace Effect
