#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/item/EffectItemLayerObject.h"
#include "effect/base/ObjectContextBase.h"

#include "effect/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>

namespace {

using Effect::EffectItemNumber;
using EffectTest::errorOf;

class NumberItem : public ::testing::Test {
protected:
    EffectTest::Movements& movements = EffectTest::Movements::install();
    Effect::ItemList items;

    EffectItemNumber& make(double step, double minimum = -100000, double maximum = 100000,
                           double defaultValue = 0) {
        owned.push_back(std::make_unique<EffectItemNumber>(items, L"X", defaultValue, minimum,
                                                           maximum, step));
        return *owned.back();
    }
    std::vector<std::unique_ptr<EffectItemNumber>> owned;
};

TEST_F(NumberItem, ConstructionRoundsToStepsAndStartsWithoutMovement) {
    EffectItemNumber& item = make(0.01, -5.555, 100, 12.345);
    EXPECT_EQ(item.type, Effect::ItemType::Number);
    EXPECT_EQ(item.scale, 100);
    EXPECT_EQ(item.defaultValue, 1235);  // halves away from zero
    EXPECT_EQ(item.minimum, -556);
    EXPECT_EQ(item.maximum, 10000);
    EXPECT_EQ(item.movement, movements.noMove);
    EXPECT_EQ(item.values, std::vector<std::int32_t>{1235});
    EXPECT_EQ(item.flags, 0u);
    EXPECT_TRUE(item.visible);
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0], &item);
}

TEST_F(NumberItem, AStepAboveOneCountsInWholeUnitsEverywhere) {
    // Step 5, default 10, range -20..60: every stored value is the value.
    EffectItemNumber& item = make(5, -20, 60, 10);
    EXPECT_EQ(std::tie(item.scale, item.defaultValue, item.minimum, item.maximum), std::tuple(1, 10, -20, 60));
    EXPECT_EQ(item.values, std::vector<std::int32_t>{10});
    EXPECT_EQ(item.toString(), "10");

    item.setValue(60, 0);
    EXPECT_EQ(item.values[0], 60);
    item.setValue(75, 0);  // clamped to the maximum, not to 60 / 5
    EXPECT_EQ(item.values[0], 60);
    item.setValue(-100, 0);
    EXPECT_EQ(item.values[0], -20);
    EXPECT_FALSE(item.moveValue(-5, 0));
    EXPECT_TRUE(item.moveValue(25, 0));
    EXPECT_EQ(item.values[0], 5);

    item.fromString("15,45,直線移動,0");
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{15, 45}));
    EXPECT_EQ(item.toString(), "15,45,直線移動,0");
    EffectItemNumber& back = make(5, -20, 60, 10);
    back.fromString(item.toString());
    EXPECT_EQ(back.values, item.values);

    // Halfway through the object the value is halfway between them.
    const Effect::ObjectFrames object{0, 10, {}};
    Render::ObjectContextBase context;
    context.frame = 5;
    context.time = 5;
    context.setObjectFrames(object);
    EXPECT_DOUBLE_EQ(item.getValue(context), 30.0);
    EXPECT_DOUBLE_EQ(item.getValueAtFrame(context, 10), 45.0);
}

