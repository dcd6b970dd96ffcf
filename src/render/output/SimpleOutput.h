#pragma once
// "基本出力": an output at whole-pixel positions with a scale, drawn flat
// when nothing turns or scales the picture, and never in a camera's or a
// group's space.
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/item/EffectItemSelect.h"
#include "render/output/OutputShaderEffect.h"

namespace Effect {

class SimpleOutput : public EffectBase, public OutputShaderEffect {
public:
    static constexpr wchar_t Name[] = L"基本出力";
    SimpleOutput();
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<SimpleOutput>(); }
    void outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                     std::unique_ptr<Media::ResourceBuffer>& image) override;
    OutputView getOutputView(Render::ObjectContext& context) override;

    EffectItemNumber x{items, L"X", 0, -10000, 10000, 1};
    EffectItemNumber y{items, L"Y", 0, -10000, 10000, 1};
    EffectItemNumberGroup position{items, L"Group", {&x, &y}, true};
    EffectItemNumber scale{items, L"拡大率", 100, 0, 10000, 0.001};
    EffectItemNumber transparency{items, L"透明度", 0, 0, 100, 0.01};
    EffectItemSelect blend;
};

}  // namespace Effect
