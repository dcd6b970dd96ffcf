#include "edit/chain/EffectManager.h"

#include "edit/EditTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace EditTest;
using Edit::EffectManager;
using EffectTest::errorOf;
using EffectTest::programError;

class Chain : public ::testing::Test {
public:
    Registry registry;
    EffectManager chain{&registry.service};

    // A chain of the named effects, built without the shape rules.
    void build(const std::vector<const wchar_t*>& names) {
        chain.effectList.clear();
        for (const wchar_t* name : names) chain.effectList.push_back(registry.define(name).createEffect());
    }
    Effect::EffectDefine& define(const wchar_t* name) { return registry.define(name); }
};

TEST_F(Chain, EveryRuleViolationThrowsItsTextAndLeavesTheChainAsItWas) {
    struct Case {
        std::vector<const wchar_t*> chain;
        std::function<void(Chain&)> operation;
        const char* message;
        const char* place;
    };
    const auto input = [](const wchar_t* name) {
        return [name](Chain& t) { t.chain.setInputEffect(t.define(name)); };
    };
    const auto output = [](const wchar_t* name) {
        return [name](Chain& t) { t.chain.setOutputEffect(t.define(name)); };
    };
    const auto filter = [](const wchar_t* name) {
        return [name](Chain& t) { t.chain.setFilterEffect(t.define(name)); };
    };
    const auto control = [](const wchar_t* name) {
        return [name](Chain& t) { t.chain.setControlEffect(t.define(name)); };
    };
    const auto type = [](Chain& t) { t.chain.getObjectType(); };
    const Case cases[] = {
        {{}, type, "not exist effect.", "Edit::EffectManager::getObjectType"},
        {{kDraw, kBlur}, type, "illegal top effect.", "Edit::EffectManager::getObjectType"},
        {{}, [](Chain& t) { t.chain.setEffectByDefine(t.define(kStrange)); }, "invalid effect type.",
         "Edit::EffectManager::setEffectByDefine"},
        {{kBlur}, filter(kVolume), "different effect type.", "Edit::EffectManager::setFilterEffect"},
        {{kSound, kPlay}, filter(kBlur), "different effect type.", "Edit::EffectManager::setFilterEffect"},
        {{kCameraInput, kDraw}, filter(kBlur), "different effect type.", "Edit::EffectManager::setFilterEffect"},
        {{kSceneChange}, filter(kBlur), "different effect type.", "Edit::EffectManager::setFilterEffect"},
        {{kBlur}, input(kFigure), "different effect type.", "Edit::EffectManager::setInputEffect"},
        {{kFigure, kDraw, kVolume}, input(kSound), "different filter effect type.",
         "Edit::EffectManager::setInputEffect"},
        {{}, input(kCameraInput), "invalid input effect type.", "Effect::EffectService::getOutputEffect"},
        {{}, output(kPlay), "not exist input effect.", "Edit::EffectManager::setOutputEffect"},
        {{}, output(kLoneOutput), "not exist input effect.", "Edit::EffectManager::setOutputEffect"},
        {{}, output(kDraw), "not exist input effect.", "Edit::EffectManager::setOutputEffect"},
        {{kBlur}, output(kDraw), "different effect type.", "Edit::EffectManager::setOutputEffect"},
        {{kSound, kPlay}, output(kDraw), "different effect type.", "Edit::EffectManager::setOutputEffect"},
        {{kFigure, kDraw}, control(kGroup), "can not change control effect.",
         "Edit::EffectManager::setControlEffect"},
        {{kGroup, kBlur}, control(kSceneChange), "can not change control effect.",
         "Edit::EffectManager::setControlEffect"},
        {{kBlur}, control(kTime), "can not change control effect.", "Edit::EffectManager::setControlEffect"},
        {{kFigure, kDraw}, [](Chain& t) { t.chain.addEffect(kVolume, 0, nullptr); }, "different effect type.",
         "Edit::EffectManager::setFilterEffect"},
    };
    for (const Case& c : cases) {
        build(c.chain);
        const EffectManager::EffectList before = chain.effectList;
        SCOPED_TRACE(c.message + std::string(" ") + c.place);
        EXPECT_EQ(errorOf([&] { c.operation(*this); }), programError(c.message, c.place));
        EXPECT_EQ(chain.effectList, before);
    }
}

TEST_F(Chain, UnknownNamesFailWithTheRegistryText) {
    build({kFigure, kDraw});
    const EffectManager::EffectList before = chain.effectList;
    EXPECT_EQ(errorOf([&] { chain.addEffect(L"無い効果", 0, nullptr); }),
              "not found effect.\n\n[Note]\n無い効果\n\n[Place]\nEffect::EffectService::findEffect()");
    EXPECT_EQ(chain.effectList, before);
}

