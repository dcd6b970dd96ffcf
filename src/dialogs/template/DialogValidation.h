#pragma once
// The checks the dialog rows apply to typed texts. Each returns the reason
// a text is refused (shown under its box; the dialog stays open) or
// nothing when the text is accepted.
#include <optional>
#include <string>

namespace Dialog {

struct ItemRefusal {
    std::wstring message;
    std::wstring detail;
};

// Leading blanks skipped, a sign allowed, text after the digits ignored.
// The number is stored even when it is out of range; no digits, a number
// beyond int or one outside min..max is refused with the range.
std::optional<ItemRefusal> getWindowTextInteger(const std::wstring& text, int& value, int minimum, int maximum);
// The same for a real number, the text stripped of blanks at both ends; a
// NaN is refused.
std::optional<ItemRefusal> getWindowTextDouble(const std::wstring& text, double& value, double minimum,
                                               double maximum);
// Names that become parts of file names or menu keys: none of \ / : * ? " '
// < > | % = , . (an empty name passes; required rows refuse it first).
std::optional<ItemRefusal> validateName(const std::wstring& text);
// Group paths whose levels are joined by backslashes: no backslash at
// either end or twice in a row, and none of the name characters but the
// backslash.
std::optional<ItemRefusal> validateFolderName(const std::wstring& text);
// A move amount: digits, then either more digits after an optional point
// or the letter f (frames).
bool isMoveFrameText(const std::wstring& text);

// Texts of the refusals.
inline constexpr const wchar_t* kInvalidValue = L"値が不正です";
inline constexpr const wchar_t* kRequired = L"必須項目です";
inline constexpr const wchar_t* kForbiddenCharacters = L"使用できない文字が含まれています";
inline constexpr const wchar_t* kBadFormat = L"フォーマットが正しくありません";

}  // namespace Dialog
