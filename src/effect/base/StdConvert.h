#pragma once
// Number conversions of parameter texts. Item readers report malformed
// numbers with the standard library's exceptions and the texts users and
// logs know ("invalid stoi argument", "stod argument out of range" ...);
// these helpers give the same texts on every platform (int is read as
// 32 bits even where long is wider).
#include <string>
#include <string_view>
#include <vector>

namespace Effect::StdConvert {

// Leading white space and a sign are allowed; parsing stops at the first
// character that does not fit; no digits throws std::invalid_argument,
// a value beyond int throws std::out_of_range.
int toInt(const std::string& text, int base = 10);
double toDouble(const std::string& text);

// Doubles joined by ',', each "%f" without trailing zeros (1.500000 -> 1.5,
// 2.000000 -> 2): movement parameters, curves and preset files.
std::string joinDoubles(const std::vector<double>& list);
// Every ','-separated piece of a text as a double; an empty text gives none.
std::vector<double> splitDoubles(const std::string& text);

// A parameter text as wide text. Texts are written as C strings, so one
// holding a NUL would come back cut: it throws std::invalid_argument.
std::wstring toWideText(const std::string& utf8);
// The same for one-line texts, which are written as one line of a file: a
// CR or LF throws as well.
std::wstring toWideLine(const std::string& utf8);

// Why a text cannot stand as one line of a project, alias or defaults file:
// "text holds a line break." for a CR or LF (the line would end there and
// the rest become lines of their own), "text holds a NUL character." for a
// NUL (it would not read back), whichever comes first; null when it can.
const char* lineFault(std::string_view text);
const char* lineFault(std::wstring_view text);
// A text of a file's own content made one line: each CR, LF, CR LF pair and
// NUL becomes one space.
std::wstring joinedLine(std::wstring_view text);

// The texts of a failed ordered-map / hash-map lookup (std::out_of_range).
[[noreturn]] void throwMissingMapKey();
[[noreturn]] void throwMissingUnorderedMapKey();

}  // namespace Effect::StdConvert
