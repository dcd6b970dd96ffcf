#include "core/text/StringConvert.h"

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <iconv.h>

namespace System::String {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[i]; advances i past it.
char32_t decodeUtf8(const unsigned char* text, std::size_t length, std::size_t& i) {
    const unsigned char lead = text[i++];
    if (lead < 0x80) return lead;
    int extra;
    char32_t value;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return kReplacement;
    }
    const std::size_t start = i;
    for (int k = 0; k < extra; ++k) {
        if (i >= length || (text[i] & 0xC0) != 0x80) return kReplacement;
        value = (value << 6) | (text[i++] & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (value < kMinimum[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        (void)start;
        return kReplacement;
    }
    return value;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::wstring wideFromUtf8(const char* text, std::size_t length) {
    std::wstring out;
    out.reserve(length);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < length) out += static_cast<wchar_t>(decodeUtf8(bytes, length, i));
    return out;
}

std::string utf8FromWide(const wchar_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) appendUtf8(out, static_cast<char32_t>(text[i]));
    return out;
}

}  // namespace

std::wstring toWide(const char* utf8) {
    if (!utf8) return {};
    return wideFromUtf8(utf8, std::strlen(utf8));
}

std::wstring toWide(const std::string& utf8) { return wideFromUtf8(utf8.data(), utf8.size()); }

std::string toUtf8(const wchar_t* wide) {
    if (!wide) return {};
    return utf8FromWide(wide, std::wcslen(wide));
}

std::string toUtf8(const std::wstring& wide) { return utf8FromWide(wide.data(), wide.size()); }

std::string toAnsi(const wchar_t* wide) { return toUtf8(wide); }
std::string toAnsi(const std::wstring& wide) { return toUtf8(wide); }

std::u16string toUtf16(const std::wstring& wide) {
    std::u16string out;
    out.reserve(wide.size());
    for (wchar_t w : wide) {
        auto c = static_cast<char32_t>(w);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        }
    }
    return out;
}

std::wstring fromUtf16(const std::u16string& utf16) {
    std::wstring out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(u);
        }
    }
    return out;
}

namespace {
std::string legacyEncodingName = "CP932";
}

bool setLegacyEncoding(const std::string& name) {
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    legacyEncodingName = name;
    return true;
}
const std::string& legacyEncoding() { return legacyEncodingName; }

std::string legacyToUtf8(const std::string& legacy) {
    if (legacy.empty()) return {};
    iconv_t cd = iconv_open("UTF-8", legacyEncodingName.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return toUtf8(std::wstring(legacy.size(), kReplacement));
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(legacy.data());
    std::size_t inLeft = legacy.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // An invalid or cut sequence: one replacement character per bad byte.
        appendUtf8(out, kReplacement);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::wstring legacyToWide(const std::string& legacy) { return toWide(legacyToUtf8(legacy)); }

bool isValidUtf8(const std::string& text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const char32_t c = decodeUtf8(bytes, text.size(), i);
        // A genuine U+FFFD is three bytes EF BF BD.
        if (c == kReplacement && !(i - start == 3 && bytes[start] == 0xEF)) return false;
    }
    return true;
}

std::size_t utf8CutLength(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t cut = maxBytes;
    // Step back over continuation bytes so the cut lands before a lead byte.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return cut;
}

std::size_t utf16CutLength(const std::u16string& text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) return text.size();
    std::size_t cut = maxUnits;
    if (cut > 0 && text[cut] >= 0xDC00 && text[cut] <= 0xDFFF && text[cut - 1] >= 0xD800 &&
        text[cut - 1] <= 0xDBFF)
        --cut;
    return cut;
}

}  // namespace System::String
