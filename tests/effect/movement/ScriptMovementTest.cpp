#include "effect/movement/ScriptMovement.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/base/ObjectContextBase.h"

#include "effect/EffectTestSupport.h"
#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Effect::ScriptMovement;

struct Parsed {
    std::unique_ptr<ScriptMovement> movement;
    std::wstring label;
    std::vector<CoreTest::CapturedLine> warnings;
};

Parsed parse(const std::string& text, const char* language = nullptr) {
    CoreTest::LogLines log;
    Parsed parsed{std::make_unique<ScriptMovement>(L"動き", text, L"/scripts"), L"(none)", {}};
    parsed.movement->makeScriptParams(&parsed.label, language);
    parsed.warnings = log.of(System::Log::WARN);
    return parsed;
}

TEST(ScriptMovement, StartsWithTheScriptDefaults) {
    const ScriptMovement movement(L"動き", "return 0", L"/scripts");
    EXPECT_STREQ(movement.name, L"動き");
    EXPECT_EQ(movement.valueCount, Effect::MovementBase::PerBoundary);
    EXPECT_EQ(movement.accelerateOption, -1);
    EXPECT_EQ(movement.decelerateOption, -1);
    EXPECT_EQ(movement.ignoreMidPointsOption, 0);
    EXPECT_TRUE(movement.valuesAtBoundaries);
    EXPECT_TRUE(movement.inMenu);
    EXPECT_FALSE(movement.timeControlled);
    EXPECT_TRUE(movement.defaultParams.empty());
    EXPECT_TRUE(movement.defaultCurve.empty());
}

TEST(ScriptMovement, HeaderDirectives) {
    const Parsed p = parse(
        "--speed:1,0\r\n--param:30\r\n--param:0.5\r\n--label: Name\r\n--information:情報 text\n"
        "local x = 1\r--twopointX\n--timecontrol\n-- an ordinary comment\n--script:luajit");
    const ScriptMovement& m = *p.movement;
    EXPECT_EQ(m.accelerateOption, 1);
    EXPECT_EQ(m.decelerateOption, 0);
    EXPECT_EQ(m.defaultParams, (std::vector<double>{30, 0.5}));
    EXPECT_EQ(p.label, L" Name");  // the rest of the line as written
    EXPECT_EQ(m.information, L"情報 text");
    EXPECT_EQ(m.ignoreMidPointsOption, 2);  // a prefix is enough
    EXPECT_TRUE(m.timeControlled);
    EXPECT_FALSE(m.valuesAtBoundaries);
    EXPECT_EQ(m.language, "luajit");
    EXPECT_TRUE(p.warnings.empty());
}

TEST(ScriptMovement, NumberTokens) {
    struct Case {
        const char* text;
        int accelerate, decelerate;
        std::vector<double> params;
    };
    const Case cases[] = {
        {"--speed: 1 , 1", 1, 1, {}},
        {"--speed:0,5", 0, 1, {}},
        {"--speed:-3,", 0, 0, {}},
        {"--speed", 0, 0, {}},         // no ':': empty tokens count as 0
        {"--speed:2", 1, 0, {}},       // no second token
        {"--param:", -1, -1, {0}},
        {"--param:  2.5 ,7", -1, -1, {2.5}},
        {"--param:1e2", -1, -1, {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Parsed p = parse(c.text);
        EXPECT_EQ(p.movement->accelerateOption, c.accelerate);
        EXPECT_EQ(p.movement->decelerateOption, c.decelerate);
        EXPECT_EQ(p.movement->defaultParams, c.params);
        EXPECT_TRUE(p.warnings.empty());
    }
}

TEST(ScriptMovement, AMalformedLineStopsTheReadingWithAWarning) {
    const Parsed p = parse("--param:4\n--speed:x\n--param:5\n--twopoint");
    EXPECT_EQ(p.movement->defaultParams, std::vector<double>{4});
    EXPECT_EQ(p.movement->ignoreMidPointsOption, 0);
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0].tag, "Effect::ScriptMovement::makeScriptParams");
    EXPECT_EQ(p.warnings[0].text, "script params load faild [動き]\ninvalid stoi argument");
    EXPECT_EQ(parse("--param:abc").warnings.at(0).text,
              "script params load faild [動き]\ninvalid stod argument");
}

TEST(ScriptMovement, BlockCommentsHideDirectives) {
    const Parsed p = parse(
        "--[[\n--twopoint\n--param:1 ]] --param:2\n--param:3\n--[[ one line ]]\n--param:4\n"
        "--[[ never closed\n--param:5");
    EXPECT_EQ(p.movement->defaultParams, (std::vector<double>{3, 4}));
    EXPECT_EQ(p.movement->ignoreMidPointsOption, 0);
}

TEST(ScriptMovement, LanguageAndLabelDefaults) {
    EXPECT_EQ(parse("return 1", "lua").movement->language, "lua");
    EXPECT_EQ(parse("return 1").movement->language, "");
    EXPECT_EQ(parse("--script:luajit", "lua").movement->language, "luajit");
    const Parsed p = parse("--label:A");
    EXPECT_EQ(p.label, L"A");
    ScriptMovement movement(L"m", "--label:B\n--param:1", L"");
    movement.makeScriptParams(nullptr, nullptr);  // no label asked for
    EXPECT_EQ(movement.defaultParams, std::vector<double>{1});
}

TEST(ScriptMovement, AFailingScriptGivesZeroWithAWarning) {
    EffectTest::Movements::install();
    const ScriptMovement movement(L"動き", "return 1", L"");
    Effect::ItemList items;
    Effect::EffectItemNumber item(items, L"X", 5, 0, 10, 1);
    Effect::ObjectFrames object{0, 10, {}};
    Render::ObjectContextBase context;
    context.frame = 3;
    context.time = 3;
    context.setObjectFrames(object);
    CoreTest::LogLines log;
    EXPECT_EQ(movement.getValue(item, context.sectionPosition, context), 0.0);
    const auto warnings = log.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].tag, "Effect::ScriptMovement::getValue");
    EXPECT_EQ(warnings[0].text.rfind("script exception: ", 0), 0u);
}

}  // namespace
