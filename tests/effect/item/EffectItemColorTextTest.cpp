#include "effect/item/EffectItemButton.h"
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemText.h"
#include "effect/item/EffectItemYUV.h"

#include "effect/EffectTestSupport.h"

#include "core/text/StringConvert.h"

#include <gtest/gtest.h>

namespace {

using Effect::EffectItemColor;
using Effect::EffectItemText;
using EffectTest::errorOf;

struct ColorCase {
    const char* text;
    int rgb;  // -1: no colour
    const char* error;
};

void expectColor(const EffectItemColor& color, int rgb) {
    if (rgb < 0) {
        EXPECT_TRUE(color.noColor);
        EXPECT_EQ(color.red + color.green + color.blue, 0);
        return;
    }
    EXPECT_FALSE(color.noColor);
    EXPECT_EQ(color.red, (rgb >> 16) & 255);
    EXPECT_EQ(color.green, (rgb >> 8) & 255);
    EXPECT_EQ(color.blue, rgb & 255);
}

TEST(ColorItem, TextFormBothWays) {
    Effect::ItemList items;
    EffectItemColor color(items, L"文字色", 255, 128, 0);
    EXPECT_EQ(color.type, Effect::ItemType::Color);
    EXPECT_EQ(color.toString(), "ff8000");
    const ColorCase cases[] = {
        {"00FF7f", 0x00ff7f, ""},
        {" 123456 ", 0x123456, ""},
        {"", -1, ""},  // even a code-7 colour reads an empty value as no colour
        {"abcdef", 0xabcdef, ""},
        // Malformed texts change nothing, no-colour flag included.
        {"   ", 0xabcdef, "RGB argument is invalid."},
        {"fff", 0xabcdef, "RGB argument is invalid."},
        {"ff800080", 0xabcdef, "RGB argument is invalid."},
        {"zz0000", 0xabcdef, "invalid stoi argument"},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf([&] { color.fromString(c.text); }), c.error);
        expectColor(color, c.rgb);
    }
    color.fromString("");
    EXPECT_EQ(color.toString(), "");
    EXPECT_EQ(errorOf([&] { color.fromString("fff"); }), "RGB argument is invalid.");
    EXPECT_TRUE(color.noColor);
    color.fromString("0a0b0c");
    EXPECT_EQ(color.toString(), "0a0b0c");
}

TEST(ColorItem, ScriptAndLegacyValues) {
    Effect::ItemList items;
    EffectItemColor color(items, L"光色", 0, 0, 0, true, Effect::ItemType::ColorOrNone);
    EXPECT_EQ(color.type, Effect::ItemType::ColorOrNone);
    EXPECT_EQ(color.toString(), "");
    struct Case {
        const char* name;
        std::function<void()> read;
        int rgb;
        const char* error;
    };
    const Case cases[] = {
        {"decimal script value", [&] { color.fromScriptValue("16711680"); }, 0xff0000, ""},
        {"hex script value", [&] { color.fromScriptValue("ffa0b0"); }, 0xffa0b0, ""},
        {"no_ above 0", [&] { color.loadQroValue("1", L"no_color", L"e", false); }, -1, ""},
        {"legacy number", [&] { color.loadQroValue("255", L"color", L"e", true); }, 0x0000ff, ""},
        {"no_ at 0", [&] { color.loadQroValue("0", L"no_color", L"e", false); }, 0x0000ff, ""},
        {"no_ not a number", [&] { color.loadQroValue("x", L"no_color", L"e", false); }, 0x0000ff,
         "invalid stoi argument"},
        {"legacy hex", [&] { color.loadQroValue("102030", L"color", L"e", false); }, 0x102030, ""},
        {"number flag, hex text", [&] { color.loadQroValue("a0b0c0", L"color", L"e", true); }, 0xa0b0c0, ""},
        // Y 4096, Cb 0, Cr 0: white; low byte first.
        {"YCbCr white", [&] { color.loadQroValue("001000000000", L"color_yc", L"e", false); }, 0xffffff, ""},
        // Y 0, Cb 0, Cr 2048 (0x0800): red = 1.402 * 2048 * 255 / 4096 = 178.755.
        {"YCbCr red", [&] { color.loadQroValue("000000000008", L"color_yc", L"e", false); }, 0xb30000, ""},
        // Cb -2048 (0xF800): blue clamps at 0, green = 0.344 * 2048 * 255 / 4096.
        {"YCbCr clamp", [&] { color.loadQroValue("000000f80000", L"color_yc2", L"e", false); }, 0x002c00, ""},
        {"YCbCr length", [&] { color.loadQroValue("0010000000", L"color_yc", L"e", false); }, 0x002c00, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf(c.read), c.error);
        expectColor(color, c.rgb);
    }
}

