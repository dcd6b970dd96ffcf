#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/base/ObjectContextBase.h"

#include "effect/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Effect::EffectItemNumber;

class NumberValue : public ::testing::Test {
protected:
    EffectTest::Movements& movements = EffectTest::Movements::install();
    EffectTest::NumberItems numbers;
    Effect::ItemList& items = numbers.items;
    Effect::ObjectFrames object{0, 40, {10}};
    Render::ObjectContextBase context;

    EffectItemNumber& make(Effect::MovementBase* movement, std::vector<std::int32_t> values,
                           std::uint32_t flags = 0, double step = 1) {
        return numbers.make(movement, std::move(values), flags, step);
    }
    void at(int frame, double time) {
        context.frame = frame;
        context.time = time;
        context.setObjectFrames(object);
    }
};

TEST_F(NumberValue, ValueAtTheContextAtAFrameAndAtATime) {
    EffectItemNumber& item = make(movements.linear, {0, 100, 400}, 0, 0.1);  // 0, 10, 40
    at(20, 20);
    EXPECT_DOUBLE_EQ(item.getValue(context), 20);  // a third into the second section
    EXPECT_DOUBLE_EQ(item.getValueAtFrame(context, 5), 5);
    EXPECT_DOUBLE_EQ(item.getValueAtTime(context, 25.5), 25.5);
    // The frame of a fractional time is its integer part.
    EXPECT_DOUBLE_EQ(item.getValueAtTime(context, 9.5), 9.5);
    EXPECT_DOUBLE_EQ(item.getSectionTime(context, 25), 1.5);
    EXPECT_DOUBLE_EQ(item.getSectionTime(context, 5), 0.5);
}

TEST_F(NumberValue, IgnoringMidPointsMakesTheObjectOneSection) {
    EffectItemNumber& item = make(movements.linear, {0, 400}, EffectItemNumber::IgnoreMidPoints);
    at(20, 20);
    EXPECT_DOUBLE_EQ(item.getValue(context), 200);
    EXPECT_DOUBLE_EQ(item.getValueAtFrame(context, 30), 300);
    EXPECT_DOUBLE_EQ(item.getValueAtTime(context, 5.5), 55);
    EXPECT_DOUBLE_EQ(item.getSectionTime(context, 30), 0.75);
}

TEST_F(NumberValue, TimeControlAppliesOnlyToTimeControlledKinds) {
    EffectItemNumber& item = make(movements.linearSpeed, {0, 100});
    item.curve = {1.0 / 3, 0, 1.0 / 3, 0};
    EXPECT_NEAR(item.applyTimeControl(0.25), 0.15625, 1e-6);
    object = {0, 40, {}};
    at(10, 10);
    EXPECT_NEAR(item.getValue(context), 15.625, 1e-4);
    item.curve = {1, 2, 3};  // not 4k doubles
    EXPECT_EQ(item.applyTimeControl(0.25), 0.25);
    EffectItemNumber& linear = make(movements.linear, {0, 100});
    linear.curve = {1.0 / 3, 0, 1.0 / 3, 0};
    EXPECT_EQ(linear.applyTimeControl(0.25), 0.25);
}

TEST_F(NumberValue, KeyFrames) {
    object = {0, 30, {10, 20}};  // two mid-points: four boundary values
    struct Case {
        int frame;
        double time;
        int count;
        bool expected;
    };
    const Case cases[] = {
        {0, 0, 4, true},   {0, 0, 2, true},    {5, 5, 4, false},  {5, 5, 1, true},
        {10, 10, 4, true}, {10, 10, 2, false}, {10, 10, 1, true}, {20, 20, 3, false},
        {30, 30, 2, true}, {30, 30, 4, true},
        // A fraction past a boundary is no key frame.
        {10, 10.5, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "time " << c.time << " values " << c.count);
        at(c.frame, c.time);
        EffectItemNumber& item = make(movements.linear, std::vector<std::int32_t>(c.count, 0));
        EXPECT_EQ(item.isOnKeyFrame(context), c.expected);
    }
}

