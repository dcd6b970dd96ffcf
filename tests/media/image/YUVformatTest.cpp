#include "media/image/YUVformat.h"

#include "media/LogCapture.h"
#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "core/base/Exception.h"
#include "core/file/IniFile.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

namespace YUV = Media::YUVformat;

const char* kTwoSpaces =
    "[YUV2RGB]\n"
    "0=BT.601,0,1,0,1.402,1,-0.344136,-0.714136,1,1.772,0\n"
    "1=BT.709,720,1,0,1.5748,1,-0.187324,-0.468124,1,1.8556,0\n"
    "[RGB2YUV]\n"
    "0=BT.601,0,0.299,0.587,0.114,-0.168736,-0.331264,0.5,0.5,-0.418688,-0.081312\n"
    "1=BT.709,720,0.2126,0.7152,0.0722,-0.114572,-0.385428,0.5,0.5,-0.454153,-0.045847\n";

std::string failureText(const System::IniFile& ini) {
    try {
        YUV::InitializeColorTable(ini);
    } catch (const System::Exception& e) {
        return e.what();
    }
    return "";
}

// (matrix × input) + offset for the RGB-to-YUV blocks; matrix × (input +
// offset) for the YUV-to-RGB ones, as the conversion shaders apply them.
std::array<float, 3> apply(const YUV::ColorMatrix& m, std::array<float, 3> in, bool offsetFirst) {
    if (offsetFirst)
        for (int i = 0; i < 3; ++i) in[i] += m.offset[i];
    std::array<float, 3> out{};
    for (int r = 0; r < 3; ++r) {
        out[r] = m.matrix[r * 4] * in[0] + m.matrix[r * 4 + 1] * in[1] + m.matrix[r * 4 + 2] * in[2];
        if (!offsetFirst) out[r] += m.offset[r];
    }
    return out;
}

void expectNear(const std::array<float, 3>& actual, const std::array<float, 3>& expected, float tolerance) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

class YUVformatTest : public ::testing::Test {
protected:
    void SetUp() override {
        System::IniFile ini;
        ini.loadMemory(kTwoSpaces);
        YUV::InitializeColorTable(ini);
    }
};

TEST_F(YUVformatTest, ShippedConfigurationLogsEveryColourSpace) {
    CoreTest::ProgramFolder folder;
    System::Singleton<Setting::SettingService> setting;
    MediaTest::LogCapture log;
    YUV::InitializeColorTable();
    const char* tag = "Media::YUVformat::InitializeColorTable";
    for (const char* line : {"[YUV2RGB] 0: BT.601", "[YUV2RGB] 1: BT.709", "[YUV2RGB] 2: BT.2020",
                             "[RGB2YUV] 0: BT.601", "[RGB2YUV] 1: BT.709", "[RGB2YUV] 2: BT.2020"})
        EXPECT_EQ(log.count(System::Log::INFO, tag, line), 1) << line;
    EXPECT_EQ(YUV::getYUV2RGBTable().size(), 3);
    EXPECT_EQ(YUV::getRGB2YUVTable().size(), 3);
    // HD pictures pick BT.709, smaller ones BT.601.
    EXPECT_EQ(YUV::selectColorSpace(YUV::getYUV2RGBTable(), 1080), 1);
    EXPECT_EQ(YUV::selectColorSpace(YUV::getYUV2RGBTable(), 480), 0);
}

TEST_F(YUVformatTest, WithoutSystemConfigurationStartUpStops) {
    ASSERT_EQ(System::Singleton<Setting::SettingService>::getInstance(), nullptr);
    try {
        YUV::InitializeColorTable();
        ADD_FAILURE() << "no failure";
    } catch (const System::Exception& e) {
        EXPECT_EQ(std::string(e.what()), "no yuv color setting\n\n[Place]\nMedia::YUVformat::InitializeColorTable()");
    }
}

TEST_F(YUVformatTest, KeysStopAtTheFirstGap) {
    System::IniFile ini;
    ini.loadMemory(
        "[YUV2RGB]\n"
        "0=A,0,1,0,0,0,1,0,0,0,1\n"
        "1=B,0,1,0,0,0,1,0,0,0,1\n"
        "3=D,0,1,0,0,0,1,0,0,0,1\n"
        "[RGB2YUV]\n"
        "0=A,0,1,0,0,0,1,0,0,0,1\n");
    YUV::InitializeColorTable(ini);
    ASSERT_EQ(YUV::getYUV2RGBTable().size(), 2);
    EXPECT_EQ(YUV::getYUV2RGBTable().entries[1].name, L"B");
    EXPECT_EQ(YUV::getYUV2RGBTable().getEntry(9).name, L"B");  // indices clamp to the last entry
    EXPECT_EQ(YUV::getYUV2RGBTable().getEntry(-1).name, L"A");
}