TEST_F(NumberItem, ExactDecimalPerScale) {
    struct Case {
        double step;
        std::int32_t stored;
        const char* text;
    };
    const Case cases[] = {
        {0.01, 5, "0.05"},      {0.01, 150, "1.50"},       {0.01, 0, "0.00"},
        {0.01, -5, "-0.05"},    {0.01, -150, "-1.50"},     {1, 42, "42"},
        {1, -7, "-7"},          {1, INT_MIN, "-2147483648"}, {0.1, 12345, "1234.5"},
        {0.1, -1, "-0.1"},      {0.001, 1, "0.001"},       {0.001, -1234, "-1.234"},
        {0.001, 100000000, "100000.000"},
        // Steps that are not powers of ten write the value itself.
        {0.5, 3, "1.5"},        {0.25, -1, "-0.25"},       {1.0 / 3, 1, "0.33333333333333331"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EffectItemNumber& item = make(c.step, INT_MIN, INT_MAX);
        item.values = {c.stored};
        EXPECT_EQ(item.formatValue(0), c.text);
        EXPECT_EQ(item.toString(), c.text);
        EffectItemNumber& back = make(c.step, INT_MIN, INT_MAX);
        back.scale = item.scale;
        back.minimum = INT_MIN;
        back.maximum = INT_MAX;
        back.fromString(item.toString());
        EXPECT_EQ(back.values, item.values);
    }
}

TEST_F(NumberItem, TextFormsRoundTrip) {
    struct Case {
        const char* name;
        std::function<void(EffectItemNumber&)> setUp;
        const char* text;
    };
    const Case cases[] = {
        {"single value", [](EffectItemNumber&) {}, "0.00"},
        {"linear",
         [&](EffectItemNumber& i) {
             i.movement = movements.linear;
             i.values = {0, 150, -5};
         },
         "0.00,1.50,-0.05,直線移動,0"},
        {"flags",
         [&](EffectItemNumber& i) {
             i.movement = movements.linear;
             i.values = {100, 200};
             i.flags = 5;
         },
         "1.00,2.00,直線移動,5"},
        {"fixed count",
         [&](EffectItemNumber& i) {
             i.movement = movements.movieRange;
             i.values = {0, 12345};
         },
         "0.00,123.45,再生範囲,0"},
        {"parameters",
         [&](EffectItemNumber& i) {
             i.movement = movements.random;
             i.values = {0, 100};
             i.params = {1.5, 2, -0.25};
         },
         "0.00,1.00,ランダム移動,0|1.5,2,-0.25"},
        {"curve",
         [&](EffectItemNumber& i) {
             i.movement = movements.linearSpeed;
             i.values = {0, 10000};
             i.curve = {0, 0, 0.25, 0.5, 1, 1, 0.125, 1};
         },
         "0.00,100.00,直線移動(時間制御),0|0,0,0.25,0.5,1,1,0.125,1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EffectItemNumber& item = make(0.01);
        c.setUp(item);
        EXPECT_EQ(item.toString(), c.text);
        EffectItemNumber& back = make(0.01);
        back.fromString(c.text);
        EXPECT_TRUE(back.equals(item)) << back.toString();
    }
}

TEST_F(NumberItem, ReadingFieldRules) {
    struct Case {
        const char* text;
        Effect::MovementBase* movement;
        std::vector<std::int32_t> values;
        std::uint32_t flags;
        std::vector<double> params;
        std::vector<double> curve;
    };
    const Case cases[] = {
        // The single-value form reads the number and ignores what follows.
        {"12.345", movements.noMove, {1235}, 0, {}, {}},
        {"5|1,2", movements.noMove, {500}, 0, {}, {}},
        {" -1.5xyz", movements.noMove, {-150}, 0, {}, {}},
        {"1,2,直線移動,3", movements.linear, {100, 200}, 3, {}, {}},
        {"1,直線移動,0", movements.linear, {100}, 0, {}, {}},
        // Ignoring mid-points keeps two values: fields beyond them are ignored.
        {"1,2,3,直線移動,4", movements.linear, {100, 200}, 4, {}, {}},
        // A fixed count takes the first values; the rest is ignored.
        {"1,2,3,再生範囲,0", movements.movieRange, {100, 200}, 0, {}, {}},
        // Values the text lacks keep what the resize gave them.
        {"1,再生範囲,0", movements.movieRange, {100, 0}, 0, {}, {}},
        // Parameters and curve only as the movement declares them.
        {"0,1,ランダム移動,0|15,3", movements.random, {0, 100}, 0, {15, 3}, {}},
        {"0,1,直線移動(時間制御),0|0,0,1,1", movements.linearSpeed, {0, 100}, 0, {}, {0, 0, 1, 1}},
        {"0,1,直線移動,0|1,2|3", movements.linear, {0, 100}, 0, {}, {}},
        // Values beyond the range are clamped when set.
        {"-999999,999999,直線移動,0", movements.linear, {-10000000, 10000000}, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EffectItemNumber& item = make(0.01);
        item.params = {7};
        item.curve = {9};
        item.fromString(c.text);
        EXPECT_EQ(item.movement, c.movement);
        EXPECT_EQ(item.values, c.values);
        EXPECT_EQ(item.flags, c.flags);
        if (c.movement != movements.noMove) {
            EXPECT_EQ(item.params, c.params);
        }
        EXPECT_EQ(item.curve, c.curve);
    }
}

TEST_F(NumberItem, MalformedTextsThrowAndLeaveTheItemAsItWas) {
    struct Case {
        const char* text;
        std::string error;
    };
    const Case cases[] = {
        {"直線移動,0", EffectTest::programError("invalid effect parameter.",
                                                "Effect::EffectItemNumber::fromString")},
        {"1,2,無い移動,0",
         EffectTest::programError("not found movement.", "Effect::EffectService::findMovement")},
        {"", "invalid stod argument"},
        {"abc", "invalid stod argument"},
        {"1e999", "stod argument out of range"},
        {"1,2,直線移動,x", "invalid stoi argument"},
        {"1,2,直線移動,99999999999", "stoi argument out of range"},
        {"1,x,直線移動,0", "invalid stod argument"},
        {"0,1,ランダム移動,0|15,x", "invalid stod argument"},
        {"0,1,直線移動(時間制御),0|", "invalid stod argument"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EffectItemNumber& item = make(0.01);
        item.fromString("1,2,3,補間移動,1|0.5");
        const std::string before = item.toString();
        auto copy = item.clone();
        EXPECT_EQ(errorOf([&] { item.fromString(c.text); }), c.error);
        EXPECT_EQ(item.toString(), before);
        EXPECT_TRUE(item.equals(*copy));
    }
}

TEST_F(NumberItem, SetValueRoundsAndClamps) {
    EffectItemNumber& item = make(0.01, -10, 100);
    item.movement = movements.linear;
    item.values = {0, 0};
    struct Case {
        double value;
        int index;
        std::vector<std::int32_t> values;
    };
    const Case cases[] = {
        {1.234, 0, {123, 0}},
        {-0.025, 1, {123, -3}},  // halves away from zero
        {150, 0, {10000, -3}},
        {-20, 1, {10000, -1000}},
        {5, 2, {10000, -1000}},   // beyond the list: ignored
        {5, -1, {10000, -1000}},
        {1e12, 1, {10000, 10000}},  // beyond the int range still lands on the bound
        {-1e300, 0, {-1000, 10000}},
        {std::nan(""), 0, {-1000, 10000}},
    };
    for (const Case& c : cases) {
        item.setValue(c.value, c.index);
        EXPECT_EQ(item.values, c.values) << c.value << " at " << c.index;
    }
}

TEST_F(NumberItem, MoveValueStopsAtTheBoundsAndReportsChanges) {
    EffectItemNumber& item = make(0.1, 0, 10);
    item.values = {95};
    EXPECT_TRUE(item.moveValue(1.0, 0));
    EXPECT_EQ(item.values[0], 100);
    EXPECT_FALSE(item.moveValue(1.0, 0));
    EXPECT_FALSE(item.moveValue(1e300, 0));
    EXPECT_TRUE(item.moveValue(-1e300, 0));
    EXPECT_EQ(item.values[0], 0);
    EXPECT_FALSE(item.moveValue(0.04, 0));  // less than half a step
    EXPECT_TRUE(item.moveValue(0.05, 0));
    EXPECT_EQ(item.values[0], 1);
    EXPECT_FALSE(item.moveValue(1.0, 1));
    EXPECT_FALSE(item.moveValue(std::nan(""), 0));
}

TEST_F(NumberItem, ValueListFollowsMovementAndBoundaries) {
    EffectItemNumber& item = make(1);
    item.setMovement(*movements.linear);
    EXPECT_EQ(item.values.size(), 1u);  // per-boundary movements keep the list
    EXPECT_EQ(item.resizeValueList(5), 5);  // three mid-points
    item.values = {1, 2, 3, 4, 5};
    item.flags = EffectItemNumber::IgnoreMidPoints;
    EXPECT_EQ(item.resizeValueList(5), 2);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{1, 5}));
    item.flags = 0;
    item.values = {1, 2, 3, 4};
    EXPECT_EQ(item.resizeValueList(2), 2);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{1, 4}));
    item.values = {1, 2};
    EXPECT_EQ(item.resizeValueList(4), 4);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{1, 2, 2, 2}));

    item.setMovement(*movements.movieRange);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(item.resizeValueList(7), 2);
    item.setMovement(*movements.noMove);
    EXPECT_EQ(item.values, std::vector<std::int32_t>{1});
}

