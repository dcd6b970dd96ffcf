#pragma once
// 扇クリッピング: removes a fan-shaped sector around a point, with soft
// edges. `clip` changes the picture in place and uses no item, so the
// clock wipe borrows it from the registered prototype.
#include "effect/anchor/MoveXYAnchorEffect.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effects/base/BuiltinClass.h"
#include "media/gpu/ContextConstantBuffer.h"

#include <memory>

namespace Media {
class PixelShader;
class ResourceBuffer;
}  // namespace Media

namespace Effect {

class EffectService;

class AngleClipFilter : public SharedResourceEffect<AngleClipFilter, MoveXYAnchorEffect> {
public:
    static constexpr const wchar_t* Name = L"扇クリッピング";
    using Image = std::unique_ptr<Media::ResourceBuffer>;

    // b0 of both shaders.
    struct Constant {
        float offset[2];
        float directionS[2];  // the normals of the two boundary rays
        float directionE[2];
        float directionL[2];  // the sector's bisector, turned back 90 degrees
        float range;          // half the ramp
        float limit;          // keeps the ramps off the apex
        float unused[2];
    };

    // What one call does once the angles are normalised: nothing, clear
    // the picture, or draw with the narrow or the wide shader.
    enum class Action { None, Clear, Narrow, Wide };
    struct Plan {
        Action action = Action::None;
        float base = 0.0f, range = 0.0f;
        Constant constant{};
    };
    static Plan plan(int width, int height, float base, float range, float centerX, float centerY, int blur,
                     bool centerBase);

    class CommonResource {
    public:
        CommonResource();
        ~CommonResource();
        std::unique_ptr<Media::PixelShader> narrow;
        std::unique_ptr<Media::PixelShader> wide;
        Media::ContextConstantBuffer constants{sizeof(Constant)};
    };

    // The clock wipe cuts its masks with the registry's prototype.
    static void installTransitionClip(EffectService& service);

    AngleClipFilter();

    void filterVideo(Image& result, Render::ObjectContext& context, Image input) override;

    // Removes the directions from base + 180 to base + 180 + range
    // (degrees, clockwise on screen); centerBase centres the sector on
    // base + 180 instead.
    void clip(Image& image, float base, float range, float centerX, float centerY, int blur, bool centerBase);

    EffectItemNumber centerX;
    EffectItemNumber centerY;
    EffectItemNumberGroup group;
    EffectItemNumber baseAngle;
    EffectItemNumber rangeAngle;
    EffectItemNumber blur;
    EffectItemCheck centerBase;

    std::shared_ptr<CommonResource> common;
};

}  // namespace Effect
