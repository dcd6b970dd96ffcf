#include "effect/item/LegacyTrack.h"

#include "effect/EffectConfTestSupport.h"
#include "effect/EffectTestSupport.h"
#include "effect/item/EffectItemNumber.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using EffectTest::errorOf;

// Modes 0 to 3 named here; 4 and 5 come from the shipped table; 6 to 15
// have no movement. Mode 3 ignores mid-points.
const char* const kEffectConf =
    "[OldScript.trackmode]\r\n0=移動無し\r\n1=直線移動\r\n2=補間移動\r\n3=瞬間移動\r\nSingleSection=3\r\n";

class LegacyTrack : public ::testing::Test {
protected:
    EffectTest::Movements& movements = EffectTest::Movements::install();
    CoreTest::ProgramFolder folder;
    EffectTest::EffectConf conf{folder, kEffectConf};
};

TEST_F(LegacyTrack, TracksBecomeTheNumberTextForm) {
    struct Case {
        std::string legacy;
        std::string converted;
    };
    const std::vector<Case> cases = {
        {"100", "100"},
        {"1.5,-2", "1.5,-2"},                                  // two pieces stay as they are
        {"1.5,-2,0", "1.5,-2,移動無し,0"},
        {"10,20, 1 ", "10,20,直線移動,0"},                       // blanks around the mode
        {"10,20,65", "10,20,直線移動,1"},                        // 64: accelerate
        {"10,20,96", "10,20,移動無し,3"},                        // 64 + 32: accelerate and decelerate
        {"10,20,35", "10,20,瞬間移動,6"},                        // 32 + 3: decelerate, the single-section mode
        {"10,20,19", "10,20,瞬間移動,4"},                        // bit 4 means nothing
        {"10,20,7@揺れ", "10,20,揺れ,0"},                        // no movement for 7: the script
        {"10,20,7", "10,20,,0"},
        {"10,20,2@揺れ,30", "10,20,補間移動,0|30"},              // the table wins over the script
        {"10,20,1,30,99", "10,20,直線移動,0|30"},                // a fifth piece is dropped
        {"10,20,1\x01tail", "10,20,直線移動,0"},                 // a control character ends the mode
        {"10,20,-1", "10,20,,3"},                                // -1: low bits 15, bits 5 and 6 set
        {"10,20,4", "10,20,移動量指定,0"},                       // from the shipped table
    };
    for (const Case& c : cases) EXPECT_EQ(Effect::convertLegacyTrack(c.legacy), c.converted) << c.legacy;
}

TEST_F(LegacyTrack, ModesThatAreNotNumbersFail) {
    EXPECT_EQ(errorOf([] { Effect::convertLegacyTrack("1,2,x"); }), "invalid stoi argument");
    EXPECT_EQ(errorOf([] { Effect::convertLegacyTrack("1,2,@揺れ"); }), "invalid stoi argument");
    EXPECT_EQ(errorOf([] { Effect::convertLegacyTrack("1,2,99999999999"); }), "stoi argument out of range");
}

TEST_F(LegacyTrack, NumberItemsReadLegacyTracks) {
    Effect::ItemList items;
    Effect::EffectItemNumber item(items, L"X", 0, -1000, 1000, 0.1);
    item.loadQroValue("10,20.5,65", L"x", L"図形", false);
    EXPECT_EQ(item.toString(), "10.0,20.5,直線移動,1");
    // The single-section mode keeps two values however many sections.
    item.loadQroValue("1,2,3", L"x", L"図形", false);
    EXPECT_EQ(item.toString(), "1.0,2.0,瞬間移動,4");
    // A failing track leaves the item as it was.
    EXPECT_EQ(errorOf([&] { item.loadQroValue("5,6,x", L"x", L"図形", false); }), "invalid stoi argument");
    EXPECT_EQ(item.toString(), "1.0,2.0,瞬間移動,4");
    // With the flag the text is the item's own form.
    item.loadQroValue("7", L"x", L"図形", true);
    EXPECT_EQ(item.toString(), "7.0");
}

}  // namespace