TEST_F(NumberItem, AdjustToMovementTakesItsDefaults) {
    EffectItemNumber& item = make(1, -100, 100, 7);
    item.setMovement(movements[L"補間移動"]);
    item.values = {1, 2, 3};
    item.curve = {1, 2, 3, 4};
    item.adjustToMovement(3);
    EXPECT_EQ(item.flags, EffectItemNumber::Accelerate | EffectItemNumber::Decelerate);
    EXPECT_TRUE(item.curve.empty());
    EXPECT_EQ(item.values.size(), 3u);

    item.setMovement(*movements.random);
    item.adjustToMovement(3);
    EXPECT_EQ(item.flags, EffectItemNumber::IgnoreMidPoints);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(item.params, std::vector<double>{15});

    item.params.clear();
    EXPECT_EQ(item.getMovementParams(), std::vector<double>{15});
    item.params = {4};
    EXPECT_EQ(item.getMovementParams(), std::vector<double>{4});
}

TEST_F(NumberItem, SectionValuesFollowSectionEdits) {
    EffectItemNumber& item = make(0.01, -100, 100, 1);
    item.setMovement(*movements.linear);
    item.values = {0, 1000};
    item.insertSectionValue(0, nullptr);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{0, 100, 1000}));
    const EffectItemNumber::CapturedValue captured{2.5, -1};
    item.insertSectionValue(5, &captured);  // never after the end value
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{0, 100, 250, 1000}));
    const EffectItemNumber::CapturedValue atSection{-3, -4};
    item.insertSectionValue(1, &atSection);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{-300, 0, 100, 250, 1000}));
    item.setSectionValue(9, nullptr);
    EXPECT_EQ(item.values.back(), 100);
    item.setSectionValue(-2, &captured);
    EXPECT_EQ(item.values.front(), 250);

    item.flags = EffectItemNumber::IgnoreMidPoints;
    item.insertSectionValue(0, nullptr);
    EXPECT_EQ(item.values.size(), 5u);
    item.flags = 0;
    item.setMovement(*movements.noMove);
    item.setSectionValue(0, &atSection);  // not per boundary: unchanged
    EXPECT_EQ(item.values, std::vector<std::int32_t>{250});
}

