#include "core/text/NaturalCompare.h"

#include <gtest/gtest.h>

namespace {

TEST(NaturalCompareTest, ComparesAsPeopleSortNames) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int expected;
    };
    const Case cases[] = {
        {L"a2", L"a10", -1},              // digits as numbers
        {L"Font 12", L"Font 9", 1},
        {L"abc", L"ABC", 0},              // case
        {L"ひらがな", L"ヒラガナ", 0},    // kana type
        {L"ＡＢＣ１", L"ABC1", 0},        // width
        {L"a-b.c", L"abc", 0},            // symbols and punctuation
        {L"Noto Sans", L"NotoSans", 0},   // spaces
        {L"apple", L"banana", -1},
        {L"é", L"e", 1},                  // accents still count
        {L"", L"a", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
        EXPECT_EQ(System::compareStringNatural(c.a, c.b), c.expected);
        EXPECT_EQ(System::compareStringNatural(c.b, c.a), -c.expected);
    }
}

}  // namespace
