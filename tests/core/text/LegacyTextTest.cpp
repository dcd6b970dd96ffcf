#include "core/text/StringConvert.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace S = System::String;

TEST(LegacyText, DecodesCp932) {
    // "テスト" and "日本" in CP932, with ASCII and a half-width katakana.
    const std::string legacy = "\x83\x65\x83\x58\x83\x67 abc \x93\xfa\x96\x7b \xb1";
    EXPECT_EQ(S::legacyToUtf8(legacy), "テスト abc 日本 ｱ");
    EXPECT_EQ(S::legacyToWide(legacy), L"テスト abc 日本 ｱ");
    // CP932's own mappings (not plain Shift_JIS): the wave dash row and NEC
    // circled digits.
    EXPECT_EQ(S::legacyToUtf8("\x81\x60\x87\x40"), "～①");
    EXPECT_EQ(S::legacyToUtf8(""), "");
}

TEST(LegacyText, BadBytesBecomeReplacementCharacters) {
    // A lead byte cut off at the end, and a byte CP932 does not define.
    EXPECT_EQ(S::legacyToUtf8("a\x83"), "a\xEF\xBF\xBD");
    EXPECT_EQ(S::legacyToUtf8("\xa0z"), "\xEF\xBF\xBDz");
}

TEST(LegacyText, Utf8Validity) {
    EXPECT_TRUE(S::isValidUtf8("plain"));
    EXPECT_TRUE(S::isValidUtf8("日本語 \xEF\xBF\xBD"));
    EXPECT_TRUE(S::isValidUtf8(""));
    EXPECT_FALSE(S::isValidUtf8("\x83\x65\x83\x58"));
    EXPECT_FALSE(S::isValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(S::isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(S::isValidUtf8("abc\xE6\x97"));       // cut at the end
}

}  // namespace