TEST_F(NumberItem, ClampValueIndex) {
    EffectItemNumber& item = make(1);
    item.values = {1, 2, 3};
    EXPECT_EQ(item.clampValueIndex(-5), 0);
    EXPECT_EQ(item.clampValueIndex(1), 1);
    EXPECT_EQ(item.clampValueIndex(3), 2);
    item.values.clear();
    EXPECT_EQ(errorOf([&] { item.clampValueIndex(0); }),
              EffectTest::programError("item value index out of range.",
                                       "Effect::EffectItemNumber::clampValueIndex"));
}

TEST_F(NumberItem, CompareCopyAndClone) {
    EffectItemNumber& a = make(0.01);
    EffectItemNumber& b = make(0.01);
    a.movement = b.movement = movements.random;
    a.values = b.values = {1, 2};
    a.params = b.params = {1, 2};
    EXPECT_TRUE(a.equals(b));
    a.params = b.params = {std::nan("")};
    EXPECT_FALSE(a.equals(b));
    EXPECT_FALSE(a.equals(a));
    a.params = b.params = {};
    a.curve = {1};
    EXPECT_FALSE(a.equals(b));
    a.curve = {};
    a.flags = 2;
    EXPECT_FALSE(a.equals(b));

    a.visible = false;
    a.valueBoxText = L"text";
    a.notifyChange = true;
    a.movementMenuCallback = [](std::vector<Effect::MovementDefine*>& list) { list.clear(); };
    b.copyFrom(a);
    EXPECT_TRUE(b.equals(a));
    EXPECT_TRUE(b.visible);  // copying takes values only
    EXPECT_EQ(b.valueBoxText, nullptr);
    EXPECT_FALSE(b.movementMenuCallback);

    const std::size_t count = items.size();
    std::unique_ptr<Effect::EffectItem> clone = a.clone();
    EXPECT_EQ(items.size(), count);  // a clone joins no list
    auto& copy = dynamic_cast<EffectItemNumber&>(*clone);
    EXPECT_TRUE(copy.equals(a));
    EXPECT_FALSE(copy.visible);
    EXPECT_EQ(copy.valueBoxText, a.valueBoxText);
    EXPECT_TRUE(copy.movementMenuCallback);
    EXPECT_TRUE(copy.notifyChange);
    EXPECT_EQ(copy.name, L"X");
}

