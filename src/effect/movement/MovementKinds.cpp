#include "effect/movement/MovementKinds.h"

#include "effect/movement/CurveFunction.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/HashRandom.h"
#include "effect/base/ObjectContextBase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Effect {

namespace {

struct Options {
    const wchar_t* name;
    int valueCount;
    int accelerate;
    int decelerate;
    int ignoreMidPoints;
    bool valuesAtBoundaries;
    bool inMenu;
    bool timeControlled;
    std::vector<double> params;
};

void configure(MovementBase& movement, const Options& options) {
    movement.name = options.name;
    movement.valueCount = options.valueCount;
    movement.accelerateOption = options.accelerate;
    movement.decelerateOption = options.decelerate;
    movement.ignoreMidPointsOption = options.ignoreMidPoints;
    movement.valuesAtBoundaries = options.valuesAtBoundaries;
    movement.inMenu = options.inMenu;
    movement.timeControlled = options.timeControlled;
    movement.defaultParams = options.params;
}

constexpr int PerBoundary = MovementBase::PerBoundary;

// The stored value at a clamped index, in the item's own units.
double valueAt(const EffectItemNumber& item, int index) {
    return static_cast<double>(item.values[static_cast<std::size_t>(item.clampValueIndex(index))]) /
           item.scale;
}

using Point = CurvePoint;

// The item's value with those of the next two members of its linked group.
Point pointAt(const EffectItemNumber& item, int index) {
    return {valueAt(item, index), valueAt(item.getGroupItem(1), index),
            valueAt(item.getGroupItem(2), index)};
}

double distance(const Point& a, const Point& b) {
    return std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
}

Point combine(double ka, const Point& a, double kb, const Point& b, double kc, const Point& c) {
    return {ka * a[0] + kb * b[0] + kc * c[0], ka * a[1] + kb * b[1] + kc * c[1],
            ka * a[2] + kb * b[2] + kc * c[2]};
}

// The point that continues a path beyond `from`: 5/3 from - next + 1/3 far.
Point extrapolate(const Point& from, const Point& next, const Point& far) {
    return combine(5.0 / 3.0, from, -1.0, next, 1.0 / 3.0, far);
}

bool accelerates(const EffectItemNumber& item) { return item.flags & EffectItemNumber::Accelerate; }
bool decelerates(const EffectItemNumber& item) { return item.flags & EffectItemNumber::Decelerate; }

// Section `section` of `count` at fraction s: straight, or eased at the
// object's first and last section.
double linearValue(const EffectItemNumber& item, int section, int count, double s) {
    const double a = valueAt(item, section);
    const double b = valueAt(item, section + 1);
    const bool easeIn = accelerates(item) && section == 0;
    const bool easeOut = decelerates(item) && section == count - 1;
    if (!easeIn && !easeOut) return a + (b - a) * s;
    const double middle = (a + b) / 2.0;
    return bezier(a, easeIn ? a : middle, easeOut ? b : middle, b, s);
}

// Lengths of the path segments between neighbouring values.
std::vector<double> segmentLengths(const EffectItemNumber& item) {
    std::vector<double> lengths;
    const int count = static_cast<int>(item.values.size());
    for (int k = 0; k + 1 < count; ++k) lengths.push_back(distance(pointAt(item, k), pointAt(item, k + 1)));
    return lengths;
}

// An eased end segment takes twice as long.
std::vector<double> linearSpeedLengths(const EffectItemNumber& item) {
    std::vector<double> lengths = segmentLengths(item);
    if (lengths.empty()) return lengths;
    if (accelerates(item)) lengths.front() *= 2.0;
    if (decelerates(item)) lengths.back() *= 2.0;
    return lengths;
}

struct PathPlace {
    int segment;
    double fraction;  // beyond 1 past the path's end
};

// Where the share t of the whole path lies.
PathPlace findOnPath(const std::vector<double>& lengths, double t) {
    if (lengths.size() <= 1) return {0, t};
    double total = 0.0;
    for (const double length : lengths) total += length;
    double rest = t * total;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        if (rest <= lengths[k])
            return {static_cast<int>(k), lengths[k] == 0.0 ? 0.0 : rest / lengths[k]};
        rest -= lengths[k];
    }
    const double last = lengths.back();
    return {static_cast<int>(lengths.size()) - 1, last == 0.0 ? 1.0 : 1.0 + rest / last};
}

// Running sums of all but the last segment over the whole length.
std::vector<double> pathPositions(const EffectItemNumber& item, const std::vector<double>& lengths) {
    std::vector<double> positions;
    if (item.values.size() <= 2) return positions;
    double total = 0.0;
    for (const double length : lengths) total += length;
    if (!(total > 0.0)) return positions;
    double sum = 0.0;
    for (std::size_t k = 0; k + 1 < lengths.size(); ++k) {
        sum += lengths[k];
        positions.push_back(sum / total);
    }
    return positions;
}

