#include "media/text/TextTag.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Media::TextTag;
using Kind = TextTag::Kind;
using Mode = TextTag::SizeMode;

// Texts as they follow a "<"; what comes after the tag stays in the text.
struct Recognised {
    const wchar_t* text;
    Kind kind;
    std::size_t length;
};

TEST(TextTagTest, EachKindIsRecognisedUpToItsClosingBracket) {
    const Recognised rows[] = {
        {L"#ff0000>a", Kind::Color, 8},
        {L"#>b", Kind::Color, 2},
        {L"#,00ff00>", Kind::Color, 9},
        {L"#red,blue>x>", Kind::Color, 10},
        {L"@>", Kind::Font, 2},
        {L"@Noto Sans CJK JP>text", Kind::Font, 18},
        {L"s>", Kind::Size, 2},
        {L"s*2>", Kind::Size, 4},
        {L"s30,,BI>", Kind::Size, 8},
        {L"s20,,,50>", Kind::Size, 9},
        {L"s+5,DejaVu Sans,S,3>", Kind::Size, 20},
        {L"p10,20>", Kind::Position, 7},
        {L"p+10,-5,3>", Kind::Position, 10},
        {L"r>", Kind::Speed, 2},
        {L"r0>", Kind::Speed, 3},
        {L"w1>", Kind::Wait, 3},
        {L"w*0.5>", Kind::Wait, 6},
        {L"c>", Kind::Clear, 2},
        {L"c*1>\n", Kind::Clear, 4},
    };
    for (const Recognised& row : rows) {
        const auto tag = TextTag::match(row.text);
        ASSERT_TRUE(tag.has_value()) << "<" << std::wstring(row.text).size() << " " << row.text;
        EXPECT_EQ(tag->kind, row.kind) << row.text;
        EXPECT_EQ(tag->length, row.length) << row.text;
    }
}

TEST(TextTagTest, MalformedTagsAreText) {
    const wchar_t* rows[] = {
        L"",              // "<" at the end
        L"x>",            // unknown kind
        L"S10>",          // kinds are case-sensitive
        L"s.>",           // a number without digits
        L"s1a>",          // garbage in the number
        L"s10,,X>",       // style letters other than B, I, S
        L"s10,,,a>",      // decoration width not a number
        L"s10,a,B,2,3>",  // one group too many
        L"p10>",          // y missing
        L"p,20>",         // x missing
        L"p1,2,3,4>",     // one coordinate too many
        L"r-1>",          // speeds have no sign
        L"w>",            // a wait needs its time
        L"w*>",
        L"c**1>",
        L"#ff0000",       // never closed
        L"@name",
        L"s99999999999999999999999999999999999999999999999999>",  // beyond a float
        L"p1e5,2>",
        L"rx>",
    };
    for (const wchar_t* text : rows) EXPECT_FALSE(TextTag::match(text).has_value()) << "<" << text;
}

TEST(TextTagTest, ATagEndsAtTheFirstBracketAndIsBounded) {
    // Nothing inside a tag holds ">": "<#a>b>" is the tag "#a" and text.
    auto tag = TextTag::match(L"@a>b>");
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->fontName, L"a");
    // A "<" far from any ">" is text at once, however long the text.
    std::wstring longName = L"@" + std::wstring(TextTag::maxLength, L'a') + L">";
    EXPECT_FALSE(TextTag::match(longName.c_str()));
    std::wstring fits = L"@" + std::wstring(TextTag::maxLength - 2, L'a') + L">";
    EXPECT_TRUE(TextTag::match(fits.c_str()));
}

TEST(TextTagTest, ColourTagsKeepTheTextsOfTheirColours) {
    auto tag = TextTag::match(L"#ff0000>");
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->textColor.value_or(L"?"), L"ff0000");
    EXPECT_FALSE(tag->decorationColor);

    tag = TextTag::match(L"#,00ff00>");
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->textColor.value_or(L""), L"");  // absent or empty: neither is a colour
    EXPECT_EQ(tag->decorationColor.value_or(L"?"), L"00ff00");

    tag = TextTag::match(L"#>");
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->textColor.value_or(L""), L"");
    EXPECT_FALSE(tag->decorationColor);
}