TEST_F(NumberItem, LegacyValueWithNumberFlagReadsTheText) {
    EffectItemNumber& item = make(0.1);
    item.loadQroValue("2.5", L"x", L"effect", true);
    EXPECT_EQ(item.values, std::vector<std::int32_t>{25});
    // Without a track-mode table the movement is the script named after "@".
    item.loadQroValue("1,2,0@直線移動", L"x", L"effect", false);
    EXPECT_EQ(item.values, (std::vector<std::int32_t>{10, 20}));
}

TEST_F(NumberItem, GroupMembersAndLabel) {
    Effect::ItemList list;
    EffectItemNumber x(list, L"X", 0, -10, 10, 1);
    EffectItemNumber y(list, L"Y", 0, -10, 10, 1);
    EffectItemNumber z(list, L"Z", 0, -10, 10, 1);
    Effect::EffectItemNumberGroup group(list, L"Group", {&x, &y, &z}, true);
    EXPECT_EQ(group.type, Effect::ItemType::NumberGroup);
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(x.group, &group);
    EXPECT_EQ(group.getLabel(), L"[X,Y,Z]");
    EXPECT_EQ(&x.getGroupItem(1), &y);
    EXPECT_EQ(&x.getGroupItem(-1), &z);
    EXPECT_EQ(&z.getGroupItem(4), &x);
    y.movement = movements.linear;
    EXPECT_EQ(&x.getGroupItem(1), &x);
    y.movement = movements.noMove;
    y.flags = 1;
    EXPECT_EQ(&x.getGroupItem(1), &x);
    group.linked = false;
    EXPECT_EQ(&x.getGroupItem(2), &x);

    EXPECT_EQ(group.toString(), "0");
    group.fromString("7");
    EXPECT_TRUE(group.linked);
    EXPECT_EQ(group.toString(), "1");
    EXPECT_EQ(errorOf([&] { group.fromString("yes"); }), "invalid stoi argument");
    auto clone = group.clone();
    EXPECT_EQ(dynamic_cast<Effect::EffectItemNumberGroup&>(*clone).members, group.members);
}

TEST_F(NumberItem, LayerObjectOwnsItsCoordinates) {
    Effect::ItemList list;
    Effect::EffectItemLayerObject layer(list, 0, 0, 1000, 1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(layer.name, L"目標レイヤー");
    EXPECT_EQ(layer.type, Effect::ItemType::Number);
    EXPECT_EQ(layer.coordinateItems.size(), 4u);
    EXPECT_TRUE(layer.coordinates.linked);
    EXPECT_EQ(layer.x.group, &layer.coordinates);
    EXPECT_EQ(layer.z.scale, 100);
    EXPECT_EQ(layer.z.maximum, 10000000);
    layer.fromString("12");
    EXPECT_EQ(layer.toString(), "12");
}

}  // namespace