PathPlace linearSpeedPlace(const EffectItemNumber& item, const SectionPosition& position) {
    return findOnPath(linearSpeedLengths(item), item.applyTimeControl(position.position));
}

// The chord-weighted path of the interpolating speed kind: the values with
// an extrapolated point at each end.
struct SmoothPath {
    std::vector<Point> points;  // Q(0) .. Q(n + 1)
    std::vector<double> chords;  // |Q(j + 1) - Q(j)|, j = 0 .. n

    explicit SmoothPath(const EffectItemNumber& item) {
        const int n = static_cast<int>(item.values.size());
        for (int j = 0; j <= n + 1; ++j) points.push_back(pointAt(item, j - 1));
        const Point first = extrapolate(points[1], points[2], points[3]);
        const Point last = extrapolate(points[static_cast<std::size_t>(n)],
                                       points[static_cast<std::size_t>(n) - 1],
                                       points[static_cast<std::size_t>(n) - 2]);
        points.front() = first;
        points.back() = last;
        for (std::size_t j = 0; j + 1 < points.size(); ++j)
            chords.push_back(distance(points[j], points[j + 1]));
    }

    // The value lengths D(k) = |P(k + 1) - P(k)|.
    std::vector<double> segments() const {
        return std::vector<double>(chords.begin() + 1, chords.end() - 1);
    }
};

double firstValue(const EffectItemNumber& item) { return valueAt(item, 0); }

}  // namespace

NoMove::NoMove() {
    configure(*this, {L"移動無し", 1, -1, -1, 0, true, true, false, {}});
}

double NoMove::getValue(const EffectItemNumber& item, const SectionPosition&,
                        const Render::ObjectContextBase&) const {
    return firstValue(item);
}

MovieRange::MovieRange() {
    configure(*this, {L"再生範囲", 2, -1, -1, 0, true, false, false, {}});
}

double MovieRange::getValue(const EffectItemNumber& item, const SectionPosition&,
                            const Render::ObjectContextBase&) const {
    return firstValue(item);
}

LinearMove::LinearMove() {
    configure(*this, {L"直線移動", PerBoundary, 0, 0, 0, true, true, false, {}});
}

double LinearMove::getValue(const EffectItemNumber& item, const SectionPosition& position,
                            const Render::ObjectContextBase&) const {
    return linearValue(item, position.index, position.count, position.offset / position.length);
}

LinearSpeed::LinearSpeed() {
    configure(*this, {L"直線移動(時間制御)", PerBoundary, 0, 0, 0, false, true, true, {}});
}

double LinearSpeed::getValue(const EffectItemNumber& item, const SectionPosition& position,
                             const Render::ObjectContextBase&) const {
    const PathPlace place = linearSpeedPlace(item, position);
    return linearValue(item, place.segment, position.count, place.fraction);
}

int LinearSpeed::getSectionIndex(const EffectItemNumber& item,
                                 const SectionPosition& position) const {
    return linearSpeedPlace(item, position).segment;
}

std::vector<double> LinearSpeed::getSectionPositions(const ObjectFrames&,
                                                     const EffectItemNumber& item) const {
    return pathPositions(item, linearSpeedLengths(item));
}

InterpolationMove::InterpolationMove() {
    configure(*this, {L"補間移動", PerBoundary, 1, 1, -1, true, true, false, {}});
}

double InterpolationMove::getValue(const EffectItemNumber& item, const SectionPosition& position,
                                   const Render::ObjectContextBase& context) const {
    const int i = position.index;
    const int c = position.count;
    const Point readA = pointAt(item, i - 1);
    Point a = readA;
    const Point b = pointAt(item, i);
    const Point c0 = pointAt(item, i + 1);
    Point d = pointAt(item, i + 2);
    // Without easing the end tangent comes from an extrapolated point; with
    // it the duplicated end point gives a zero tangent.
    if (i <= 0 && !accelerates(item)) a = extrapolate(b, c0, d);
    if (i >= c - 1 && !decelerates(item)) d = extrapolate(c0, b, readA);

    const double h = position.length;
    const double previous = i > 0 ? context.getObjectFrames().getSectionLength(i - 1) : h;
    const double next = i < c - 1 ? context.getObjectFrames().getSectionLength(i + 1) : h;
    const double f = position.offset / h;
    const double s = bezier(0.0, 0.75 * h / std::max(h + previous, 1.0),
                            1.0 - 0.75 * h / std::max(h + next, 1.0), 1.0, f);

    const double u = distance(a, b);
    const double v = distance(b, c0);
    const double w = distance(c0, d);
    const double c1 = b[0] + (u * (c0[0] - b[0]) + v * (b[0] - a[0])) / (3.0 * std::max(u + v, 0.0001));
    const double c2 = c0[0] - (v * (d[0] - c0[0]) + w * (c0[0] - b[0])) / (3.0 * std::max(v + w, 0.0001));
    return bezier(b[0], c1, c2, c0[0], s);
}

InterpolationSpeed::InterpolationSpeed() {
    configure(*this, {L"補間移動(時間制御)", PerBoundary, -1, -1, -1, false, true, true, {}});
}