TEST(TextTagTest, SizeTagsReadTheirFourParts) {
    struct Row {
        const wchar_t* text;
        Mode mode;
        float size;
        const wchar_t* font;
        const wchar_t* style;  // null: absent
        float width;           // below 0: absent
    };
    const Row rows[] = {
        {L"s>", Mode::Base, 0, L"", nullptr, -1},
        {L"s30>", Mode::Absolute, 30, L"", nullptr, -1},
        {L"s*2>", Mode::Multiply, 2, L"", nullptr, -1},
        {L"s+5>", Mode::Add, 5, L"", nullptr, -1},
        {L"s-2.5>", Mode::Add, -2.5f, L"", nullptr, -1},
        {L"s1.5.7>", Mode::Absolute, 1.5f, L"", nullptr, -1},  // read up to the second point
        {L"s30,,BI>", Mode::Absolute, 30, L"", L"BI", -1},
        {L"s30,,>", Mode::Absolute, 30, L"", L"", -1},          // a style of no letters
        {L"s30,>", Mode::Absolute, 30, L"", nullptr, -1},       // no style at all
        {L"s20,,,50>", Mode::Absolute, 20, L"", L"", 50},
        {L",DejaVu Sans>", Mode::Base, 0, L"", nullptr, -1},    // not a size tag: no "s"
    };
    for (const Row& row : rows) {
        const std::wstring text = row.text[0] == L',' ? std::wstring(L"s") + row.text : row.text;
        const auto tag = TextTag::match(text.c_str());
        ASSERT_TRUE(tag) << text;
        EXPECT_EQ(tag->sizeMode, row.mode) << text;
        EXPECT_FLOAT_EQ(tag->size, row.size) << text;
        if (row.text[0] == L',')
            EXPECT_EQ(tag->fontName, L"DejaVu Sans");
        else
            EXPECT_EQ(tag->fontName, row.font) << text;
        EXPECT_EQ(tag->style.has_value(), row.style != nullptr) << text;
        if (row.style) {

            EXPECT_EQ(*tag->style, row.style) << text;

        }
        EXPECT_EQ(tag->decorationWidth.has_value(), row.width >= 0) << text;
        if (row.width >= 0) {

            EXPECT_FLOAT_EQ(*tag->decorationWidth, row.width) << text;

        }
    }
}

TEST(TextTagTest, PositionsAreAbsoluteOrSigned) {
    auto tag = TextTag::match(L"p10,20>");
    ASSERT_TRUE(tag);
    EXPECT_FLOAT_EQ(tag->x.value, 10);
    EXPECT_FALSE(tag->x.relative);
    EXPECT_FLOAT_EQ(tag->y.value, 20);
    EXPECT_FALSE(tag->z);

    tag = TextTag::match(L"p+10,-5,+.5>");
    ASSERT_TRUE(tag);
    EXPECT_TRUE(tag->x.relative);
    EXPECT_FLOAT_EQ(tag->x.value, 10);
    EXPECT_TRUE(tag->y.relative);
    EXPECT_FLOAT_EQ(tag->y.value, -5);
    ASSERT_TRUE(tag->z);
    EXPECT_TRUE(tag->z->relative);
    EXPECT_FLOAT_EQ(tag->z->value, 0.5f);
}

TEST(TextTagTest, TimingTagsReadSecondsAndTheProportionalForm) {
    struct Row {
        const wchar_t* text;
        bool hasValue;
        double value;
        bool proportional;
    };
    const Row rows[] = {
        {L"r>", false, 0, false},  {L"r12.5>", true, 12.5, false}, {L"w1>", true, 1, false},
        {L"w*0.5>", true, 0.5, true}, {L"c>", false, 0, false},    {L"c*.25>", true, 0.25, true},
        {L"c2>", true, 2, false},
    };
    for (const Row& row : rows) {
        const auto tag = TextTag::match(row.text);
        ASSERT_TRUE(tag) << row.text;
        EXPECT_EQ(tag->value.has_value(), row.hasValue) << row.text;
        if (row.hasValue) {

            EXPECT_DOUBLE_EQ(*tag->value, row.value) << row.text;

        }
        EXPECT_EQ(tag->proportional, row.proportional) << row.text;
    }
}

}  // namespace
