#include "core/text/FormatDouble.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(FormatDouble, SixDecimalsWithoutTrailingZerosOrPoint) {
    struct Case {
        double value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {2.5, L"2.5"},
        {3.0, L"3"},
        {-0.25, L"-0.25"},
        {-0.5, L"-0.5"},
        {1e-7, L"0"},          // below the sixth decimal
        {100.0, L"100"},       // zeros before the point stay
        {1000000.0, L"1000000"},
        {0.0000016, L"0.000002"},  // "%f" rounds to six decimals
        {30000.0 / 1001.0, L"29.97003"},
        {44.1, L"44.1"},
        {0.0, L"0"},
        {-3.0, L"-3"},
        {std::numeric_limits<double>::infinity(), L"inf"},
    };
    for (const Case& c : cases) EXPECT_EQ(System::formatDouble(c.value), c.text) << c.value;
}

TEST(FormatDouble, TheLargestNumberIsWrittenWhole) {
    const std::wstring text = System::formatDouble(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u);
    EXPECT_EQ(text.substr(0, 6), L"179769");
    EXPECT_EQ(System::formatDouble(-std::numeric_limits<double>::max()).size(), 310u);
}

}  // namespace