double InterpolationSpeed::getValue(const EffectItemNumber& item, const SectionPosition& position,
                                    const Render::ObjectContextBase&) const {
    // The path needs two values; a single one is held.
    if (item.values.size() < 2) return firstValue(item);
    const SmoothPath path(item);
    const PathPlace place = findOnPath(path.segments(), item.applyTimeControl(position.position));
    const std::size_t k = static_cast<std::size_t>(place.segment);
    const double d0 = path.chords[k];
    const double d1 = path.chords[k + 1];
    const double d2 = path.chords[k + 2];
    const double g = path.points[k][0];
    const double f = path.points[k + 1][0];
    const double h = path.points[k + 2][0];
    const double l = path.points[k + 3][0];
    const double s = bezier(0.0, 2.0 / 3.0 * d1 / std::max(d0 + d1, 0.0001),
                            1.0 - 2.0 / 3.0 * d1 / std::max(d1 + d2, 0.0001), 1.0, place.fraction);
    const double c1 = f + ((h - f) * d0 + d1 * (f - g)) / (3.0 * std::max(d0 + d1, 0.0001));
    const double c2 = h - ((h - f) * d2 + d1 * (l - h)) / (3.0 * std::max(d1 + d2, 0.0001));
    return bezier(f, c1, c2, h, s);
}

int InterpolationSpeed::getSectionIndex(const EffectItemNumber& item,
                                        const SectionPosition& position) const {
    return findOnPath(segmentLengths(item), item.applyTimeControl(position.position)).segment;
}

std::vector<double> InterpolationSpeed::getSectionPositions(const ObjectFrames&,
                                                            const EffectItemNumber& item) const {
    return pathPositions(item, segmentLengths(item));
}

RandomMove::RandomMove() {
    configure(*this, {L"ランダム移動", PerBoundary, -1, -1, 2, true, true, false, {15.0}});
}

double RandomMove::getValue(const EffectItemNumber& item, const SectionPosition& position,
                            const Render::ObjectContextBase& context) const {
    const std::vector<double>& params = item.getMovementParams();
    double period = params.empty() ? 1.0 : std::trunc(params.front());
    if (!(period >= 1.0)) period = 1.0;

    const auto copy = static_cast<std::uint32_t>(context.index);
    const auto start = static_cast<std::uint32_t>(context.getObjectFrames().start);
    const auto layer = static_cast<std::uint32_t>(context.layer);
    const auto seed = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(item.getRandomSeed()) ^ (((copy << 8) ^ start) << 8) ^ layer);

    const double q = position.offset / period;
    const double whole = std::isfinite(q) ? std::trunc(q) : 0.0;
    const double s = std::isfinite(q) ? q - whole : 0.0;
    // Sample indices wrap like the 32-bit integers they are hashed as.
    const auto e = static_cast<std::uint32_t>(static_cast<std::int64_t>(
        std::clamp(whole, -2147483648.0, 2147483647.0)));

    const double low = valueAt(item, 0);
    const double width = valueAt(item, 1) - low;
    const auto sample = [&](std::uint32_t k) {
        return low + width * static_cast<double>(HashRandom::value(seed, static_cast<std::int32_t>(k)));
    };
    const double r0 = sample(e - 1u);
    const double r1 = sample(e);
    const double r2 = sample(e + 1u);
    const double r3 = sample(e + 2u);
    // A control value that follows the neighbours unless they all lie
    // within one unit of each other.
    const auto control = [](double a, double b, double c) {
        const double ab = (a - b) * (a - b);
        const double bc = (b - c) * (b - c);
        const double ca = (c - a) * (c - a);
        if (ab + bc + ca < 1.0) return b;
        return b + 0.5 * (c - a) * (bc + ab) / (ca + bc + ab);
    };
    return bezier(r1, control(r0, r1, r2), control(r3, r2, r1), r2, s);
}

bool RandomMove::hasPath(const EffectItemNumber&) const { return false; }

TeleportationMove::TeleportationMove() {
    configure(*this, {L"瞬間移動", PerBoundary, -1, -1, -1, true, true, false, {}});
}

double TeleportationMove::getValue(const EffectItemNumber& item, const SectionPosition& position,
                                   const Render::ObjectContextBase&) const {
    return valueAt(item, position.index);
}

bool TeleportationMove::isValueUsed(const EffectItemNumber& item, int index) const {
    return index < static_cast<int>(item.values.size()) - 1;
}

SpeedMove::SpeedMove() {
    configure(*this, {L"移動量指定", PerBoundary, -1, -1, 2, true, true, false, {}});
}

double SpeedMove::getValue(const EffectItemNumber& item, const SectionPosition& position,
                           const Render::ObjectContextBase&) const {
    return valueAt(item, 0) + valueAt(item, 1) * position.offset;
}

bool SpeedMove::isValueUsed(const EffectItemNumber&, int index) const { return index == 0; }

}  // namespace Effect
