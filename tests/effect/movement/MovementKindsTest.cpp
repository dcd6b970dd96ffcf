#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementKinds.h"
#include "effect/base/ObjectContextBase.h"

#include "effect/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Expected numbers come from the formulas worked out by hand or by an
// independent script, never from this code.
namespace {

using Effect::EffectItemNumber;

class Movement : public ::testing::Test {
protected:
    EffectTest::Movements& movements = EffectTest::Movements::install();
    EffectTest::NumberItems numbers;
    Effect::ItemList& items = numbers.items;
    Effect::ObjectFrames object;
    Render::ObjectContextBase context;

    EffectItemNumber& item(Effect::MovementBase* movement, std::vector<std::int32_t> values,
                           std::uint32_t flags = 0, const wchar_t* name = L"X") {
        return numbers.make(movement, std::move(values), flags, 1, name);
    }
    void place(int start, int end, std::vector<int> boundaries) {
        object = {start, end, std::move(boundaries)};
    }
    double at(const EffectItemNumber& number, double time) {
        context.frame = static_cast<int>(time);
        context.time = time;
        context.setObjectFrames(object);
        return number.getValue(context);
    }
};

constexpr std::uint32_t Accelerate = EffectItemNumber::Accelerate;
constexpr std::uint32_t Decelerate = EffectItemNumber::Decelerate;
constexpr std::uint32_t IgnoreMidPoints = EffectItemNumber::IgnoreMidPoints;

TEST_F(Movement, PrototypesCarryTheirOptions) {
    struct Row {
        Effect::MovementBase* movement;
        const wchar_t* name;
        int count, accelerate, decelerate, ignore;
        bool anyFrame, inMenu, timeControlled;
        std::vector<double> params;
    };
    const Row rows[] = {
        {movements.noMove, L"移動無し", 1, -1, -1, 0, true, true, false, {}},
        {movements.movieRange, L"再生範囲", 2, -1, -1, 0, true, false, false, {}},
        {movements.linear, L"直線移動", -1, 0, 0, 0, true, true, false, {}},
        {movements.linearSpeed, L"直線移動(時間制御)", -1, 0, 0, 0, false, true, true, {}},
        {movements.interpolation, L"補間移動", -1, 1, 1, -1, true, true, false, {}},
        {movements.interpolationSpeed, L"補間移動(時間制御)", -1, -1, -1, -1, false, true, true, {}},
        {movements.random, L"ランダム移動", -1, -1, -1, 2, true, true, false, {15.0}},
        {movements.teleportation, L"瞬間移動", -1, -1, -1, -1, true, true, false, {}},
        {movements.speed, L"移動量指定", -1, -1, -1, 2, true, true, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(row.name)));
        const Effect::MovementBase& m = *row.movement;
        EXPECT_STREQ(m.name, row.name);
        EXPECT_EQ(m.valueCount, row.count);
        EXPECT_EQ(m.accelerateOption, row.accelerate);
        EXPECT_EQ(m.decelerateOption, row.decelerate);
        EXPECT_EQ(m.ignoreMidPointsOption, row.ignore);
        EXPECT_EQ(m.valuesAtBoundaries, row.anyFrame);
        EXPECT_EQ(m.inMenu, row.inMenu);
        EXPECT_EQ(m.timeControlled, row.timeControlled);
        EXPECT_EQ(m.defaultParams, row.params);
        EXPECT_TRUE(m.defaultCurve.empty());
    }
}

