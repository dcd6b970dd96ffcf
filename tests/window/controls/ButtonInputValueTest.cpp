// The click-to-edit field's value: the first capture group of a whole
// match, the fallback, and the begin and end of an editing.
#include "window/controls/ButtonInputValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ColourField : Control::ButtonInputValue {
    ColourField() {
        filter = L"^([0-9a-zA-Z]{6}|)$";
        onChange = [this](ButtonInputValue&) { log += "change(" + narrow(text) + ") "; };
        onEditBegin = [this](ButtonInputValue&) { log += "begin "; };
        onEditEnd = [this](ButtonInputValue&) { log += "end "; };
    }
    static std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }
    std::string log;
};

TEST(ButtonInputValueTest, APartlyTypedColourChangesNothingUntilItIsWhole) {
    ColourField field;
    field.setTextValue(L"ff0000", false);
    std::wstring typed;
    for (wchar_t c : std::wstring(L"12ab")) {
        typed += c;
        field.editChanged(typed);
    }
    EXPECT_EQ(field.text, L"ff0000");
    EXPECT_EQ(field.log, "begin ");
    field.editChanged(L"12ab5");
    field.editChanged(L"12ab56");
    EXPECT_EQ(field.text, L"12ab56");
    EXPECT_EQ(field.log, "begin change(12ab56) ");
    field.editChanged(L"");  // the empty alternative matches
    EXPECT_EQ(field.text, L"");
    field.endEditing();
    field.endEditing();  // once only
    EXPECT_EQ(field.log, "begin change(12ab56) change() end ");
}

TEST(ButtonInputValueTest, TheValueIsTheFirstGroupOrTheFallback) {
    struct Case {
        const wchar_t* filter;
        const wchar_t* fallback;
        const wchar_t* input;
        const wchar_t* text;
    };
    const std::vector<Case> cases = {
        {L"^([0-9a-zA-Z]{6}|)$", L"", L"zz", L""},
        {L"^([0-9a-zA-Z]{6}|)$", L"000000", L"zz", L"000000"},
        {L"^#?([0-9a-f]{6})$", L"", L"#a0b1c2", L"a0b1c2"},  // a tolerated decoration
        {L"^(a)?b$", L"x", L"b", L""},                       // the group took no part
        {L"^[0-9]+$", L"x", L"42", L""},                     // no group at all
        {nullptr, L"x", L"anything", L"anything"},
        {L"([0-9", L"kept", L"1", L"kept"},  // a filter that does not compile
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ColourField::narrow(c.input));
        Control::ButtonInputValue field;
        field.filter = c.filter;
        field.fallbackText = c.fallback;
        EXPECT_TRUE(field.setTextValue(c.input, false));
        EXPECT_EQ(field.text, c.text);
    }
}

TEST(ButtonInputValueTest, AnEmptiedEditRestoresANonEmptyFallback) {
    ColourField field;
    field.fallbackText = L"ffffff";
    field.editChanged(L"");
    EXPECT_EQ(field.text, L"ffffff");
    EXPECT_EQ(field.log, "begin change(ffffff) ");
}

}  // namespace
