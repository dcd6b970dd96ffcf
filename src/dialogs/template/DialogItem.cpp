#include "dialogs/template/DialogItem.h"

#include "core/text/FormatDouble.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "core/translate/TranslateService.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace Dialog {

namespace {

const wchar_t* const kInvalid = L"値が不正です";

std::string utf8(const std::wstring& text) { return System::String::toUtf8(text); }

Platform::FormRow makeRow(const std::wstring& label, std::vector<std::wstring> texts, bool digitsOnly) {
    Platform::FormRow row;
    row.label = utf8(Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog,
                                                            label.c_str()));
    for (const std::wstring& text : texts) row.texts.push_back(utf8(text));
    row.digitsOnly = digitsOnly;
    return row;
}

std::wstring at(const std::vector<std::wstring>& texts, std::size_t i) {
    return i < texts.size() ? texts[i] : std::wstring();
}

ItemRefusal integerRefusal(int box, int minimum, int maximum) {
    return {box, kInvalid, L"(" + std::to_wstring(minimum) + L" - " + std::to_wstring(maximum) + L")"};
}

}  // namespace

bool getWindowTextInteger(const std::wstring& text, int& value, int minimum, int maximum) {
    if (text.empty()) return false;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long number = std::wcstol(begin, &end, 10);
    if (end == begin || errno == ERANGE || number < INT_MIN || number > INT_MAX) return false;
    value = static_cast<int>(number);
    return minimum <= value && value <= maximum;
}

bool getWindowTextDouble(const std::wstring& text, double& value, double minimum, double maximum) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const std::wstring trimmed = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    const wchar_t* begin = trimmed.c_str();
    wchar_t* end = nullptr;
    const double number = std::wcstod(begin, &end);
    if (end == begin) return false;
    value = number;
    return !std::isnan(number) && minimum <= number && number <= maximum;
}

Platform::FormRow DialogItemText::createRow() const { return makeRow(label, {text}, false); }

std::optional<ItemRefusal> DialogItemText::readValue(const std::vector<std::wstring>& texts) {
    const std::wstring entered = at(texts, 0);
    if (entered.empty() && required) return ItemRefusal{0, L"必須項目です", L""};
    text = entered;
    return std::nullopt;
}

Platform::FormRow DialogItemInteger::createRow() const {
    return makeRow(label, {std::to_wstring(value)}, minimum >= 0 && maximum >= 0);
}

std::optional<ItemRefusal> DialogItemInteger::readValue(const std::vector<std::wstring>& texts) {
    if (!getWindowTextInteger(at(texts, 0), value, minimum, maximum)) return integerRefusal(0, minimum, maximum);
    return std::nullopt;
}

Platform::FormRow DialogItemNumber::createRow() const { return makeRow(label, {System::formatDouble(value)}, false); }

std::optional<ItemRefusal> DialogItemNumber::readValue(const std::vector<std::wstring>& texts) {
    if (getWindowTextDouble(at(texts, 0), value, minimum, maximum)) return std::nullopt;
    return ItemRefusal{0, kInvalid,
                       System::String::format(L"(%.16lg - %.16lg)", minimum, maximum)};
}

Platform::FormRow DialogItemImageSize::createRow() const {
    return makeRow(label, {std::to_wstring(width), std::to_wstring(height)}, true);
}

std::optional<ItemRefusal> DialogItemImageSize::readValue(const std::vector<std::wstring>& texts) {
    if (!getWindowTextInteger(at(texts, 0), width, minimum, maximum)) return integerRefusal(0, minimum, maximum);
    if (!getWindowTextInteger(at(texts, 1), height, minimum, maximum)) return integerRefusal(1, minimum, maximum);
    return std::nullopt;
}

}  // namespace Dialog
