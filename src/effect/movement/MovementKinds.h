#pragma once
// The nine built-in movement kinds, registered by the effect service in
// this order. Each computes from its inputs only.
#include "effect/movement/MovementBase.h"

namespace Effect {

// 移動無し: the first value.
class NoMove : public MovementBase {
public:
    NoMove();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
};

// 再生範囲: two values (start and end of a playback range) that the media
// effects read themselves; as a number it is the first value.
class MovieRange : public MovementBase {
public:
    MovieRange();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
};

// 直線移動: straight between the section's boundary values.
class LinearMove : public MovementBase {
public:
    LinearMove();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
};

// 直線移動(時間制御): straight along the path at constant speed, timed by
// the item's time-control curve.
class LinearSpeed : public MovementBase {
public:
    LinearSpeed();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
    int getSectionIndex(const EffectItemNumber& item,
                        const SectionPosition& position) const override;
    std::vector<double> getSectionPositions(const ObjectFrames& object,
                                            const EffectItemNumber& item) const override;
};

// 補間移動: a smooth curve through the boundary values, timed by the
// section lengths.
class InterpolationMove : public MovementBase {
public:
    InterpolationMove();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
};

// 補間移動(時間制御): the same kind of curve at constant speed along the path.
class InterpolationSpeed : public MovementBase {
public:
    InterpolationSpeed();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
    int getSectionIndex(const EffectItemNumber& item,
                        const SectionPosition& position) const override;
    std::vector<double> getSectionPositions(const ObjectFrames& object,
                                            const EffectItemNumber& item) const override;
};

// ランダム移動: a smooth random walk between the first two values, one
// random sample per period (the first parameter, in frames).
class RandomMove : public MovementBase {
public:
    RandomMove();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
    bool hasPath(const EffectItemNumber& item) const override;
};

// 瞬間移動: the section's start value, held for the whole section.
class TeleportationMove : public MovementBase {
public:
    TeleportationMove();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
    // The last value is never shown.
    bool isValueUsed(const EffectItemNumber& item, int index) const override;
};

// 移動量指定: a start value plus an amount per frame.
class SpeedMove : public MovementBase {
public:
    SpeedMove();
    double getValue(const EffectItemNumber& item, const SectionPosition& position,
                    const Render::ObjectContextBase& context) const override;
    bool isValueUsed(const EffectItemNumber& item, int index) const override;
};

}  // namespace Effect
