#pragma once
// The colour text form ("rrggbb" or "rrggbbaa" in hexadecimal) used by
// settings files, parameter texts and text tags, and the conversions between
// float RGB, 8-bit RGB and HSV. Pure functions; any thread may call them.
#include <cstdint>
#include <string>

namespace Media {

// Float form: R, G, B, A in 0..1. Raises std::invalid_argument "RGB argument
// is invalid." for a blank text or a length other than 6 or 8 (outer spaces
// ignored), and "invalid stoi argument" for a pair that starts with no
// hexadecimal digit.
void parseHexColor(const std::string& text, float rgba[4]);
void parseHexColor(const std::wstring& text, float rgba[4]);
// Byte form: only 6-character texts are read; other lengths store nothing.
void parseHexColor(const std::string& text, std::uint8_t rgb[3]);
void parseHexColor(const std::wstring& text, std::uint8_t rgb[3]);

// "%02x%02x%02x".
std::string toHexString(const std::uint8_t rgb[3]);
std::wstring toHexStringW(const std::uint8_t rgb[3]);

struct RGB8 {
    std::uint8_t r, g, b;
};
// Each component times 255, rounded half away from zero, clamped.
RGB8 toRGB8(const float rgb[3]);

struct HSV {
    float h, s, v;  // h in [0, 1)
};
struct RGBA {
    float r, g, b, a;
};
HSV rgbToHsv(const float rgb[3]);
RGBA hsvToRgb(const float hsv[3]);

}  // namespace Media
