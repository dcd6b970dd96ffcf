#pragma once
// Small pure text helpers shared by the whole program: wide printf, trimming,
// literal and placeholder replacement, splitting and joining, number texts and
// time codes. Any thread may call them.
#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace System::String {

// Wide printf (%ls for wide arguments), cut after 1,023 UTF-16 units.
std::wstring format(const wchar_t* format, ...);
std::wstring formatV(const wchar_t* format, va_list args);

// Removes leading and trailing U+0020 only; a text of spaces becomes empty.
void trim(std::wstring& text);

// Replaces every occurrence of from (not empty) by to; inserted text is not
// searched again.
void replaceAll(std::wstring& text, const wchar_t* from, const wchar_t* to);

// Replaces every "{name}" placeholder by lookup(name). The lookup runs once per
// match of the original text and must return a text (never null); the
// replacements are not searched again.
void replaceRegex(std::wstring& text,
                  const std::function<const wchar_t*(const std::wstring& name)>& lookup);

// Pieces between separators, empty pieces kept; an empty text is one piece.
std::vector<std::string> splitComma(const std::string& text);
std::vector<std::string> split(const std::string& text, char separator);
std::vector<std::wstring> split(const std::wstring& text, wchar_t separator);

std::wstring join(const std::vector<std::wstring>& list, wchar_t separator);

// "1.500000" -> "1.5", "2.000000" -> "2"; texts without '.' stay.
void removeTrailingZeros(std::string& number);

// "[-]hh:mm:ss" and "[-]hh:mm:ss.cc" (hours not limited to two digits;
// seconds and hundredths truncated). Output longer than size is cut.
void formatTime(wchar_t* out, std::size_t size, double seconds);
void formatTimePrecise(wchar_t* out, std::size_t size, double seconds);

template <std::size_t N>
void formatTime(wchar_t (&out)[N], double seconds) {
    formatTime(out, N, seconds);
}
template <std::size_t N>
void formatTimePrecise(wchar_t (&out)[N], double seconds) {
    formatTimePrecise(out, N, seconds);
}

}  // namespace System::String
