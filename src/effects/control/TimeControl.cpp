#include "effects/control/TimeControl.h"

#include "edit/model/Scene.h"
#include "effect/movement/MovementBase.h"
#include "effects/control/ControlCategory.h"
#include "render/audio/AudioObjectContext.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Effect {

namespace {

// Values read from a project file are kept as read; the mapping needs at
// least one.
int atLeastOne(int value) { return std::max(value, 1); }

std::int64_t floorMod(std::int64_t a, std::int64_t b) {
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

}  // namespace

TimeControl::TimeControl()
    : BuiltinClass(Name, EffectKind::Control, MediaKind::VideoAudio, MediaKind::VideoAudio, objectControlCategory),
      position(items, L"位置", 0, 0, 100, 0.001),
      repeat(items, L"繰り返し", 1, 1, 1, 100),
      drop(items, L"コマ落ち", 1, 1, 1, 100),
      layerRange(items, L"対象レイヤー数", 0) {
    // Outside the media kinds: the settings window offers the object switch.
    targetType = MediaKind::Scene;
}

void TimeControl::initialize() {
    if (DefaultMovement::linearSpeed) position.setMovement(*DefaultMovement::linearSpeed);
    position.values.resize(2);
    position.setValue(0, 0);
    position.setValue(100, 1);
}

double TimeControl::mappedFrame(const Render::ObjectContextBase& context, int repeatCount, int dropCount) const {
    const ObjectFrames& frames = context.getObjectFrames();
    const std::int64_t length = static_cast<std::int64_t>(frames.end) - frames.start;
    const std::int64_t local = static_cast<std::int64_t>(context.frame) - frames.start;
    const std::int64_t n = atLeastOne(dropCount);
    const std::int64_t q = local - floorMod(local, n);
    const std::int64_t k = floorMod(atLeastOne(repeatCount) * q, length + 1);
    const double v = position.getValueAtFrame(context, static_cast<int>(frames.start + k));
    return v * 0.01 * static_cast<double>(length) + frames.start;
}

void TimeControl::preloadVideo(Render::ObjectContext& context) {
    const double m = mappedFrame(context, repeat.value, drop.value);
    context.frame = static_cast<int>(m);
    context.time = m;
}

void TimeControl::preloadAudio(Render::AudioObjectContext& context) {
    // Sound ignores the frame drop: held frames would stutter.
    const double m = mappedFrame(context, repeat.value, 1);
    context.frame = static_cast<int>(m);
    context.time = m;
    if (context.scene && context.scene->videoRate > 0) {
        context.sampleRange.position = std::llround(m * context.sampleRange.rate * context.scene->videoScale /
                                                    context.scene->videoRate);
    }
}

}  // namespace Effect
