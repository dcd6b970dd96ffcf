#pragma once
// 放射ブラー: smears the picture along rays towards a centre point. Unless
// the size is kept, the canvas grows so every streak that can reach the
// picture is drawn, and the centre pair moves so the picture stays put.
// `radialBlur` is borrowed from the registered prototype by the flash
// filter and the scene change.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "media/gpu/ContextConstantBuffer.h"

#include <cstdint>
#include <memory>

namespace Media {
class PixelShader;
class ResourceBuffer;
}  // namespace Media

namespace Effect {

class BlurFilter : public SharedResourceEffect<BlurFilter> {
public:
    static constexpr const wchar_t* Name = L"放射ブラー";
    using Image = std::unique_ptr<Media::ResourceBuffer>;

    // b0 of the pass.
    struct Constant {
        std::int32_t sampleNum;
        float sampleStep;
        float center[2];
        float offset[2];
        float unused[2];
    };

    // What one call draws: the output rectangle in source pixels, the
    // streak constants, and how far the object's centre moves.
    struct Plan {
        bool copy = false;  // strength 0: the picture as it is
        int left = 0, top = 0, right = 0, bottom = 0;
        Constant constant{};
        float centerShiftX = 0.0f, centerShiftY = 0.0f;
    };
    static Plan plan(int width, int height, float strength, float offsetX, float offsetY, bool keepSize);

    class CommonResource {
    public:
        CommonResource();
        ~CommonResource();
        std::unique_ptr<Media::PixelShader> shader;
        Media::ContextConstantBuffer constants{sizeof(Constant)};
    };

    BlurFilter();

    void filterVideo(Image& result, Render::ObjectContext& context, Image input) override;

    // The source is read, not taken over. The centre pair moves with the
    // canvas's growth (callers that place the result themselves pass a
    // scratch pair). strength is a percentage below 100; the offsets are
    // pixels from the picture's centre, y down.
    void radialBlur(Image& result, Media::ResourceBuffer& source, float& centerX, float& centerY,
                    float strength, float offsetX, float offsetY, bool keepSize);

    EffectItemNumber range;
    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemCheck fixedSize;

    std::shared_ptr<CommonResource> common;
};

}  // namespace Effect