TEST_F(Movement, LinearMoveEasesOnlyTheObjectsEnds) {
    struct Case {
        std::vector<std::int32_t> values;
        std::vector<int> boundaries;
        std::uint32_t flags;
        double time;
        double expected;
    };
    const Case cases[] = {
        {{0, 100}, {}, 0, 5, 50},
        {{0, 100}, {}, 0, 2.5, 25},
        // One option: the other control point stays at the midpoint.
        {{0, 100}, {}, Accelerate, 5, 31.25},
        {{0, 100}, {}, Decelerate, 5, 68.75},
        {{0, 100}, {}, Accelerate | Decelerate, 5, 50},
        {{0, 100}, {}, Accelerate | Decelerate, 2.5, 15.625},
        {{0, 100, 300}, {10}, 0, 15, 150},
        // The middle boundary is no end of the object: no easing there.
        {{0, 100, 300}, {10}, Accelerate, 15, 150},
        {{0, 100, 300}, {10}, Decelerate, 15, 173.4375},
        {{0, 100, 300}, {10}, 0, 30, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flags " << c.flags << " time " << c.time);
        place(0, c.boundaries.empty() ? 10 : 30, c.boundaries);
        EXPECT_DOUBLE_EQ(at(item(movements.linear, c.values, c.flags), c.time), c.expected);
    }
}

TEST_F(Movement, LinearSpeedPlacesByPathLength) {
    place(0, 100, {50});
    EffectItemNumber& plain = item(movements.linearSpeed, {0, 10, 30});
    EXPECT_DOUBLE_EQ(at(plain, 50), 15);  // a quarter into the second segment
    EXPECT_EQ(plain.movement->getSectionIndex(plain, context.sectionPosition), 1);
    EXPECT_DOUBLE_EQ(at(plain, 0), 0);
    EXPECT_DOUBLE_EQ(at(plain, 100), 30);

    // The eased first segment counts double: T = 0.5 ends it exactly.
    EffectItemNumber& eased = item(movements.linearSpeed, {0, 10, 30}, Accelerate);
    EXPECT_DOUBLE_EQ(at(eased, 50), 10);
    EXPECT_EQ(eased.movement->getSectionIndex(eased, context.sectionPosition), 0);

    // Snap points: running sums over the whole (doubled) length.
    const auto positions = [&](const EffectItemNumber& number) {
        return number.movement->getSectionPositions(object, number);
    };
    EXPECT_EQ(positions(plain), std::vector<double>{10.0 / 30.0});
    EXPECT_EQ(positions(eased), std::vector<double>{0.5});
    EXPECT_TRUE(positions(item(movements.linearSpeed, {0, 10})).empty());
    EXPECT_TRUE(positions(item(movements.linearSpeed, {5, 5, 5})).empty());
}

TEST_F(Movement, LinearSpeedContinuesPastTheEndOfAnOvershootingCurve) {
    place(0, 100, {50});
    EffectItemNumber& number = item(movements.linearSpeed, {0, 10, 30});
    // Key points (0, 0) and (1, 1.2): T = 1.2 at the end.
    number.curve = {0, 0, 0, 0, 1, 1.2, 0, 0};
    EXPECT_DOUBLE_EQ(at(number, 100), 36);  // s = 1.3 on the last segment
}

TEST_F(Movement, SpeedKindsMeasureTheLinkedGroupsPath) {
    place(0, 100, {50});
    EffectItemNumber& x = item(movements.linearSpeed, {0, 3, 3}, 0, L"X");
    EffectItemNumber& y = item(movements.linearSpeed, {0, 4, 14}, 0, L"Y");
    EffectItemNumber& z = item(movements.linearSpeed, {0, 0, 0}, 0, L"Z");
    Effect::EffectItemNumberGroup group(items, L"XYZ", {&x, &y, &z}, true);
    // Segments 5 and 10 in space: half the path is a quarter into the second.
    EXPECT_DOUBLE_EQ(at(x, 50), 3);
    EXPECT_DOUBLE_EQ(at(y, 50), 6.5);
    EXPECT_DOUBLE_EQ(at(z, 50), 0);
    EXPECT_EQ(x.movement->getSectionPositions(object, x), std::vector<double>{5.0 / 15.0});
    // Unlinked, each item measures its own values.
    group.linked = false;
    EXPECT_DOUBLE_EQ(at(y, 50), 7);
    // A member with other flags stands in for itself: x measures (x, x, z).
    group.linked = true;
    y.flags = Decelerate;
    EXPECT_DOUBLE_EQ(at(x, 50), 1.5);
    EXPECT_EQ(x.movement->getSectionPositions(object, x), std::vector<double>{1.0});
}

TEST_F(Movement, InterpolationMoveFollowsTheSectionLengths) {
    struct Case {
        std::uint32_t flags;
        double time;
        double expected;
    };
    const Case cases[] = {
        {0, 0, 0},
        {0, 1, 11.553516186292613},
        {0, 5, 67.21843372691761},
        {0, 10, 100},
        {0, 20, 79.23851013183594},
        {0, 29, 53.21058533110619},
        {0, 30, 50},
        // Accelerate: the start tangent is zero, so the curve leaves slowly.
        {Accelerate, 1, 3.5046247269531263},
        {Accelerate, 5, 57.010650634765625},
        {Accelerate, 20, 79.23851013183594},
        {Accelerate | Decelerate, 20, 71.49467468261719},
        {Accelerate | Decelerate, 29, 50.42862529406547},
    };
    place(0, 30, {10});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flags " << c.flags << " time " << c.time);
        EXPECT_NEAR(at(item(movements.interpolation, {0, 100, 50}, c.flags), c.time), c.expected,
                    1e-9);
    }
}

TEST_F(Movement, InterpolationSpeedIsASmoothPathAtConstantSpeed) {
    struct Case {
        std::vector<std::int32_t> values;
        double time;
        double expected;
    };
    const Case cases[] = {
        {{0, 10, 30}, 0, 0},
        {{0, 10, 30}, 25, 7.8607177734375},
        {{0, 10, 30}, 50, 15.035400390625},
        {{0, 10, 30}, 75, 22.445294857025146},
        {{0, 10, 30}, 100, 30},
        {{0, 100}, 25, 25.05715820312499},
        {{0, 100}, 75, 74.942841796875},
        // One stored value (from an old file) is held.
        {{42}, 60, 42},
    };
    place(0, 100, {});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.values.size() << " values, time " << c.time);
        EXPECT_NEAR(at(item(movements.interpolationSpeed, c.values), c.time), c.expected, 1e-9);
    }
    EffectItemNumber& three = item(movements.interpolationSpeed, {0, 10, 30});
    EXPECT_EQ(three.movement->getSectionPositions(object, three), std::vector<double>{10.0 / 30.0});
    context.frame = 50;
    context.time = 50;
    context.setObjectFrames(object);
    EXPECT_EQ(three.movement->getSectionIndex(three, context.sectionPosition), 1);
}

