#pragma once
// "パーティクル出力": draws the object's picture as a stream of particles
// emitted from the object's position at a steady rate, each flying off in
// its own direction and growing, fading and turning with age.
//
// Nothing is kept between frames: every live particle is worked out from
// its index and age alone, with item values read at its emission frame and
// a random sequence seeded by the object's layer and start. Any frame
// renders alike on any thread.
#include "effect/anchor/MoveEffect.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/item/EffectItemSelect.h"
#include "render/output/OutputShaderEffect.h"

namespace Effect {

class ParticleOutput : public MoveEffect, public OutputShaderEffect {
public:
    static constexpr wchar_t Name[] = L"パーティクル出力";
    // Only the newest particles are drawn.
    static constexpr int maxParticles = 10000;

    ParticleOutput();
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<ParticleOutput>(); }
    void outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                     std::unique_ptr<Media::ResourceBuffer>& image) override;
    OutputView getOutputView(Render::ObjectContext& context) override;
    const wchar_t* getInputEffectName() const override { return L"図形"; }

    EffectItemNumber x{items, L"X", 0, -100000, 100000, 0.01};
    EffectItemNumber y{items, L"Y", 0, -100000, 100000, 0.01};
    EffectItemNumber z{items, L"Z", 0, -100000, 100000, 0.01};
    EffectItemNumberGroup position{items, L"Group", {&x, &y, &z}, true};
    EffectItemNumber rate{items, L"出力頻度", 20, 0, 500, 0.1};
    EffectItemNumber speed{items, L"出力速度", 400, 0, 20000, 0.1};
    EffectItemNumber acceleration{items, L"加速度", 0, -20000, 20000, 0.1};
    EffectItemNumber direction{items, L"出力方向", 0, -3600, 3600, 0.01};
    EffectItemNumber spread{items, L"拡散角度", 30, 0, 360, 0.01};
    EffectItemNumber transparency{items, L"透過率", 0, 0, 100, 0.01};
    EffectItemNumber transparencySpeed{items, L"透過速度", 0, -200, 200, 0.01};
    EffectItemNumber scale{items, L"拡大率", 100, 0, 10000, 0.001};
    EffectItemNumber scaleSpeed{items, L"拡大速度", 0, -1000, 1000, 0.001};
    EffectItemNumber angle{items, L"回転角", 0, -3600, 3600, 0.01};
    EffectItemNumber angleSpeed{items, L"回転速度", 0, -10, 10, 0.01};
    EffectItemNumber gravity{items, L"重力", 0, -2000, 2000, 0.01};
    EffectItemNumber lifetime{items, L"生存時間", 0, 0, 600, 0.1};
    EffectItemCheck randomPoint{items, L"移動範囲の座標からランダムに出力"};
    EffectItemCheck directionFromMovement{items, L"出力方向の基準を移動方向にする"};
    EffectItemCheck angleFromMovement{items, L"回転角の基準を移動方向にする"};
    EffectItemCheck randomSpin{items, L"3Dランダム回転"};
    EffectItemSelect blend;
};

}  // namespace Effect
