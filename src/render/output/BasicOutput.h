#pragma once
// The standard drawing of an object's picture into the frame: position,
// centre, rotation, scale, aspect, transparency and blend mode items on
// top of the view the object arrives with; X, Y and Z are the object's
// handle on the preview. The standard drawing and the
// video playback outputs are this body under their own names.
#include "effect/anchor/MoveEffect.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/item/EffectItemSelect.h"
#include "render/output/OutputShaderEffect.h"

namespace Effect {

class BasicOutput : public MoveEffect, public OutputShaderEffect {
public:
    void outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                     std::unique_ptr<Media::ResourceBuffer>& image) override;
    OutputView getOutputView(Render::ObjectContext& context) override;

    EffectItemNumber x{items, L"X", 0, -100000, 100000, 0.01};
    EffectItemNumber y{items, L"Y", 0, -100000, 100000, 0.01};
    EffectItemNumber z{items, L"Z", 0, -100000, 100000, 0.01};
    EffectItemNumberGroup position{items, L"Group", {&x, &y, &z}, true};
    EffectItemNumber centerX{items, L"中心X", 0, -5000, 5000, 0.01};
    EffectItemNumber centerY{items, L"中心Y", 0, -5000, 5000, 0.01};
    EffectItemNumber centerZ{items, L"中心Z", 0, -5000, 5000, 0.01};
    EffectItemNumber rotationX{items, L"X軸回転", 0, -3600, 3600, 0.01};
    EffectItemNumber rotationY{items, L"Y軸回転", 0, -3600, 3600, 0.01};
    EffectItemNumber rotationZ{items, L"Z軸回転", 0, -3600, 3600, 0.01};
    EffectItemNumber scale{items, L"拡大率", 100, 0, 10000, 0.001};
    EffectItemNumber aspect{items, L"縦横比", 0, -100, 100, 0.001};
    EffectItemNumber transparency{items, L"透明度", 0, 0, 100, 0.01};
    EffectItemSelect blend;

protected:
    BasicOutput(const wchar_t* name, std::uint8_t media);
};

// The view's alpha and blend mode after a transparency item (percent) and
// a "合成モード" value (0 keeps the mode the view carries).
void applyTransparencyAndBlend(OutputView& view, float transparency, int blendMode);

}  // namespace Effect