TEST_F(NumberValue, GroupKeyFramesUseTheLargestValueCount) {
    object = {0, 30, {10, 20}};
    EffectItemNumber& single = make(movements.noMove, {0});
    EffectItemNumber& two = make(movements.linear, {0, 0}, EffectItemNumber::IgnoreMidPoints);
    EffectItemNumber& all = make(movements.linear, {0, 0, 0, 0});
    Effect::EffectItemNumberGroup pair(items, L"P", {&single, &two}, true);
    Effect::EffectItemNumberGroup three(items, L"T", {&single, &two, &all}, true);
    Effect::EffectItemNumberGroup none(items, L"N", {}, true);
    at(10, 10);
    EXPECT_FALSE(pair.isOnKeyFrame(context));
    EXPECT_TRUE(three.isOnKeyFrame(context));
    at(5, 5);
    EXPECT_FALSE(three.isOnKeyFrame(context));
    EXPECT_TRUE(none.isOnKeyFrame(context));
}

TEST_F(NumberValue, HandleEditsAddressBoundaryValues) {
    constexpr int all = EffectItemNumber::AllValues;
    struct Case {
        Effect::MovementBase* movement;
        std::vector<std::int32_t> values;
        int section;
        std::vector<std::int32_t> expected;
    };
    // Objects with two mid-points; the value set is 7.
    const Case cases[] = {
        {movements.linear, {1, 2, 3, 4}, 0, {7, 2, 3, 4}},
        {movements.linear, {1, 2, 3, 4}, -5, {7, 2, 3, 4}},
        {movements.linear, {1, 2, 3, 4}, 2, {1, 2, 7, 4}},
        {movements.linear, {1, 2, 3, 4}, 3, {1, 2, 3, 7}},
        {movements.linear, {1, 2, 3, 4}, 9, {1, 2, 3, 7}},
        {movements.linear, {1, 2, 3, 4}, all, {7, 7, 7, 7}},
        // Two values on an object with mid-points: inner handles edit nothing.
        {movements.linear, {1, 4}, 1, {1, 4}},
        {movements.linear, {1, 4}, 3, {1, 7}},
        {movements.noMove, {1}, 2, {7}},
        // Only the values the movement uses.
        {movements.teleportation, {1, 2, 3, 4}, all, {7, 7, 7, 4}},
        {movements.teleportation, {1, 2, 3, 4}, 3, {1, 2, 3, 4}},
        {movements.speed, {1, 2}, all, {7, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "section " << c.section);
        EffectItemNumber& set = make(c.movement, c.values);
        set.setAnchorValue(c.section, 2, 7);
        EXPECT_EQ(set.values, c.expected);
        EffectItemNumber& moved = make(c.movement, c.values);
        std::vector<std::int32_t> shifted = c.values;
        for (std::size_t i = 0; i < shifted.size(); ++i)
            if (c.expected[i] != c.values[i]) shifted[i] += 5;
        EXPECT_EQ(moved.moveAnchorValue(c.section, 2, 5), shifted != c.values);
        EXPECT_EQ(moved.values, shifted);
    }
}

TEST_F(NumberValue, HandleMovesStopAtTheLimits) {
    EffectItemNumber item(items, L"X", 0, 0, 10, 1);
    item.movement = movements.linear;
    item.values = {10, 3};
    EXPECT_TRUE(item.moveAnchorValue(EffectItemNumber::AllValues, 0, 4));
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{10, 7}));
    EXPECT_FALSE(item.moveAnchorValue(0, 0, 4));
}

TEST_F(NumberValue, RandomSeedHashesTheNameAsUtf16) {
    struct Case {
        const wchar_t* name;
        double step, minimum, maximum;
        std::int32_t seed;
    };
    // Reference seeds from an independent FNV-1a over UTF-16LE bytes; the
    // last name needs a surrogate pair.
    const Case cases[] = {
        {L"X", 1, -100000, 100000, 1120782178},
        {L"拡大率", 0.01, 0, 5000, -1566591424},
        {L"𠀋", 0.001, -0.001, 0.001, -701743634},
    };
    for (const Case& c : cases) {
        Effect::ItemList list;
        const EffectItemNumber item(list, c.name, 0, c.minimum, c.maximum, c.step);
        EXPECT_EQ(item.getRandomSeed(), c.seed);
    }
}

}  // namespace
