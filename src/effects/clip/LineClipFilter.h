#pragma once
// 斜めクリッピング: cuts the picture along a straight line through a point,
// or keeps or removes a band around it, with a soft edge. `clip` changes
// the picture in place and uses no item, so the straight wipes borrow it
// from the registered prototype.
#include "effect/anchor/MoveXYAnchorEffect.h"
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

class LineClipFilter : public SharedResourceEffect<LineClipFilter, MoveXYAnchorEffect> {
public:
    static constexpr const wchar_t* Name = L"斜めクリッピング";
    using Image = std::unique_ptr<Media::ResourceBuffer>;

    // b0 of both shaders.
    struct Constant {
        float offset[2];     // pixel position to the clip centre
        float direction[2];  // (sin a, -cos a): the kept side
        float length;        // ramp width, blur + 1
        float range;         // half the band's width
        float unused[2];
    };
    static Constant constantFor(int width, int height, float angle, int bandWidth, float centerX, float centerY,
                                int blur);

    class CommonResource {
    public:
        CommonResource();
        ~CommonResource();
        std::unique_ptr<Media::PixelShader> halfPlane;
        std::unique_ptr<Media::PixelShader> band;
        Media::ContextConstantBuffer constants{sizeof(Constant)};
    };

    // The straight wipes cut their masks with the registry's prototype.
    static void installTransitionClip(EffectService& service);

    LineClipFilter();

    void filterVideo(Image& result, Render::ObjectContext& context, Image input) override;

    // angle in degrees (0 keeps the upper half, larger turns clockwise),
    // width 0 for a half-plane cut, centre relative to the picture's
    // centre, blur in pixels.
    void clip(Image& image, float angle, int width, float centerX, float centerY, int blur);

    EffectItemNumber centerX;
    EffectItemNumber centerY;
    EffectItemNumberGroup group;
    EffectItemNumber angle;
    EffectItemNumber blur;
    EffectItemNumber width;

    std::shared_ptr<CommonResource> common;
};

}  // namespace Effect
