#include "effect/item/EffectItemNumber.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/item/LegacyTrack.h"
#include "effect/movement/MovementBase.h"
#include "effect/movement/MovementLookup.h"
#include "effect/base/StdConvert.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <utility>

namespace Effect {

namespace {

// Nearest integer, halves away from zero, saturated to the int range.
std::int32_t roundSteps(double x) {
    if (std::isnan(x)) return 0;
    if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<std::int32_t>(std::lround(x));
}

std::int32_t scaleOfStep(double step) {
    const double inverse = 1.0 / step;
    // A step above 1 (or none at all) would give a scale of 0 and lose
    // every value: such items count in whole units.
    if (!std::isfinite(inverse) || inverse < 1.0) return 1;
    return roundSteps(inverse);
}

MovementBase& defaultMovement() {
    if (!DefaultMovement::noMove)
        throw System::makeException("Effect::EffectItemNumber::EffectItemNumber",
                                    "not found movement.");
    return *DefaultMovement::noMove;
}

void appendDoubles(std::string& out, const std::vector<double>& list) {
    out += '|';
    out += StdConvert::joinDoubles(list);
}

void readDoubles(const std::string& piece, std::vector<double>& list) {
    for (const std::string& field : System::String::split(piece, ','))
        list.push_back(StdConvert::toDouble(field));
}

}  // namespace

EffectItemNumber::EffectItemNumber(ItemList& items, std::wstring name, double defaultValue,
                                   double minimum, double maximum, double step,
                                   std::uint8_t type)
    : EffectItem(items, type, std::move(name)),
      // Stored values count in units of 1 / scale everywhere (a step above 1
      // counts in whole units), so what is set, clamped and read agrees.
      defaultValue(roundSteps(defaultValue * scaleOfStep(step))),
      minimum(roundSteps(minimum * scaleOfStep(step))),
      maximum(roundSteps(maximum * scaleOfStep(step))),
      scale(scaleOfStep(step)),
      movement(&defaultMovement()) {
    setMovement(*movement);
}

void EffectItemNumber::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemNumber>(other);
    values = source.values;
    defaultValue = source.defaultValue;
    minimum = source.minimum;
    maximum = source.maximum;
    scale = source.scale;
    movement = source.movement;
    curve = source.curve;
    params = source.params;
    flags = source.flags;
}

bool EffectItemNumber::equals(const EffectItem& other) const {
    const auto& source = sameKind<EffectItemNumber>(other);
    // Element-wise ==, so a NaN in either list makes them unequal.
    return values == source.values && curve == source.curve && params == source.params &&
           defaultValue == source.defaultValue && minimum == source.minimum &&
           maximum == source.maximum && scale == source.scale &&
           movement == source.movement && flags == source.flags;
}

std::unique_ptr<EffectItem> EffectItemNumber::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemNumber(*this));
}

int EffectItemNumber::decimalDigits() const {
    int digits = 0;
    for (std::int64_t power = 1; power < scale; power *= 10) ++digits;
    std::int64_t power = 1;
    for (int i = 0; i < digits; ++i) power *= 10;
    return power == scale ? digits : -1;
}

std::string EffectItemNumber::formatValue(int index) const {
    const std::int32_t stored = values.at(static_cast<std::size_t>(index));
    const int digits = decimalDigits();
    if (digits < 0) {
        // Written as the value itself, precise enough to read back to the
        // same stored integer.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17g", static_cast<double>(stored) / scale);
        return buffer;
    }
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(stored));
    std::string text = std::to_string(magnitude);
    if (digits > 0) {
        if (text.size() < static_cast<std::size_t>(digits) + 1)
            text.insert(0, static_cast<std::size_t>(digits) + 1 - text.size(), '0');
        text.insert(text.size() - static_cast<std::size_t>(digits), 1, '.');
    }
    if (stored < 0) text.insert(0, 1, '-');
    return text;
}

std::string EffectItemNumber::toString() const {
    if (movement == DefaultMovement::noMove) return formatValue(0);
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += formatValue(static_cast<int>(i));
        text += ',';
    }
    text += System::String::toUtf8(movement->name ? movement->name : L"");
    text += ',';
    text += std::to_string(static_cast<std::int32_t>(flags));
    if (!params.empty()) appendDoubles(text, params);
    if (!curve.empty()) appendDoubles(text, curve);
    return text;
}

void EffectItemNumber::fromString(const std::string& text) {
    // Parse into a copy so that a text failing halfway changes nothing.
    EffectItemNumber parsed(*this);
    parsed.parse(text);
    copyFrom(parsed);
}

void EffectItemNumber::parse(const std::string& text) {
    const std::vector<std::string> pieces = System::String::split(text, '|');
    const std::vector<std::string> fields = System::String::split(pieces[0], ',');
    if (fields.size() < 2) {
        movement = &defaultMovement();
        curve.clear();
        flags = 0;
        resizeValueList(1);
        setValue(StdConvert::toDouble(text), 0);
        return;
    }
    const int count = static_cast<int>(fields.size()) - 2;
    if (count <= 0)
        throw System::makeException("Effect::EffectItemNumber::fromString",
                                    "invalid effect parameter.");
    movement = &findMovement(System::String::toWide(fields[static_cast<std::size_t>(count)]));
    curve.clear();
    params.clear();
    flags = static_cast<std::uint32_t>(
        StdConvert::toInt(fields[static_cast<std::size_t>(count) + 1]));
    resizeValueList(count);
    for (int i = 0; i < count; ++i)
        setValue(StdConvert::toDouble(fields[static_cast<std::size_t>(i)]), i);
    if (pieces.size() < 2) return;
    std::size_t next = 1;
    if (!movement->defaultParams.empty()) {
        readDoubles(pieces[1], params);
        next = 2;
    }
    if (movement->timeControlled && next < pieces.size()) readDoubles(pieces[next], curve);
}

