// The number item in motion: its value at a frame through its movement, the
// key-frame test, handle edits and the random seed.
#include "core/text/StringConvert.h"
#include "effect/movement/CurveFunction.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/MovementBase.h"
#include "effect/base/ObjectContextBase.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Effect {

namespace {

// The frame a fractional time lies in (truncated), kept in the int range.
int frameOfTime(double time) {
    if (std::isnan(time)) return 0;
    return static_cast<int>(std::clamp(std::trunc(time), static_cast<double>(INT_MIN),
                                       static_cast<double>(INT_MAX)));
}

}  // namespace

SectionPosition EffectItemNumber::positionAt(const Render::ObjectContextBase& context, int frame,
                                             double time) const {
    if (flags & IgnoreMidPoints) return SectionPosition::wholeObject(context.getObjectFrames(), time);
    return SectionPosition(context.getObjectFrames(), frame, time);
}

double EffectItemNumber::getValue(const Render::ObjectContextBase& context) const {
    // The render context computed the position once for this frame.
    if (flags & IgnoreMidPoints)
        return movement->getValue(*this, SectionPosition::wholeObject(context.getObjectFrames(), context.time),
                                  context);
    return movement->getValue(*this, context.sectionPosition, context);
}

double EffectItemNumber::getValueAtFrame(const Render::ObjectContextBase& context, int frame) const {
    return movement->getValue(*this, positionAt(context, frame, frame), context);
}

double EffectItemNumber::getValueAtTime(const Render::ObjectContextBase& context, double time) const {
    return movement->getValue(*this, positionAt(context, frameOfTime(time), time), context);
}

double EffectItemNumber::getSectionTime(const Render::ObjectContextBase& context, double time) const {
    const SectionPosition position = positionAt(context, frameOfTime(time), time);
    if (flags & IgnoreMidPoints) return position.position;
    return position.index + position.offset / position.length;
}

double EffectItemNumber::applyTimeControl(double position) const {
    if (!movement->timeControlled) return position;
    return evaluateTimeControlCurve(curve, position);
}

bool EffectItemNumber::isOnKeyFrame(const Render::ObjectContextBase& context) const {
    return isOnKeyFrame(context, static_cast<int>(values.size()));
}

bool EffectItemNumber::isOnKeyFrame(const Render::ObjectContextBase& context, int valueCount) {
    const int midPoints = context.getObjectFrames().getMidPointCount();
    int boundary;
    if (context.frame == context.getObjectFrames().end)
        boundary = midPoints + 1;
    else if (context.sectionPosition.offset != 0.0)
        return valueCount < 2;
    else
        boundary = context.sectionPosition.index;
    if (boundary < 0) return valueCount < 2;
    if (boundary == 0 || boundary >= midPoints + 1) return true;
    return valueCount <= 1 || valueCount == midPoints + 2;
}

int EffectItemNumber::anchorIndex(int section, int midPointCount) const {
    if (section == AllValues) return AllValues;
    const int count = static_cast<int>(values.size());
    if (count <= 1 || section <= 0) return 0;
    if (section >= midPointCount + 1) return count - 1;
    return count == midPointCount + 2 ? section : -1;
}

void EffectItemNumber::setAnchorValue(int section, int midPointCount, double value) {
    const int index = anchorIndex(section, midPointCount);
    if (index == AllValues) {
        for (int i = 0; i < static_cast<int>(values.size()); ++i)
            if (movement->isValueUsed(*this, i)) setValue(value, i);
    } else if (index >= 0 && movement->isValueUsed(*this, index)) {
        setValue(value, index);
    }
}

bool EffectItemNumber::moveAnchorValue(int section, int midPointCount, double delta) {
    const int index = anchorIndex(section, midPointCount);
    bool changed = false;
    if (index == AllValues) {
        for (int i = 0; i < static_cast<int>(values.size()); ++i)
            if (movement->isValueUsed(*this, i)) changed |= moveValue(delta, i);
    } else if (index >= 0 && movement->isValueUsed(*this, index)) {
        changed = moveValue(delta, index);
    }
    return changed;
}

std::int32_t EffectItemNumber::getRandomSeed() const {
    // 64-bit FNV-1a over the name's UTF-16LE bytes: the seed, and so the
    // random motion, must not depend on the width of wchar_t.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char16_t unit : System::String::toUtf16(name)) {
        for (const unsigned byte : {unit & 0xFFu, (unit >> 8) & 0xFFu}) {
            hash ^= byte;
            hash *= 0x100000001b3ull;
        }
    }
    const auto high = static_cast<std::uint32_t>(hash >> 32);
    const auto low = static_cast<std::uint32_t>(hash);
    const auto seed = ((((static_cast<std::uint32_t>(scale) << 8) ^ static_cast<std::uint32_t>(maximum)) << 8) ^
                       high ^ static_cast<std::uint32_t>(minimum) ^ low);
    return static_cast<std::int32_t>(seed);
}

}  // namespace Effect
