#include "dialogs/template/DialogValidation.h"

#include "core/text/StringUtility.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>
#include <regex>

namespace Dialog {

namespace {

// The characters a name may not hold, as the refusal lists them.
constexpr const wchar_t* kNameCharacters = L"\\/:*?\"'<>|%=,.";
const wchar_t* const kNameList = L"  \\ / :*? \"'<>|%=,.";
const wchar_t* const kFolderList = L"  / :*? \"'<>|%=,.";

}  // namespace

std::optional<ItemRefusal> getWindowTextInteger(const std::wstring& text, int& value, int minimum, int maximum) {
    const ItemRefusal refusal{kInvalidValue,
                              L"(" + std::to_wstring(minimum) + L" - " + std::to_wstring(maximum) + L")"};
    if (text.empty()) return refusal;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long number = std::wcstol(begin, &end, 10);
    if (end == begin || errno == ERANGE || number < INT_MIN || number > INT_MAX) return refusal;
    value = static_cast<int>(number);
    if (value < minimum || value > maximum) return refusal;
    return std::nullopt;
}

std::optional<ItemRefusal> getWindowTextDouble(const std::wstring& text, double& value, double minimum,
                                               double maximum) {
    const ItemRefusal refusal{kInvalidValue, System::String::format(L"(%.16lg - %.16lg)", minimum, maximum)};
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return refusal;
    const std::wstring trimmed = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    const wchar_t* begin = trimmed.c_str();
    wchar_t* end = nullptr;
    const double number = std::wcstod(begin, &end);
    if (end == begin) return refusal;
    value = number;
    if (std::isnan(number) || number < minimum || number > maximum) return refusal;
    return std::nullopt;
}

std::optional<ItemRefusal> validateName(const std::wstring& text) {
    if (text.find_first_of(kNameCharacters) != std::wstring::npos) return ItemRefusal{kForbiddenCharacters, kNameList};
    return std::nullopt;
}

std::optional<ItemRefusal> validateFolderName(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == L'\\' || text.back() == L'\\' || text.find(L"\\\\") != std::wstring::npos)
        return ItemRefusal{kBadFormat, L""};
    if (text.find_first_of(kNameCharacters + 1) != std::wstring::npos)
        return ItemRefusal{kForbiddenCharacters, kFolderList};
    return std::nullopt;
}

bool isMoveFrameText(const std::wstring& text) {
    static const std::wregex pattern(L"^[0-9]+([.]?[0-9]+|f)?$");
    return std::regex_match(text, pattern);
}

}  // namespace Dialog
