#pragma once
// グループ制御(音声): scales the volume and pan of every sound object on the
// layers it governs. Nested groups multiply their gains; the walk runs the
// outer group first, so an inner one reads its parent's gains of the same
// block.
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "render/audio/GroupAudioGains.h"

namespace Effect {

class GroupAudioControl : public BuiltinClass<GroupAudioControl>, public Render::GroupAudioGains {
public:
    static constexpr const wchar_t* Name = L"グループ制御(音声)";
    GroupAudioControl();
    int getLayerRange() const override { return layerRange.value; }
    void controlAudio(Render::AudioObjectContext& context) override;

    EffectItemNumber volume;
    EffectItemNumber pan;
    EffectItemLayerRange layerRange;
};

}  // namespace Effect
