#pragma once
// Conversions between the program's text forms. Wide text is std::wstring
// (UTF-32 here); ini files and scripts are UTF-8; the "ANSI code page" of
// log lines and exception texts is UTF-8 as well. Where a count, a cut or a
// hash is defined on UTF-16 units, convert explicitly with toUtf16.
#include <cstddef>
#include <string>

namespace System::String {

// Invalid input never fails: bad sequences become U+FFFD.
std::wstring toWide(const char* utf8);
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const wchar_t* wide);
std::string toUtf8(const std::wstring& wide);
std::string toAnsi(const wchar_t* wide);
std::string toAnsi(const std::wstring& wide);

std::u16string toUtf16(const std::wstring& wide);
std::wstring fromUtf16(const std::u16string& utf16);

// Text that files mark as the legacy ANSI code page (legacy exchange files,
// old scripts, non-UTF-8 text files) is decoded from one legacy encoding,
// CP932 unless changed at start-up. Undecodable bytes become U+FFFD.
std::string legacyToUtf8(const std::string& legacy);
std::wstring legacyToWide(const std::string& legacy);
// An iconv encoding name; set on the user-interface thread before workers
// run. False (and no change) when iconv does not know it.
bool setLegacyEncoding(const std::string& name);
const std::string& legacyEncoding();
// True when every byte sequence of text is well-formed UTF-8.
bool isValidUtf8(const std::string& text);

// The longest prefix of at most maxBytes bytes that does not split a UTF-8
// sequence.
std::size_t utf8CutLength(const std::string& text, std::size_t maxBytes);
// The same on UTF-16 units: a surrogate pair is never split.
std::size_t utf16CutLength(const std::u16string& text, std::size_t maxUnits);

}  // namespace System::String
