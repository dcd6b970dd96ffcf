#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace S = System::String;

TEST(StringFormat, FormatsWideAndCutsAt1023Units) {
    EXPECT_EQ(S::format(L"%d-%ls-%s", 7, L"幅", "n"), L"7-幅-n");
    const std::wstring long1500(1500, L'x');
    EXPECT_EQ(S::format(L"%ls", long1500.c_str()), std::wstring(1023, L'x'));
    // A character outside the basic plane counts two units and is not split.
    const std::wstring astral = std::wstring(1022, L'a') + L"\U0001F600";
    EXPECT_EQ(S::format(L"%ls", astral.c_str()), std::wstring(1022, L'a'));
}

TEST(StringTrim, RemovesOnlyOuterSpaces) {
    struct Case {
        const wchar_t* in;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"  a b  ", L"a b"}, {L"\ta\t", L"\ta\t"}, {L"\u3000a\u3000", L"\u3000a\u3000"},
        {L"", L""},           {L"    ", L""},       {L" x", L"x"},
    };
    for (const Case& c : cases) {
        std::wstring text = c.in;
        S::trim(text);
        EXPECT_EQ(text, c.out) << "input [" << System::String::toUtf8(c.in) << "]";
    }
}

TEST(StringReplaceAll, DoesNotRescanInsertedText) {
    std::wstring text = L"aaaa";
    S::replaceAll(text, L"aa", L"a");
    EXPECT_EQ(text, L"aa");
    text = L"x.y.z";
    S::replaceAll(text, L".", L"..");
    EXPECT_EQ(text, L"x..y..z");
    text = L"abc";
    S::replaceAll(text, L"", L"q");  // an empty pattern changes nothing
    EXPECT_EQ(text, L"abc");
}

TEST(StringReplaceRegex, ReplacesEveryOccurrenceAndCallsPerMatch) {
    std::vector<std::wstring> asked;
    const auto lookup = [&](const std::wstring& name) -> const wchar_t* {
        asked.push_back(name);
        return name == L"a" ? L"1" : L"<?>";
    };
    std::wstring text = L"*{a} and {a}* {bb}";
    S::replaceRegex(text, lookup);
    EXPECT_EQ(text, L"*1 and 1* <?>");
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"a", L"a", L"bb"}));

    asked.clear();
    text = L"no braces {} here";
    S::replaceRegex(text, lookup);
    EXPECT_EQ(text, L"no braces {} here");
    EXPECT_TRUE(asked.empty());

    // The shortest run: "{x}{y}" holds two placeholders, not "x}{y".
    text = L"{x}{y}";
    S::replaceRegex(text, [](const std::wstring& n) { return n == L"x" ? L"X" : L"Y"; });
    EXPECT_EQ(text, L"XY");
    // A value that looks like a placeholder is shown as it is, whether its
    // name comes before or after it.
    const auto braces = [](const std::wstring& n) { return n == L"name" ? L"{frame}" : L"7"; };
    for (const auto& [in, out] : {std::pair{L"{name} {frame}", L"{frame} 7"}, {L"{frame} {name}", L"7 {frame}"},
                                  {L"{name}{name}", L"{frame}{frame}"}}) {
        text = in;
        S::replaceRegex(text, braces);
        EXPECT_EQ(text, out) << in;
    }
}

TEST(StringSplit, KeepsEmptyPieces) {
    using V = std::vector<std::string>;
    EXPECT_EQ(S::split("a,,b", ','), (V{"a", "", "b"}));
    EXPECT_EQ(S::split("a,", ','), (V{"a", ""}));
    EXPECT_EQ(S::split("", ','), (V{""}));
    EXPECT_EQ(S::split("abc", ','), (V{"abc"}));
    EXPECT_EQ(S::splitComma(",x,"), (V{"", "x", ""}));
    EXPECT_EQ(S::split(std::wstring(L"時|分|"), L'|'), (std::vector<std::wstring>{L"時", L"分", L""}));
}

TEST(StringJoin, SeparatesElements) {
    EXPECT_EQ(S::join({}, L','), L"");
    EXPECT_EQ(S::join({L"a"}, L','), L"a");
    EXPECT_EQ(S::join({L"a", L"", L"c"}, L';'), L"a;;c");
}

TEST(StringRemoveTrailingZeros, NumbersFromPercentF) {
    const std::pair<std::string, std::string> cases[] = {
        {"1.500000", "1.5"}, {"2.000000", "2"}, {"100", "100"}, {"0.000", "0"},
        {"", ""},            {"-0.250000", "-0.25"}, {"10.0", "10"}, {".000", ""},
    };
    for (const auto& [in, out] : cases) {
        std::string number = in;
        S::removeTrailingZeros(number);
        EXPECT_EQ(number, out) << in;
    }
}

TEST(StringFormatTime, TruncatesAndSigns) {
    struct Case {
        double seconds;
        const wchar_t* plain;
        const wchar_t* precise;
    };
    const Case cases[] = {
        {3725.5, L"01:02:05", L"01:02:05.50"},
        {-1.25, L"-00:00:01", L"-00:00:01.25"},
        {360000, L"100:00:00", L"100:00:00.00"},
        {59.999, L"00:00:59", L"00:00:59.99"},
        {-0.0, L"00:00:00", L"00:00:00.00"},
        {0.004, L"00:00:00", L"00:00:00.00"},
    };
    for (const Case& c : cases) {
        wchar_t out[32];
        S::formatTime(out, c.seconds);
        EXPECT_STREQ(out, c.plain) << c.seconds;
        S::formatTimePrecise(out, c.seconds);
        EXPECT_STREQ(out, c.precise) << c.seconds;
    }
    // A short buffer is cut, not overrun.
    wchar_t small[6];
    S::formatTimePrecise(small, 6, 3725.5);
    EXPECT_STREQ(small, L"01:02");
}

}  // namespace