TEST_F(Chain, AnInputBringsItsDefaultOutput) {
    const std::vector<std::pair<const wchar_t*, std::vector<std::wstring>>> cases = {
        {kFigure, {kFigure, kDraw}},
        {kFrame, {kFrame, kPlain}},
        {kSound, {kSound, kPlay}},
        {kMovie, {kMovie, kMoviePlay}},
    };
    for (const auto& [name, expected] : cases) {
        EffectManager fresh(&registry.service);
        fresh.setEffectByDefine(define(name));
        EXPECT_EQ(chainNames(fresh), expected);
    }
}

TEST_F(Chain, AnOutputOnAnEmptyChainCreatesItsPairedInputFirst) {
    chain.setOutputEffect(define(kParticle));
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kParticle}));
    // Another output replaces entry 1; the same one keeps its instance.
    const auto* particle = chain.effectList[1].get();
    chain.setOutputEffect(define(kParticle));
    EXPECT_EQ(chain.effectList[1].get(), particle);
    chain.setOutputEffect(define(kDraw));
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw}));
}

TEST_F(Chain, ReplacingTheInputKeepsOutputFiltersAndASameInputsValues) {
    chain.setInputEffect(define(kFigure));
    chain.setFilterEffect(define(kBlur));
    xOf(*chain.effectList[0]).setValue(42, 0);
    const auto* figure = chain.effectList[0].get();
    chain.setInputEffect(define(kFigure));
    EXPECT_EQ(chain.effectList[0].get(), figure);
    EXPECT_EQ(xOf(*figure).values[0], 42);
    chain.setInputEffect(define(kFrame));
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFrame, kDraw, kBlur}));
}

TEST_F(Chain, ObjectTypesFollowTheFirstEffectAndTheOutput) {
    const std::vector<std::pair<std::vector<const wchar_t*>, int>> cases = {
        {{kFigure, kDraw}, 1}, {{kSound, kPlay}, 2}, {{kMovie, kMoviePlay}, 3}, {{kFigure}, 3},
        {{kBlur}, 4},          {{kVolume}, 5},       {{kFade}, 6},              {{kLight}, 6},
        {{kGroup, kBlur}, 7},  {{kSceneChange}, 7},
    };
    for (const auto& [names, type] : cases) {
        build(names);
        EXPECT_EQ(chain.getObjectType(), type) << names.size();
    }
    // Setting a filter on an empty chain makes a filter object.
    EffectManager filters(&registry.service);
    filters.setFilterEffect(define(kVolume));
    EXPECT_EQ(filters.getObjectType(), 5);
}

TEST_F(Chain, ControlsClearTheChainOnlyFromASceneLevelControl) {
    chain.setControlEffect(define(kSceneChange));
    chain.effectList.push_back(define(kBlur).createEffect());
    EXPECT_FALSE(chain.layerRangeControl);
    chain.setControlEffect(define(kTime));
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kTime}));
    EXPECT_TRUE(chain.layerRangeControl);
    chain.setControlEffect(define(kSceneChange));
    EXPECT_FALSE(chain.layerRangeControl);
    chain.setControlEffect(define(kGroup));
    EXPECT_TRUE(chain.layerRangeControl);
    chain.setFilterEffect(define(kBlur));
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kGroup, kBlur}));
}

// A script or plugin effect named like a control is no control: the chain
// knows the controls by their class.
TEST_F(Chain, OnlyControlClassesGovernLaterLayersWhateverTheirName) {
    using Impostor = EditTest::Kind<&EditTest::kGroup, Control, MK::Video>;
    chain.effectList = {std::make_shared<Impostor>()};
    chain.updateLayerRangeControl();
    EXPECT_FALSE(chain.layerRangeControl);
    for (const auto& control : std::vector<std::shared_ptr<Effect::EffectBase>>{
             std::make_shared<EditTest::GroupControl>(), std::make_shared<EditTest::CameraControl>(),
             std::make_shared<EditTest::TimeControl>()}) {
        chain.effectList = {control};
        chain.updateLayerRangeControl();
        EXPECT_TRUE(chain.layerRangeControl) << control->name;
    }
}

