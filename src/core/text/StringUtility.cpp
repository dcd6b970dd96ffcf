#include "core/text/StringUtility.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <regex>

namespace System::String {

std::wstring formatV(const wchar_t* format, va_list args) {
    // The log's wide formatter already cuts at 1,023 UTF-16 units.
    return toWide(Text::formatWideV(format, args));
}

std::wstring format(const wchar_t* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::wstring text = formatV(fmt, args);
    va_end(args);
    return text;
}

void trim(std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        text.clear();
        return;
    }
    const std::size_t last = text.find_last_not_of(L' ');
    text = text.substr(first, last - first + 1);
}

void replaceAll(std::wstring& text, const wchar_t* from, const wchar_t* to) {
    const std::size_t fromLength = std::wcslen(from);
    const std::size_t toLength = std::wcslen(to);
    if (fromLength == 0) return;
    std::size_t pos = 0;
    while ((pos = text.find(from, pos, fromLength)) != std::wstring::npos) {
        text.replace(pos, fromLength, to, toLength);
        pos += toLength;
    }
}

void replaceRegex(std::wstring& text,
                  const std::function<const wchar_t*(const std::wstring& name)>& lookup) {
    static const std::wregex placeholder(L"\\{(.+?)\\}");
    // One pass over the original: a replacement is never searched again, so
    // a value that looks like a placeholder stays as it is.
    std::wstring result;
    std::size_t copied = 0;
    for (auto it = std::wsregex_iterator(text.begin(), text.end(), placeholder);
         it != std::wsregex_iterator(); ++it) {
        const std::wsmatch& match = *it;
        const std::size_t at = static_cast<std::size_t>(match.position(0));
        result.append(text, copied, at - copied);
        result += lookup(match[1].matched ? match[1].str() : std::wstring());
        copied = at + static_cast<std::size_t>(match.length(0));
    }
    result.append(text, copied, std::wstring::npos);
    text = std::move(result);
}

namespace {

template <class Text>
std::vector<Text> splitText(const Text& text, typename Text::value_type separator) {
    std::vector<Text> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t pos = text.find(separator, start);
        if (pos == Text::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

struct TimeParts {
    const wchar_t* sign;
    long long hours, minutes, seconds, hundredths;
};

TimeParts timeParts(double seconds) {
    // Beyond any real time code; keeps the integer conversion defined.
    constexpr double kLimit = 1e15;
    double a = std::fabs(seconds);
    if (!(a < kLimit)) a = std::isnan(a) ? 0 : kLimit;
    const auto s = static_cast<long long>(a);
    return {seconds < 0 ? L"-" : L"", s / 3600, (s % 3600) / 60, s % 60,
            static_cast<long long>(a * 100) % 100};
}

// swprintf leaves its buffer undefined when the text does not fit: format
// into a large buffer and copy what fits.
void copyCut(wchar_t* out, std::size_t size, const wchar_t* text) {
    if (size == 0) return;
    std::wcsncpy(out, text, size - 1);
    out[size - 1] = L'\0';
}

}  // namespace

std::vector<std::string> splitComma(const std::string& text) { return splitText(text, ','); }

std::vector<std::string> split(const std::string& text, char separator) {
    return splitText(text, separator);
}

std::vector<std::wstring> split(const std::wstring& text, wchar_t separator) {
    return splitText(text, separator);
}

std::wstring join(const std::vector<std::wstring>& list, wchar_t separator) {
    std::wstring text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) text += separator;
        text += list[i];
    }
    return text;
}

void removeTrailingZeros(std::string& number) {
    if (number.empty() || number.find('.') == std::string::npos) return;
    while (!number.empty() && number.back() == '0') number.pop_back();
    if (!number.empty() && number.back() == '.') number.pop_back();
}

void formatTime(wchar_t* out, std::size_t size, double seconds) {
    const TimeParts t = timeParts(seconds);
    wchar_t buffer[128];
    std::swprintf(buffer, 128, L"%ls%02lld:%02lld:%02lld", t.sign, t.hours, t.minutes, t.seconds);
    copyCut(out, size, buffer);
}

void formatTimePrecise(wchar_t* out, std::size_t size, double seconds) {
    const TimeParts t = timeParts(seconds);
    wchar_t buffer[128];
    std::swprintf(buffer, 128, L"%ls%02lld:%02lld:%02lld.%02lld", t.sign, t.hours, t.minutes,
                  t.seconds, t.hundredths);
    copyCut(out, size, buffer);
}

}  // namespace System::String
