#include "core/text/ColorText.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

std::string failure(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "(no exception)";
}

TEST(ColorText, ParsesFloatForm) {
    struct Case {
        const char* text;
        float r, g, b, a;
    };
    const Case cases[] = {
        {" ff8000 ", 1.0f, 128 / 255.0f, 0.0f, 1.0f},
        {"ff800080", 1.0f, 128 / 255.0f, 0.0f, 128 / 255.0f},
        {"ff8 00", 1.0f, 8 / 255.0f, 0.0f, 1.0f},  // the pair "8 " stops at the blank
        {"FFFFFF", 1.0f, 1.0f, 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        float rgba[4] = {-1, -1, -1, -1};
        Media::parseHexColor(std::string(c.text), rgba);
        EXPECT_FLOAT_EQ(rgba[0], c.r) << c.text;
        EXPECT_FLOAT_EQ(rgba[1], c.g) << c.text;
        EXPECT_FLOAT_EQ(rgba[2], c.b) << c.text;
        EXPECT_FLOAT_EQ(rgba[3], c.a) << c.text;
    }
    float wide[4];
    Media::parseHexColor(std::wstring(L"00ff00"), wide);
    EXPECT_FLOAT_EQ(wide[1], 1.0f);
}

TEST(ColorText, FloatFormFailures) {
    float rgba[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    for (const char* text : {"fff", "", "    ", "ff80001", "ff8000ff00"})
        EXPECT_EQ(failure([&] { Media::parseHexColor(std::string(text), rgba); }), "RGB argument is invalid.")
            << "[" << text << "]";
    EXPECT_EQ(failure([&] { Media::parseHexColor(std::string("zz0000"), rgba); }), "invalid stoi argument");
    EXPECT_EQ(failure([&] { Media::parseHexColor(std::string("00zz00"), rgba); }), "invalid stoi argument");
    // A failed parse stores nothing.
    EXPECT_FLOAT_EQ(rgba[0], 0.5f);
}

TEST(ColorText, ByteForm) {
    std::uint8_t rgb[3] = {1, 2, 3};
    Media::parseHexColor(std::string("fff"), rgb);  // other lengths store nothing
    EXPECT_EQ(rgb[0], 1);
    Media::parseHexColor(std::string("ff800080"), rgb);
    EXPECT_EQ(rgb[0], 1);
    EXPECT_EQ(failure([&] { Media::parseHexColor(std::string("   "), rgb); }), "RGB argument is invalid.");
    Media::parseHexColor(std::wstring(L" 0a0B0c"), rgb);
    EXPECT_EQ(rgb[0], 10);
    EXPECT_EQ(rgb[1], 11);
    EXPECT_EQ(rgb[2], 12);
}

TEST(ColorText, HexAndBytes) {
    const std::uint8_t rgb[3] = {255, 128, 0};
    EXPECT_EQ(Media::toHexString(rgb), "ff8000");
    EXPECT_EQ(Media::toHexStringW(rgb), L"ff8000");
    const float in[3] = {0.5f, 1.2f, -0.1f};
    const Media::RGB8 out = Media::toRGB8(in);
    EXPECT_EQ(out.r, 128);
    EXPECT_EQ(out.g, 255);
    EXPECT_EQ(out.b, 0);
}

TEST(ColorText, HsvRoundTrips) {
    struct Case {
        float rgb[3];
        float h, s, v;
    };
    const Case cases[] = {
        {{0.5f, 0.5f, 0.5f}, 0.0f, 0.0f, 0.5f},
        {{0.0f, 0.0f, 1.0f}, 2.0f / 3.0f, 1.0f, 1.0f},
        {{1.0f, 0.0f, 0.0f}, 0.0f, 1.0f, 1.0f},
        {{1.0f, 0.0f, 1.0f}, 5.0f / 6.0f, 1.0f, 1.0f},  // negative h' wraps
        {{0.0f, 0.0f, 0.0f}, 0.0f, 0.0f, 0.0f},
        {{0.2f, 0.6f, 0.4f}, 5.0f / 12.0f, 2.0f / 3.0f, 0.6f},
    };
    for (const Case& c : cases) {
        const Media::HSV hsv = Media::rgbToHsv(c.rgb);
        EXPECT_NEAR(hsv.h, c.h, 1e-6) << c.rgb[0] << "," << c.rgb[1] << "," << c.rgb[2];
        EXPECT_NEAR(hsv.s, c.s, 1e-6);
        EXPECT_NEAR(hsv.v, c.v, 1e-6);
        const float back[3] = {hsv.h, hsv.s, hsv.v};
        const Media::RGBA rgba = Media::hsvToRgb(back);
        EXPECT_NEAR(rgba.r, c.rgb[0], 1e-6);
        EXPECT_NEAR(rgba.g, c.rgb[1], 1e-6);
        EXPECT_NEAR(rgba.b, c.rgb[2], 1e-6);
        EXPECT_FLOAT_EQ(rgba.a, 1.0f);
    }
    const float wrapped[3] = {1.0f, 1.0f, 1.0f};
    const Media::RGBA red = Media::hsvToRgb(wrapped);
    EXPECT_FLOAT_EQ(red.r, 1.0f);
    EXPECT_FLOAT_EQ(red.g, 0.0f);
    EXPECT_FLOAT_EQ(red.b, 0.0f);
    const float negative[3] = {-1.0f / 6.0f, 1.0f, 1.0f};  // same as 5/6: magenta
    const Media::RGBA magenta = Media::hsvToRgb(negative);
    EXPECT_NEAR(magenta.r, 1.0f, 1e-6);
    EXPECT_NEAR(magenta.g, 0.0f, 1e-6);
    EXPECT_NEAR(magenta.b, 1.0f, 1e-6);
}

}  // namespace