void EffectItemNumber::loadQroValue(const std::string& value, const std::wstring&, const wchar_t*, bool flag) {
    fromString(flag ? value : convertLegacyTrack(value));
}

void EffectItemNumber::setMovement(MovementBase& newMovement) {
    movement = &newMovement;
    if (movement->valueCount > 0)
        values.resize(static_cast<std::size_t>(movement->valueCount), defaultValue);
}

int EffectItemNumber::resizeValueList(int boundaryCount) {
    int count = boundaryCount;
    if (movement->valueCount > 0)
        count = movement->valueCount;
    else if (flags & IgnoreMidPoints)
        count = 2;
    count = std::max(count, 1);
    if (values.empty()) values.push_back(defaultValue);
    const std::size_t wanted = static_cast<std::size_t>(count);
    if (values.size() > wanted) {
        const std::size_t surplus = values.size() - wanted;
        values.erase(values.end() - 1 - static_cast<std::ptrdiff_t>(surplus), values.end() - 1);
    } else {
        values.resize(wanted, values.back());
    }
    return count;
}

void EffectItemNumber::adjustToMovement(int boundaryCount) {
    const std::uint32_t wanted[] = {
        movement->accelerateOption == 1 ? Accelerate : 0u,
        movement->decelerateOption == 1 ? Decelerate : 0u,
        movement->ignoreMidPointsOption >= 1 ? IgnoreMidPoints : 0u,
    };
    const std::uint32_t bits[] = {Accelerate, Decelerate, IgnoreMidPoints};
    for (int i = 0; i < 3; ++i) {
        if ((flags & bits[i]) == wanted[i]) continue;
        flags = (flags & ~bits[i]) | wanted[i];
        resizeValueList(boundaryCount);
    }
    curve = movement->defaultCurve;
    params = movement->defaultParams;
}

std::vector<double>& EffectItemNumber::getMovementParams() {
    if (params.size() != movement->defaultParams.size()) params = movement->defaultParams;
    return params;
}

const std::vector<double>& EffectItemNumber::getMovementParams() const {
    return params.size() == movement->defaultParams.size() ? params : movement->defaultParams;
}

void EffectItemNumber::setValue(double value, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= values.size() || std::isnan(value)) return;
    // Clamped before rounding, so that a value beyond the int range still
    // lands on the nearer bound.
    const double steps = std::clamp(value * scale, static_cast<double>(minimum),
                                    static_cast<double>(maximum));
    values[static_cast<std::size_t>(index)] = roundSteps(steps);
}

bool EffectItemNumber::moveValue(double delta, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= values.size() || std::isnan(delta))
        return false;
    std::int32_t& stored = values[static_cast<std::size_t>(index)];
    const double low = static_cast<double>(minimum) - stored;
    const double high = static_cast<double>(maximum) - stored;
    const std::int64_t moved = static_cast<std::int64_t>(stored) +
                               roundSteps(std::clamp(delta * scale, std::min(low, 0.0),
                                                     std::max(high, 0.0)));
    const std::int32_t next = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(moved, minimum, maximum));
    if (next == stored) return false;
    stored = next;
    return true;
}

bool EffectItemNumber::perBoundaryValues() const {
    return movement->valueCount == MovementBase::PerBoundary && !(flags & IgnoreMidPoints);
}

void EffectItemNumber::insertSectionValue(int boundary, const CapturedValue* captured) {
    if (!perBoundaryValues()) return;
    const int last = static_cast<int>(values.size()) - 1;
    const auto positionOf = [last](int k) { return k < 0 ? 0 : std::min(k + 1, last); };
    int position = positionOf(boundary);
    std::int32_t value = defaultValue;
    if (captured) {
        value = roundSteps(scale * captured->value);
        if (captured->sectionIndex != -1) position = positionOf(captured->sectionIndex);
    }
    values.insert(values.begin() + std::max(position, 0), value);
}

void EffectItemNumber::setSectionValue(int boundary, const CapturedValue* captured) {
    if (!perBoundaryValues()) return;
    const int last = static_cast<int>(values.size()) - 1;
    const int position = boundary <= 0 ? 0 : std::min(boundary, last);
    if (position < 0) return;
    values[static_cast<std::size_t>(position)] =
        captured ? roundSteps(scale * captured->value) : defaultValue;
}

void EffectItemNumber::removeSectionValue(int key) {
    if (!perBoundaryValues()) return;
    values.erase(values.begin() + clampValueIndex(key));
}

int EffectItemNumber::clampValueIndex(int index) const {
    if (values.empty())
        throw System::makeException("Effect::EffectItemNumber::clampValueIndex",
                                    "item value index out of range.");
    if (index <= 0) return 0;
    return std::min(index, static_cast<int>(values.size()) - 1);
}

EffectItemNumber& EffectItemNumber::getGroupItem(int offset) {
    return const_cast<EffectItemNumber&>(std::as_const(*this).getGroupItem(offset));
}

const EffectItemNumber& EffectItemNumber::getGroupItem(int offset) const {
    if (!group || !group->linked || group->members.empty()) return *this;
    const auto& members = group->members;
    const auto own = std::find(members.begin(), members.end(), this);
    if (own == members.end()) return *this;
    const int count = static_cast<int>(members.size());
    const int position = ((static_cast<int>(own - members.begin()) + offset) % count + count) % count;
    const EffectItemNumber* member = members[static_cast<std::size_t>(position)];
    if (member->movement != movement || member->flags != flags) return *this;
    return *member;
}

}  // namespace Effect
