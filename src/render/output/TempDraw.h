#pragma once
// "オフスクリーン描画": bakes the object's current transform into a picture
// of the frame's size, so later filters see the object as it will appear
// and the output draws it flat.
#include "effect/base/EffectBase.h"
#include "render/output/OutputShaderEffect.h"

namespace Effect {

class TempDraw : public EffectBase, public OutputShaderEffect {
public:
    static constexpr wchar_t Name[] = L"オフスクリーン描画";
    TempDraw() : EffectBase(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<TempDraw>(); }
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;
};

}  // namespace Effect
