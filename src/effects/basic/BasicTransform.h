#pragma once
// The four basic effects: they change where and how the object is drawn
// (the render context's view) and hand the picture on untouched. Positions
// and rotations add, scales and opacity multiply, so they combine with the
// output effect and with each other in the order they stand on the object.
#include "effect/anchor/MoveXYZAnchorEffect.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effects/base/BuiltinClass.h"

#include <memory>

namespace Effect {

// 座標. The X, Y, Z group is the one its on-preview handle moves.
class BasicMove : public BuiltinClass<BasicMove, MoveXYZAnchorEffect> {
public:
    static constexpr const wchar_t* Name = L"座標";
    BasicMove();
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;

    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemNumber z;
    EffectItemNumberGroup group;
};

// 拡大率: the overall percentage, then one per axis.
class BasicScale : public BuiltinClass<BasicScale> {
public:
    static constexpr const wchar_t* Name = L"拡大率";
    BasicScale();
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;

    EffectItemNumber scale;
    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemNumber z;
};

// 透明度: 0 opaque to 100 invisible.
class BasicAlpha : public BuiltinClass<BasicAlpha> {
public:
    static constexpr const wchar_t* Name = L"透明度";
    BasicAlpha();
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;

    EffectItemNumber transparency;
};

// 回転, in degrees; not wrapped.
class BasicAngle : public BuiltinClass<BasicAngle> {
public:
    static constexpr const wchar_t* Name = L"回転";
    BasicAngle();
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;

    EffectItemNumber x;
    EffectItemNumber y;
    EffectItemNumber z;
};

}  // namespace Effect