TEST_F(YUVformatTest, BadLinesStopWithTheirText) {
    struct Case {
        const char* yuv2rgbLine;
        std::string text;
    } cases[] = {
        {"1=Short,0,1,0,0,0,1,0,0,0",
         "yuv color setting invalid\n\n[Note]\n section=YUV2RGB key=1\n\n[Place]\n"
         "Media::YUVformat::ColorValues::ColorValues()"},
        {"1=Bad,0,1,0,0,0,x,0,0,0,1", "ini file parameter invalid format(double) or undefined."},
        {"1=Bad,high,1,0,0,0,1,0,0,0,1", "ini file parameter invalid format(int) or undefined."},
        {"1=,0,1,0,0,0,1,0,0,0,1", "ini file parameter invalid format(UTF8) or undefined."},
    };
    for (const Case& c : cases) {
        System::IniFile ini;
        ini.loadMemory((std::string("[YUV2RGB]\n0=A,0,1,0,0,0,1,0,0,0,1\n") + c.yuv2rgbLine +
                        "\n[RGB2YUV]\n0=A,0,1,0,0,0,1,0,0,0,1\n")
                           .c_str());
        const std::string text = failureText(ini);
        EXPECT_EQ(text.substr(0, c.text.size()), c.text) << c.yuv2rgbLine;
    }
    // A failed read keeps the tables it found.
    EXPECT_EQ(YUV::getYUV2RGBTable().size(), 2);
    EXPECT_EQ(YUV::getYUV2RGBTable().entries[1].name, L"BT.709");
}

TEST_F(YUVformatTest, AnEmptyTableStopsStartUp) {
    for (const char* text : {"[YUV2RGB]\n0=A,0,1,0,0,0,1,0,0,0,1\n", "[RGB2YUV]\n0=A,0,1,0,0,0,1,0,0,0,1\n",
                             "[YUV2RGB]\n1=A,0,1,0,0,0,1,0,0,0,1\n[RGB2YUV]\n0=A,0,1,0,0,0,1,0,0,0,1\n"}) {
        System::IniFile ini;
        ini.loadMemory(text);
        EXPECT_EQ(failureText(ini),
                  "no yuv color setting\n\n[Place]\nMedia::YUVformat::InitializeColorTable()")
            << text;
    }
}

YUV::ColorTable tableWithThresholds(std::initializer_list<int> thresholds) {
    YUV::ColorTable table;
    for (int threshold : thresholds) table.entries.push_back({L"x", {}, {}, {}, threshold});
    return table;
}

