#include "edit/model/FrameRate.h"

#include "core/file/SettingService.h"
#include "edit/EditTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

// The setting service with the presets given in place of system.conf's.
class FrameRates : public ::testing::Test {
protected:
    FrameRates() { CoreTest::writeBytes((registry.env.folder.data() / "movane2.ini").string(), ""); }

    void presets(const char* section) {
        if (!settings) settings.emplace();
        System::IniFile& conf = settings->getInstance()->systemConfig;
        conf.sections.erase("FrameRate");
        conf.loadMemory(section);
    }

    EditTest::Registry registry;
    std::optional<System::Singleton<Setting::SettingService>> settings;
};

using Pair = std::tuple<int, int>;
Pair pair(double frameRate) {
    const Edit::RateScale r = Edit::getFrameRateScale(frameRate);
    return {r.rate, r.scale};
}

TEST_F(FrameRates, PresetsNameTheirPairsFirstMatchWins) {
    presets(
        "[FrameRate]\n29.97=30000/1001\n59.94=60000/1001\nabc=24/1\n25=x/1\n50=100\n29.970=1/1\n");
    const struct {
        int rate, scale;
        double shown;
    } shown[] = {
        {30000, 1001, 29.97}, {60000, 1001, 59.94}, {100, 1, 50.0},
        {24, 1, 24.0},                       // its preset's key does not read
        {1, 1, 29.97},                       // a later key of the same figure
        {24000, 1001, 24000.0 / 1001.0},     // no preset
    };
    for (const auto& c : shown) EXPECT_EQ(Edit::getFrameRate(c.rate, c.scale), c.shown) << c.rate << "/" << c.scale;

    const struct {
        double typed;
        Pair stored;
    } typed[] = {
        {29.97, {30000, 1001}}, {59.94, {60000, 1001}}, {50.0, {100, 1}},
        {25.0, {25, 1}},                 // its preset's value does not read
        {29.970001, {29970001, 1000000}},  // not exactly a preset
        {24.0, {24, 1}},
    };
    for (const auto& c : typed) EXPECT_EQ(pair(c.typed), c.stored) << c.typed;
}

TEST_F(FrameRates, WithoutPresetsTheQuotientAndDecimalPairs) {
    presets("");
    EXPECT_EQ(Edit::getFrameRate(30000, 1001), 30000.0 / 1001.0);
    EXPECT_EQ(Edit::getFrameRate(30, 0), 0.0);
    const struct {
        double typed;
        Pair stored;
    } typed[] = {
        {29.97, {2997, 100}}, {24.0, {24, 1}}, {0.5, {5, 10}}, {0.001, {1, 1000}},
        {1000.0, {1000, 1}},  {23.976, {23976, 1000}}, {29.97002997, {2997003, 100000}},
    };
    for (const auto& c : typed) EXPECT_EQ(pair(c.typed), c.stored) << c.typed;
}

TEST(FrameRatesWithoutSettings, PlainQuotient) {
    EXPECT_EQ(Edit::getFrameRate(30000, 1001), 30000.0 / 1001.0);
    EXPECT_EQ(pair(29.97), Pair(2997, 100));
}

}  // namespace
