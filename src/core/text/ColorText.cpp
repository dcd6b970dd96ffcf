#include "core/text/ColorText.h"

#include "core/text/StringConvert.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace Media {

namespace {

constexpr const char* kInvalid = "RGB argument is invalid.";

// The text between the first and the last non-space character; npos-free.
bool innerText(const std::string& text, std::string& inner) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::size_t last = text.find_last_not_of(' ');
    inner = text.substr(first, last - first + 1);
    return true;
}

// One pair read as std::stoi(pair, nullptr, 16) reads it: leading blanks,
// a sign and a "0x" are taken; parsing stops at the first other character.
int parsePair(const std::string& text, std::size_t offset) {
    const std::string pair = text.substr(offset, 2);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(pair.c_str(), &end, 16);
    if (end == pair.c_str()) throw std::invalid_argument("invalid stoi argument");
    return static_cast<int>(value);
}

}  // namespace

void parseHexColor(const std::string& text, float rgba[4]) {
    std::string inner;
    if (!innerText(text, inner)) throw std::invalid_argument(kInvalid);
    if (inner.size() != 6 && inner.size() != 8) throw std::invalid_argument(kInvalid);
    float values[4] = {0, 0, 0, 1};
    for (std::size_t i = 0; i < inner.size() / 2; ++i)
        values[i] = static_cast<float>(parsePair(inner, i * 2)) / 255.0f;
    std::copy(values, values + 4, rgba);
}

void parseHexColor(const std::wstring& text, float rgba[4]) {
    parseHexColor(System::String::toUtf8(text), rgba);
}

void parseHexColor(const std::string& text, std::uint8_t rgb[3]) {
    std::string inner;
    if (!innerText(text, inner)) throw std::invalid_argument(kInvalid);
    if (inner.size() != 6) return;
    std::uint8_t values[3];
    for (std::size_t i = 0; i < 3; ++i) values[i] = static_cast<std::uint8_t>(parsePair(inner, i * 2));
    std::copy(values, values + 3, rgb);
}

void parseHexColor(const std::wstring& text, std::uint8_t rgb[3]) {
    parseHexColor(System::String::toUtf8(text), rgb);
}

std::string toHexString(const std::uint8_t rgb[3]) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return buffer;
}

std::wstring toHexStringW(const std::uint8_t rgb[3]) {
    return System::String::toWide(toHexString(rgb));
}

RGB8 toRGB8(const float rgb[3]) {
    const auto byte = [](float c) {
        if (std::isnan(c)) return std::uint8_t{0};
        return static_cast<std::uint8_t>(std::clamp(std::round(c * 255.0f), 0.0f, 255.0f));
    };
    return {byte(rgb[0]), byte(rgb[1]), byte(rgb[2])};
}

HSV rgbToHsv(const float rgb[3]) {
    const float r = rgb[0], g = rgb[1], b = rgb[2];
    float max, d, h;
    if (r >= g && r >= b) {
        max = r;
        d = r - std::min(g, b);
        h = (g - b) / d;
    } else if (g >= b) {
        max = g;
        d = g - std::min(r, b);
        h = (b - r) / d + 2;
    } else {
        max = b;
        d = b - std::min(r, g);
        h = (r - g) / d + 4;
    }
    float hue = std::fmod((d > 0 ? h : 0) / 6, 1.0f);
    if (hue < 0) hue += 1;
    return {hue, max > 0 ? d / max : 0, max};
}

RGBA hsvToRgb(const float hsv[3]) {
    const float s = hsv[1], v = hsv[2];
    float a = std::fmod(hsv[0], 1.0f) * 6;
    if (a < 0) a += 6;
    const float m = (1 - s) * v;
    const float k = v - m;
    switch (static_cast<int>(a)) {
        case 0: return {v, m + k * a, m, 1};
        case 1: return {m + k * (2 - a), v, m, 1};
        case 2: return {m, v, m + k * (a - 2), 1};
        case 3: return {m, m + k * (4 - a), v, 1};
        case 4: return {m + k * (a - 4), m, v, 1};
        default: return {v, m, m + k * (6 - a), 1};
    }
}

}  // namespace Media