TEST(ColorItem, BaseColorTable) {
    const char* names[] = {"white", "red", "yellow", "green", "aqua", "blue", "magenta", "black"};
    const float rgb[][3] = {{1, 1, 1}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                            {0, 1, 1}, {0, 0, 1}, {1, 0, 1}, {0, 0, 0}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(System::String::toUtf8(Effect::baseColors[i].name), names[i]);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(Effect::baseColors[i].rgba[c], rgb[i][c]);
        EXPECT_EQ(Effect::baseColors[i].rgba[3], 1.0f);
    }
}

TEST(TextItem, EscapedTextForm) {
    Effect::ItemList items;
    EffectItemText text(items, L"テキスト");
    struct Case {
        std::wstring text;
        const char* written;
        std::wstring readBack;
    };
    const Case cases[] = {
        {L"a\\nb", "a\\\\nb", L"a\\nb"},  // backslash and letter n survive
        {L"一\r\n二\r三\n四", "一\\n二\\n三\\n四", L"一\n二\n三\n四"},
        {L"end\\", "end\\\\", L"end\\"},
        {L"", "", L""},
        {std::wstring(L"ab\0cd", 5), "ab", L"ab"},  // the text form ends at NUL
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        text.text = c.text;
        EXPECT_EQ(text.toString(), c.written);
        text.fromString(c.written);
        EXPECT_EQ(text.text, c.readBack);
    }
    struct Read {
        const char* text;
        std::wstring value;
    };
    const Read reads[] = {
        {"a\\", L"a\\"},   // a single backslash at the end stays
        {"\\t\\x", L"\\t\\x"},
        {"\\\\\\n", L"\\\n"},
        {"x\\n\\\\n", L"x\n\\n"},
    };
    for (const Read& r : reads) {
        text.fromString(r.text);
        EXPECT_EQ(text.text, r.value) << r.text;
    }
}

TEST(TextItem, LegacyHexUnits) {
    Effect::ItemList items;
    EffectItemText text(items, L"テキスト");
    text.loadQroValue("41004200", L"text", L"e", false);
    EXPECT_EQ(text.text, L"AB");
    text.loadQroValue("4230000041", L"text", L"e", false);  // a short last group is ignored
    EXPECT_EQ(text.text, (std::wstring{L'\u3042', L'\0'}));
    text.loadQroValue("3DD800DE", L"text", L"e", false);  // a surrogate pair
    EXPECT_EQ(text.text, L"\U0001F600");
    text.loadQroValue("41004200", L"other", L"e", false);
    EXPECT_EQ(text.text, L"41004200");
    EXPECT_EQ(errorOf([&] { text.loadQroValue("zz00", L"text", L"e", false); }), "invalid stoi argument");
}

