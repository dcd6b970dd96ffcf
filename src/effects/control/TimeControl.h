#pragma once
// 時間制御(オブジェクト): the layers it governs are rendered at a remapped
// time. 位置 says which point of the object's own length is shown, 繰り返し
// plays that mapping several times over, コマ落ち holds each mapped frame for
// several frames (pictures only). The walks call the preload slots as they
// meet the object and restore their frame after the governed layers.
#include "effect/base/ControlState.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class TimeControl : public BuiltinClass<TimeControl>, public TimeControlState {
public:
    static constexpr const wchar_t* Name = L"時間制御(オブジェクト)";
    TimeControl();
    // A new object maps every frame to itself: 位置 runs straight from 0 to
    // 100 over the object.
    void initialize() override;
    int getLayerRange() const override { return layerRange.value; }
    void preloadVideo(Render::ObjectContext& context) override;
    void preloadAudio(Render::AudioObjectContext& context) override;

    // The frame shown at the context's frame, for the object the context
    // holds (the time control itself).
    double mappedFrame(const Render::ObjectContextBase& context, int repeat, int drop) const;

    EffectItemNumber position;
    EffectItemInteger repeat;
    EffectItemInteger drop;
    EffectItemLayerRange layerRange;
};

}  // namespace Effect
