#include "effect/base/StdConvert.h"

#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace Effect::StdConvert {

int toInt(const std::string& text, int base) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, base);
    if (end == begin) throw std::invalid_argument("invalid stoi argument");
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        throw std::out_of_range("stoi argument out of range");
    return static_cast<int>(value);
}

double toDouble(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin) throw std::invalid_argument("invalid stod argument");
    if (errno == ERANGE) throw std::out_of_range("stod argument out of range");
    return value;
}

std::string joinDoubles(const std::vector<double>& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) text += ',';
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, "%f", list[i]);
        std::string number = buffer;
        System::String::removeTrailingZeros(number);
        text += number;
    }
    return text;
}

std::vector<double> splitDoubles(const std::string& text) {
    std::vector<double> list;
    if (text.empty()) return list;
    for (const std::string& piece : System::String::split(text, ',')) list.push_back(toDouble(piece));
    return list;
}

std::wstring toWideText(const std::string& utf8) {
    if (utf8.find('\0') != std::string::npos) throw std::invalid_argument("text holds a NUL character.");
    return System::String::toWide(utf8);
}

std::wstring toWideLine(const std::string& utf8) {
    if (utf8.find_first_of("\r\n") != std::string::npos) throw std::invalid_argument("text holds a line break.");
    return toWideText(utf8);
}

namespace {

template <class Char>
const char* lineFaultOf(std::basic_string_view<Char> text) {
    for (const Char c : text) {
        if (c == Char('\r') || c == Char('\n')) return "text holds a line break.";
        if (c == Char('\0')) return "text holds a NUL character.";
    }
    return nullptr;
}

}  // namespace

const char* lineFault(std::string_view text) { return lineFaultOf(text); }

const char* lineFault(std::wstring_view text) { return lineFaultOf(text); }

std::wstring joinedLine(std::wstring_view text) {
    std::wstring line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        line += c == L'\r' || c == L'\n' || c == L'\0' ? L' ' : c;
    }
    return line;
}

void throwMissingMapKey() { throw std::out_of_range("invalid map<K, T> key"); }

void throwMissingUnorderedMapKey() { throw std::out_of_range("invalid unordered_map<K, T> key"); }

}  // namespace Effect::StdConvert