TEST(TextItem, CompactUndoFormRebuildsTheOtherState) {
    Effect::ItemList items;
    struct Case {
        std::wstring before, after;
        int prefix, suffix;
        std::wstring beforeMiddle, afterMiddle;
    };
    const Case cases[] = {
        {L"abcXdef", L"abcYYdef", 3, 3, L"X", L"YY"},
        {L"aa", L"aaa", 2, 0, L"", L"a"},
        {L"xyz", L"", 0, 0, L"xyz", L""},
        {L"same", L"same", 0, 0, L"same", L"same"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(System::String::toUtf8(c.before));
        EffectItemText before(items, L"t", c.before);
        EffectItemText after(items, L"t", c.after);
        before.makeDiff(after);
        EXPECT_EQ(before.prefixLength, c.prefix);
        EXPECT_EQ(after.suffixLength, c.suffix);
        EXPECT_EQ(before.text, c.beforeMiddle);
        EXPECT_EQ(after.text, c.afterMiddle);

        EffectItemText live(items, L"t", c.after);
        live.copyFrom(before);  // undo
        EXPECT_EQ(live.text, c.before);
        live.copyFrom(after);  // redo
        EXPECT_EQ(live.text, c.after);
    }
    EffectItemText live(items, L"t", L"ab");
    EffectItemText stale(items, L"t", L"Q");
    stale.prefixLength = 5;
    stale.suffixLength = 5;
    live.copyFrom(stale);  // lengths beyond the text never repeat characters
    EXPECT_EQ(live.text, L"abQ");
}

TEST(StringItem, PlainText) {
    Effect::ItemList items;
    Effect::EffectItemString string(items, L"値", L"", Effect::ItemType::StringBraced);
    EXPECT_EQ(string.type, Effect::ItemType::StringBraced);
    string.fromString("1,2,\\n\"x\"");
    EXPECT_EQ(string.text, L"1,2,\\n\"x\"");
    EXPECT_EQ(string.toString(), "1,2,\\n\"x\"");
    string.text = std::wstring(L"a\0b", 3);
    EXPECT_EQ(string.toString(), "a");
    Effect::EffectItemString other(items, L"値", L"a");
    EXPECT_FALSE(other.equals(string));
    other.copyFrom(string);
    EXPECT_TRUE(other.equals(string));
}

TEST(TextItems, TextsThatWouldNotReadBackAreRefusedWhole) {
    // The written form would end at a NUL, and a one-line string's at a line
    // break: such a value is refused and the item keeps what it held.
    Effect::ItemList items;
    EffectItemText text(items, L"テキスト", L"kept");
    Effect::EffectItemString string(items, L"値", L"kept");
    struct Case {
        std::string value;
        const char* textError;  // of the text item; the string item refuses all
        const char* stringError;
    };
    const Case cases[] = {
        {std::string("a\0b", 3), "text holds a NUL character.", "text holds a NUL character."},
        {std::string("\0", 1), "text holds a NUL character.", "text holds a NUL character."},
        {"trailing\r", "", "text holds a line break."},
        {"two\nlines", "", "text holds a line break."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        text.text = L"kept";
        EXPECT_EQ(errorOf([&] { text.fromString(c.value); }), c.textError);
        if (*c.textError) {
            EXPECT_EQ(text.toString(), "kept");
        }
        EXPECT_EQ(errorOf([&] { string.fromString(c.value); }), c.stringError);
        EXPECT_EQ(string.toString(), "kept");
    }
}

// A colour space outside the table is written as "自動", which reads back
// as automatic (0) when no entry has that name.
TEST(YuvItem, WritesTheEntryNameOrAutomaticAndReadsItBack) {
    Effect::EffectItemYUV::setColorSpaceNames([] {
        return std::vector<std::wstring>{L"BT.601", L"BT.709", L"BT.2020"};
    });
    Effect::ItemList items;
    Effect::EffectItemYUV yuv(items, L"YUV");
    struct Case {
        int colorSpace, range;
        const char* text;
        int readSpace, readRange;
        const char* again;  // written after reading back
    };
    const Case cases[] = {
        {0, 0, "", 0, 0, ""},
        {1, 0, "BT.601", 1, 0, "BT.601"},
        {3, 0, "BT.2020", 3, 0, "BT.2020"},
        {0, 5, ",5", 0, 5, ",5"},
        {2, -1, "BT.709,-1", 2, -1, "BT.709,-1"},
        {4, 0, "自動", 0, 0, ""},  // beyond the table
        {-2, 1, "自動,1", 0, 1, ",1"},
        {1000, 7, "自動,7", 0, 7, ",7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colorSpace << "," << c.range);
        yuv.colorSpace = c.colorSpace;
        yuv.range = c.range;
        EXPECT_EQ(yuv.toString(), c.text);
        yuv.colorSpace = yuv.range = 9;
        yuv.fromString(c.text);
        EXPECT_EQ(yuv.colorSpace, c.readSpace);
        EXPECT_EQ(yuv.range, c.readRange);
        EXPECT_EQ(yuv.toString(), c.again);
    }
    Effect::EffectItemYUV::setColorSpaceNames({});
}

TEST(YuvItem, ReadsTextsNotWrittenByIt) {
    Effect::EffectItemYUV::setColorSpaceNames([] {
        return std::vector<std::wstring>{L"BT.601", L"BT.709", L"自動"};
    });
    Effect::ItemList items;
    Effect::EffectItemYUV yuv(items, L"YUV");
    struct Case {
        const char* text;
        int colorSpace, range;
        const char* written;
    };
    const Case cases[] = {
        {"自動", 3, 0, "自動"},  // an entry may carry that name
        {"自動,1", 3, 1, "自動,1"},
        {"BT.709,x", 2, 0, "BT.709"},
        {"BT.709,3,4", 2, 3, "BT.709,3"},
        {"bt.709", 0, 0, ""},
        {"\xff\xfe,2", 0, 2, ",2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        yuv.colorSpace = yuv.range = 9;
        yuv.fromString(c.text);
        EXPECT_EQ(yuv.colorSpace, c.colorSpace);
        EXPECT_EQ(yuv.range, c.range);
        EXPECT_EQ(yuv.toString(), c.written);
    }
    // Without such an entry "自動" is automatic.
    Effect::EffectItemYUV::setColorSpaceNames([] { return std::vector<std::wstring>{L"BT.601"}; });
    yuv.fromString("自動,1");
    EXPECT_EQ(yuv.colorSpace, 0);
    EXPECT_EQ(yuv.range, 1);
    EXPECT_EQ(yuv.toString(), ",1");
    Effect::EffectItemYUV::setColorSpaceNames({});
}

TEST(ButtonItem, HoldsNoValue) {
    Effect::ItemList items;
    int clicks = 0;
    Effect::EffectItemButton button(items, L"開く", [&](Component::EffectItemBaseControl&) { ++clicks; },
                                    0.5f, 1.0f);
    Effect::EffectItemButton other(items, L"閉じる", nullptr);
    EXPECT_EQ(button.type, Effect::ItemType::Button);
    EXPECT_EQ(button.toString(), "");
    button.fromString("anything");
    EXPECT_TRUE(button.equals(other));
    other.copyFrom(button);
    EXPECT_FALSE(other.onClick);
    auto clone = button.clone();
    auto& copy = dynamic_cast<Effect::EffectItemButton&>(*clone);
    EXPECT_TRUE(copy.onClick);
    EXPECT_EQ(copy.start, 0.5f);
}

}  // namespace