TEST_F(YUVformatTest, AutomaticChoiceFollowsTheThresholds) {
    struct Case {
        YUV::ColorTable table;
        int height;
        int expected;
    } cases[] = {
        {tableWithThresholds({0, 720}), 480, 0},
        {tableWithThresholds({0, 720}), 720, 1},
        {tableWithThresholds({0, 720}), 1080, 1},
        // A later threshold below entry 0's is never chosen.
        {tableWithThresholds({720, 0}), 480, 0},
        {tableWithThresholds({720, 0}), 1080, 0},
        // Entry 0 is the fallback even above the height.
        {tableWithThresholds({1000, 2000}), 480, 0},
        // Equal thresholds: the later entry.
        {tableWithThresholds({0, 720, 720}), 720, 2},
        {tableWithThresholds({0, 720, 2160}), 1080, 1},
        {tableWithThresholds({0, 720, 2160}), 2160, 2},
        {tableWithThresholds({500}), 1080, 0},
        {tableWithThresholds({}), 1080, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(YUV::selectColorSpace(c.table, c.height), c.expected) << c.height;
}

TEST_F(YUVformatTest, ColourSpaceIndexCountsFromOne) {
    EXPECT_EQ(YUV::getColorSpaceIndex(L""), 0);
    EXPECT_EQ(YUV::getColorSpaceIndex(L"BT.601"), 1);
    EXPECT_EQ(YUV::getColorSpaceIndex(L"BT.709"), 2);
    EXPECT_EQ(YUV::getColorSpaceIndex(L"BT.2020"), 0);

    System::IniFile ini;
    ini.loadMemory(
        "[YUV2RGB]\n0=A,0,1,0,0,0,1,0,0,0,1\n"
        "[RGB2YUV]\n0=Same,0,1,0,0,0,1,0,0,0,1\n1=Same,720,1,0,0,0,1,0,0,0,1\n");
    YUV::InitializeColorTable(ini);
    EXPECT_EQ(YUV::getColorSpaceIndex(L"Same"), 1);  // the first occurrence wins
}

TEST_F(YUVformatTest, BlocksHoldTheScaledCoefficients) {
    const YUV::ColorEntry& bt601 = YUV::getYUV2RGBTable().entries[0];
    EXPECT_EQ(bt601.threshold, 0);
    // Row R of the limited block: (Cr × 255/224 via Cb column order).
    EXPECT_FLOAT_EQ(bt601.limited.matrix[0], 0.0f);
    EXPECT_FLOAT_EQ(bt601.limited.matrix[1], static_cast<float>(255.0 / 219.0));
    EXPECT_FLOAT_EQ(bt601.limited.matrix[2], static_cast<float>(1.402 * 255.0 / 224.0));
    EXPECT_EQ(bt601.limited.offset[0], -0.50196081f);
    EXPECT_EQ(bt601.limited.offset[1], -0.062745102f);
    EXPECT_EQ(bt601.full.offset[1], 0.0f);
    EXPECT_FLOAT_EQ(bt601.yc48.matrix[2], static_cast<float>(1.402 * 32767.0 / 4096.0));
    for (const YUV::ColorMatrix* m : {&bt601.limited, &bt601.full, &bt601.yc48}) {
        EXPECT_EQ(m->matrix[3], 0.0f);
        EXPECT_EQ(m->matrix[7], 0.0f);
        EXPECT_EQ(m->matrix[11], 0.0f);
        EXPECT_EQ((std::array<float, 4>{m->matrix[12], m->matrix[13], m->matrix[14], m->matrix[15]}),
                  (std::array<float, 4>{0, 0, 0, 1}));
        EXPECT_EQ(m->offset[3], 0.0f);
    }
    const YUV::ColorEntry& out709 = YUV::getRGB2YUVTable().entries[1];
    EXPECT_EQ(out709.threshold, 720);
    EXPECT_EQ(out709.limited.offset[0], 0.062745102f);
    EXPECT_EQ(out709.limited.offset[1], 0.50196081f);
    EXPECT_FLOAT_EQ(out709.limited.matrix[0], static_cast<float>(0.2126 * 219.0 / 255.0));
    EXPECT_FLOAT_EQ(out709.limited.matrix[4], static_cast<float>(-0.114572 * 224.0 / 255.0));
    EXPECT_EQ(out709.yc48.offset[1], 0.0f);
}

TEST_F(YUVformatTest, ConversionsMatchHandComputedValues) {
    const YUV::ColorEntry& in601 = YUV::getYUV2RGBTable().entries[0];
    const float tolerance = 0.004f;
    // Limited-range input (Cb, Y, Cr) in 0..1 of 8-bit codes.
    const auto limited = [&](float y, float cb, float cr) {
        return apply(in601.limited, {cb / 255.0f, y / 255.0f, cr / 255.0f}, true);
    };
    expectNear(limited(235, 128, 128), {1, 1, 1}, tolerance);
    expectNear(limited(16, 128, 128), {0, 0, 0}, tolerance);
    // BT.601 red: Y 81, Cb 90, Cr 240.
    expectNear(limited(81, 90, 240), {1, 0, 0}, 0.01f);
    // Full range: Y 255 is white; Y 76, Cb 85, Cr 255 is red.
    expectNear(apply(in601.full, {128 / 255.0f, 1, 128 / 255.0f}, true), {1, 1, 1}, tolerance);
    expectNear(apply(in601.full, {85 / 255.0f, 76 / 255.0f, 1}, true), {1, 0, 0}, 0.01f);
    // YC48 (Y, Cb, Cr) read as signed normalised words: 4096 is 1.0.
    const float unit = 4096.0f / 32767.0f;
    expectNear(apply(in601.yc48, {unit, 0, 0}, true), {1, 1, 1}, 1e-5f);
    expectNear(apply(in601.yc48, {0, 0, unit}, true), {1.402f, -0.714136f, 0}, 1e-5f);

    const YUV::ColorEntry& out601 = YUV::getRGB2YUVTable().entries[0];
    expectNear(apply(out601.limited, {1, 1, 1}, false), {235 / 255.0f, 128 / 255.0f, 128 / 255.0f}, 1e-5f);
    expectNear(apply(out601.limited, {0, 0, 0}, false), {16 / 255.0f, 128 / 255.0f, 128 / 255.0f}, 1e-6f);
    expectNear(apply(out601.full, {1, 0, 0}, false), {0.299f, -0.168736f + 128 / 255.0f, 0.5f + 128 / 255.0f}, 1e-5f);
    expectNear(apply(out601.yc48, {1, 1, 1}, false), {unit, 0, 0}, 1e-6f);
}

}  // namespace