TEST_F(Chain, AdjustingDropsWhatNoLongerFitsAndRestoresAMissingOutput) {
    const std::vector<std::pair<std::vector<const wchar_t*>, std::vector<std::wstring>>> cases = {
        {{kMovie, kDraw, kBlur, kVolume, kFade}, {kMovie, kDraw, kBlur, kFade}},
        {{kMovie, kPlay, kBlur, kVolume, kFade}, {kMovie, kPlay, kVolume, kFade}},
        {{kMovie, kMoviePlay, kBlur, kVolume}, {kMovie, kMoviePlay, kBlur, kVolume}},
        {{kFigure, kBlur, kVolume}, {kFigure, kDraw, kBlur}},
        {{kGroup, kBlur, kLight}, {kGroup, kBlur}},
    };
    for (const auto& [names, expected] : cases) {
        build(names);
        chain.adjustEffectList();
        EXPECT_EQ(chainNames(chain), expected);
    }
}

TEST_F(Chain, FiltersMoveOnlyAmongFilters) {
    build({kFigure, kDraw, kBlur, kGlow, kFade});
    const auto blur = chain.effectList[2].get(), glow = chain.effectList[3].get(), fade = chain.effectList[4].get();
    chain.moveEffectUp(blur);  // the first filter after the output stays
    chain.moveEffectDown(fade);  // the last entry stays
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kBlur, kGlow, kFade}));
    chain.moveEffectUp(glow);
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kGlow, kBlur, kFade}));
    chain.moveEffectDown(glow);
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kBlur, kGlow, kFade}));
    chain.moveEffectUp(chain.effectList[1].get());  // the output never moves
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kBlur, kGlow, kFade}));

    // Only the last entry moves after another one; an unknown anchor takes
    // it up to right after the output.
    chain.moveEffectAfter(blur, chain.effectList[0].get());
    EXPECT_EQ(chain.effectList[2].get(), blur);
    chain.moveEffectAfter(fade, blur);
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kBlur, kFade, kGlow}));
    Blur stranger;
    chain.moveEffectAfter(glow, &stranger);
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kGlow, kBlur, kFade}));
    chain.moveEffectBefore(fade, glow);
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kFade, kGlow, kBlur}));

    chain.removeEffect(glow);
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kFade, kBlur}));
}

TEST_F(Chain, AFirstEffectIsRemovedOnlyWhenAFilterTakesItsPlace) {
    // Filter X before filter Y: X goes and Y stands first.
    build({kBlur, kGlow});
    const auto blur = chain.effectList[0];
    chain.removeEffect(blur.get());
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kGlow}));
    // A lone filter, or an input before its output, stays.
    chain.removeEffect(chain.effectList[0].get());
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kGlow}));
    build({kFigure, kDraw, kBlur});
    chain.removeEffect(chain.effectList[0].get());
    EXPECT_EQ(chainNames(chain), (std::vector<std::wstring>{kFigure, kDraw, kBlur}));
}

TEST_F(Chain, AddedEffectsTakeSavedDefaultsSectionsAndTheirPlace) {
    build({kFigure, kDraw, kBlur, kGlow});
    define(kFade).prototype->items[0]->fromString("7");  // as a defaults file leaves it
    define(kFade).defaultsLoaded = true;
    const auto* blur = chain.effectList[2].get();
    EffectManager::EffectPointer& fade = chain.addEffect(kFade, 2, blur);
    EXPECT_EQ(chain.effectList[3], fade);
    EXPECT_EQ(xOf(*fade).values, (std::vector<std::int32_t>{7}));  // no movement: one value
    xOf(*fade).fromString("1,2,直線移動,0");
    EffectManager::setEffectSectionNum(*fade, 3);
    EXPECT_EQ(xOf(*fade).values, (std::vector<std::int32_t>{1, 2, 2, 2}));
}

TEST_F(Chain, CopiesAreNewInstancesWithEqualValuesAndFlags) {
    chain.setControlEffect(define(kCamera));
    chain.setFilterEffect(define(kLight));
    xOf(*chain.effectList[1]).fromString("1,5,直線移動,0");
    chain.effectList[1]->hide = true;
    chain.effectList[0]->lock = true;
    chain.effectList[1]->disable = true;
    EffectManager copy(&registry.service);
    copy.setFilterEffect(define(kBlur));
    chain.copyEffectList(copy);
    ASSERT_EQ(chainNames(copy), chainNames(chain));
    EXPECT_TRUE(copy.layerRangeControl);
    for (std::size_t i = 0; i < chain.effectList.size(); ++i) {
        const auto& from = *chain.effectList[i];
        const auto& to = *copy.effectList[i];
        EXPECT_NE(&from, &to);
        for (std::size_t k = 0; k < from.items.size(); ++k) EXPECT_TRUE(from.items[k]->equals(*to.items[k]));
        EXPECT_EQ(std::tie(from.disable, from.hide, from.lock), std::tie(to.disable, to.hide, to.lock));
    }
}

}  // namespace