TEST_F(Movement, RandomMoveIsARepeatableWalkOverSamplesPerPeriod) {
    // Seed of "X" with scale 1 and limits -100000..100000: 1120782178.
    place(100, 400, {});
    context.layer = 3;
    struct Case {
        int copy;
        double time;
        double expected;
    };
    const Case cases[] = {
        {0, 100, 1.2587212957441807},    // exactly the sample of period 0
        {0, 107.5, 3.0120640513791095},
        {0, 130, 19.602178037166595},    // exactly the sample of period 2
        {1, 107.5, 95.12490152939208},   // another copy moves differently
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "copy " << c.copy << " time " << c.time);
        context.index = c.copy;
        EXPECT_NEAR(at(item(movements.random, {0, 100}), c.time), c.expected, 1e-9);
    }
    context.index = 0;
    EffectItemNumber& number = item(movements.random, {0, 100});
    EXPECT_FALSE(number.movement->hasPath(number));
    // A period of 30 frames: frame 130 is the end of the first period.
    number.params = {30.9};
    EXPECT_NEAR(at(number, 130), 25.050973892211914, 1e-9);
    // Periods below one frame count as one.
    number.params = {0.2};
    EXPECT_NEAR(at(number, 102), 19.602178037166595, 1e-9);
}

TEST_F(Movement, RandomMoveOverTheWholeObjectIgnoresSections) {
    place(100, 400, {10, 20});
    context.layer = 3;
    EffectItemNumber& number = item(movements.random, {0, 100, 50, 100}, IgnoreMidPoints);
    number.values = {0, 100};
    EXPECT_NEAR(at(number, 130), 19.602178037166595, 1e-9);
}

TEST_F(Movement, TeleportationHoldsTheSectionStartAndNeverShowsTheLast) {
    place(0, 20, {10});
    EffectItemNumber& number = item(movements.teleportation, {1, 2, 3});
    for (const double time : {0.0, 5.0, 9.5}) EXPECT_DOUBLE_EQ(at(number, time), 1);
    for (const double time : {10.0, 15.0, 20.0}) EXPECT_DOUBLE_EQ(at(number, time), 2);
    EXPECT_TRUE(number.movement->isValueUsed(number, 0));
    EXPECT_TRUE(number.movement->isValueUsed(number, 1));
    EXPECT_FALSE(number.movement->isValueUsed(number, 2));
}

TEST_F(Movement, SpeedMoveAddsAnAmountPerFrame) {
    place(100, 200, {3});
    EffectItemNumber& number = item(movements.speed, {10, 2}, IgnoreMidPoints);
    EXPECT_DOUBLE_EQ(at(number, 105), 20);
    EXPECT_DOUBLE_EQ(at(number, 105.5), 21);
    EXPECT_TRUE(number.movement->isValueUsed(number, 0));
    EXPECT_FALSE(number.movement->isValueUsed(number, 1));
}

TEST_F(Movement, FixedCountKindsShowTheFirstValue) {
    place(0, 10, {});
    EXPECT_DOUBLE_EQ(at(item(movements.noMove, {7}), 5), 7);
    EXPECT_DOUBLE_EQ(at(item(movements.movieRange, {3, 9}), 5), 3);
}

TEST_F(Movement, BaseAnswersOfKindsThatDoNotOverride) {
    place(0, 40, {10, 25});
    EffectItemNumber& number = item(movements.linear, {0, 1, 2, 3});
    const Effect::MovementBase& linear = *movements.linear;
    EXPECT_EQ(linear.getSectionPositions(object, number), (std::vector<double>{0.25, 0.625}));
    context.frame = 12;
    context.time = 12;
    context.setObjectFrames(object);
    EXPECT_EQ(linear.getSectionIndex(number, context.sectionPosition), -1);
    EXPECT_TRUE(linear.isValueUsed(number, 3));
    EXPECT_TRUE(linear.hasPath(number));
    place(5, 5, {});
    EXPECT_TRUE(linear.getSectionPositions(object, number).empty());
}

TEST_F(Movement, AnEmptyValueListRaisesTheIndexError) {
    place(0, 10, {});
    EffectItemNumber& number = item(movements.linear, {});
    EXPECT_EQ(EffectTest::errorOf([&] { at(number, 5); }),
              EffectTest::programError("item value index out of range.",
                                       "Effect::EffectItemNumber::clampValueIndex"));
}

}  // namespace
