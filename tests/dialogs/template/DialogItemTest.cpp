#include "dialogs/template/DialogItem.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(DialogItem, IntegerTextsReadLikeTheStandardConversion) {
    struct Case {
        const wchar_t* text;
        bool ok;
        int value;  // stored, also when out of range
    };
    const Case cases[] = {
        {L"12abc", true, 12}, {L" 7", true, 7}, {L"-3", false, -3}, {L"101", false, 101},
        {L"abc", false, -1},  {L"", false, -1}, {L"99999999999", false, -1}, {L"1", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.text).size());
        int value = -1;
        EXPECT_EQ(Dialog::getWindowTextInteger(c.text, value, 1, 100), c.ok);
        EXPECT_EQ(value, c.value);
    }
}

TEST(DialogItem, RealTextsAreTrimmedAndNaNFails) {
    double value = 0;
    EXPECT_TRUE(Dialog::getWindowTextDouble(L"  2.5  ", value, 0.001, 1000.0));
    EXPECT_EQ(value, 2.5);
    EXPECT_FALSE(Dialog::getWindowTextDouble(L"nan", value, 0.001, 1000.0));
    EXPECT_FALSE(Dialog::getWindowTextDouble(L"1000.5", value, 0.001, 1000.0));
    EXPECT_EQ(value, 1000.5);
    EXPECT_FALSE(Dialog::getWindowTextDouble(L"   ", value, 0.001, 1000.0));
}

TEST(DialogItem, ImageSizeRefusesTheFirstBadBoxWithItsRange) {
    Dialog::DialogItemImageSize size(L"解像度", 640, 480);
    const Platform::FormRow row = size.createRow();
    EXPECT_EQ(row.texts, (std::vector<std::string>{"640", "480"}));
    EXPECT_TRUE(row.digitsOnly);
    auto refusal = size.readValue({L"32", L"16385"});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->box, 1);
    EXPECT_EQ(refusal->message, L"値が不正です");
    EXPECT_EQ(refusal->detail, L"(32 - 16384)");
    EXPECT_FALSE(size.readValue({L"16384", L"32"}));
    EXPECT_EQ(size.width, 16384);
    EXPECT_EQ(size.height, 32);
}

}  // namespace
