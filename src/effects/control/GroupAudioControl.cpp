#include "effects/control/GroupAudioControl.h"

#include "effects/control/ControlCategory.h"
#include "render/audio/AudioObjectContext.h"

namespace Effect {

GroupAudioControl::GroupAudioControl()
    : BuiltinClass(Name, EffectKind::Control, MediaKind::Audio, MediaKind::Audio, objectControlCategory),
      volume(items, L"音量", 100, 0, 1000, 0.01),
      pan(items, L"左右", 0, -100, 100, 0.01),
      layerRange(items, L"対象レイヤー数", 0) {}

void GroupAudioControl::controlAudio(Render::AudioObjectContext& context) {
    const double v = volume.getValue(context) * 0.01;
    const double p = pan.getValue(context);
    double left = v;
    double right = v;
    if (p > 0.0) {
        left = v * (100.0 - p) * 0.01;
    } else if (p < 0.0) {
        right = v * (100.0 + p) * 0.01;
    }
    leftGain = static_cast<float>(left);
    rightGain = static_cast<float>(right);
    if (const Render::GroupAudioGains* outer = context.getGroupAudioGains()) {
        leftGain *= outer->leftGain;
        rightGain *= outer->rightGain;
    }
}

}  // namespace Effect
