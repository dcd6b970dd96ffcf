#include "dialogs/template/DialogValidation.h"
#include "dialogs/template/DialogItem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Dialog::ItemRefusal;

std::string describe(const std::optional<ItemRefusal>& refusal) {
    if (!refusal) return "accepted";
    std::wstring text = refusal->message + L"|" + refusal->detail;
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? char(c) : '?';
    return out;
}

TEST(DialogValidation, IntegerTextsReadLikeTheStandardConversionAndStoreOutOfRangeNumbers) {
    struct Case {
        const wchar_t* text;
        int minimum, maximum;
        bool ok;
        int value;  // stored, also when out of range; -1: untouched
    };
    const Case cases[] = {
        {L"12abc", 1, 100, true, 12}, {L" 7", 1, 100, true, 7},     {L"-3", 1, 100, false, -3},
        {L"101", 1, 100, false, 101}, {L"abc", 1, 100, false, -1},  {L"", 1, 100, false, -1},
        {L"99999999999", 1, 100, false, -1}, {L"1", 1, 100, true, 1}, {L"-5", -100, 100, true, -5},
        {L"+100", 1, 100, true, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        int value = -1;
        const auto refusal = Dialog::getWindowTextInteger(c.text, value, c.minimum, c.maximum);
        EXPECT_EQ(!refusal, c.ok);
        EXPECT_EQ(value, c.value);
        if (refusal) {
            EXPECT_EQ(refusal->message, L"値が不正です");
            EXPECT_EQ(refusal->detail, L"(" + std::to_wstring(c.minimum) + L" - " + std::to_wstring(c.maximum) + L")");
        }
    }
}

TEST(DialogValidation, RealTextsAreTrimmedAndNaNFails) {
    double value = 0;
    EXPECT_FALSE(Dialog::getWindowTextDouble(L"  2.5  ", value, 0.001, 1000.0));
    EXPECT_EQ(value, 2.5);
    EXPECT_TRUE(Dialog::getWindowTextDouble(L"nan", value, 0.001, 1000.0));
    const auto high = Dialog::getWindowTextDouble(L"1000.5", value, 0.001, 1000.0);
    ASSERT_TRUE(high);
    EXPECT_EQ(value, 1000.5);
    EXPECT_EQ(high->detail, L"(0.001 - 1000)");
    EXPECT_TRUE(Dialog::getWindowTextDouble(L"   ", value, 0.001, 1000.0));
}

TEST(DialogValidation, MoveAmountsAreDigitsWithAnOptionalFractionOrFrameMark) {
    for (const wchar_t* good : {L"5", L"5f", L"1.5", L"15", L"15", L"0", L"10f"})
        EXPECT_TRUE(Dialog::isMoveFrameText(good)) << describe({ItemRefusal{good, L""}});
    for (const wchar_t* bad : {L".5", L"5.", L"1.5f", L"", L"f", L"-5", L"5 ", L"5F", L"1..5"})
        EXPECT_FALSE(Dialog::isMoveFrameText(bad)) << describe({ItemRefusal{bad, L""}});
}

TEST(DialogValidation, NamesAndGroupPathsRefuseWithTheCharacterList) {
    const std::wstring nameList = L"  \\ / :*? \"'<>|%=,.";
    const std::wstring folderList = L"  / :*? \"'<>|%=,.";
    ASSERT_EQ(nameList.size(), 19u);
    ASSERT_EQ(folderList.size(), 17u);
    struct Case {
        const wchar_t* text;
        bool folder;
        const wchar_t* message;  // null: accepted
        const std::wstring* detail;
    };
    const std::wstring none;
    const Case cases[] = {
        {L"", false, nullptr, nullptr},
        {L"preset", false, nullptr, nullptr},
        {L"a.b", false, L"使用できない文字が含まれています", &nameList},
        {L"a\\b", false, L"使用できない文字が含まれています", &nameList},
        {L"it's", false, L"使用できない文字が含まれています", &nameList},
        {L"", true, nullptr, nullptr},
        {L"group\\sub", true, nullptr, nullptr},
        {L"\\group", true, L"フォーマットが正しくありません", &none},
        {L"group\\", true, L"フォーマットが正しくありません", &none},
        {L"a\\\\b", true, L"フォーマットが正しくありません", &none},
        {L"a\\b.c", true, L"使用できない文字が含まれています", &folderList},
        {L"50%", true, L"使用できない文字が含まれています", &folderList},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const auto refusal = c.folder ? Dialog::validateFolderName(c.text) : Dialog::validateName(c.text);
        ASSERT_EQ(refusal.has_value(), c.message != nullptr);
        if (!refusal) continue;
        EXPECT_EQ(refusal->message, c.message);
        EXPECT_EQ(refusal->detail, *c.detail);
    }
}

}  // namespace
