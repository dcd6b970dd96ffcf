#include "media/resource/SvgColor.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace Resource {

namespace {

struct NamedColor {
    const char* name;
    std::uint32_t rgb;
};

// The CSS colour names, sorted.
constexpr NamedColor kNames[] = {
    {"aliceblue", 0xf0f8ff}, {"antiquewhite", 0xfaebd7}, {"aqua", 0x00ffff}, {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff}, {"beige", 0xf5f5dc}, {"bisque", 0xffe4c4}, {"black", 0x000000},
    {"blanchedalmond", 0xffebcd}, {"blue", 0x0000ff}, {"blueviolet", 0x8a2be2}, {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887}, {"cadetblue", 0x5f9ea0}, {"chartreuse", 0x7fff00}, {"chocolate", 0xd2691e},
    {"coral", 0xff7f50}, {"cornflowerblue", 0x6495ed}, {"cornsilk", 0xfff8dc}, {"crimson", 0xdc143c},
    {"cyan", 0x00ffff}, {"darkblue", 0x00008b}, {"darkcyan", 0x008b8b}, {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9}, {"darkgreen", 0x006400}, {"darkgrey", 0xa9a9a9}, {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b}, {"darkolivegreen", 0x556b2f}, {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc}, {"darkred", 0x8b0000}, {"darksalmon", 0xe9967a}, {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b}, {"darkslategray", 0x2f4f4f}, {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1}, {"darkviolet", 0x9400d3}, {"deeppink", 0xff1493}, {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969}, {"dimgrey", 0x696969}, {"dodgerblue", 0x1e90ff}, {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0}, {"forestgreen", 0x228b22}, {"fuchsia", 0xff00ff}, {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff}, {"gold", 0xffd700}, {"goldenrod", 0xdaa520}, {"gray", 0x808080},
    {"green", 0x008000}, {"greenyellow", 0xadff2f}, {"grey", 0x808080}, {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4}, {"indianred", 0xcd5c5c}, {"indigo", 0x4b0082}, {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c}, {"lavender", 0xe6e6fa}, {"lavenderblush", 0xfff0f5}, {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd}, {"lightblue", 0xadd8e6}, {"lightcoral", 0xf08080}, {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2}, {"lightgray", 0xd3d3d3}, {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3}, {"lightpink", 0xffb6c1}, {"lightsalmon", 0xffa07a}, {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa}, {"lightslategray", 0x778899}, {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de}, {"lightyellow", 0xffffe0}, {"lime", 0x00ff00}, {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6}, {"magenta", 0xff00ff}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd}, {"mediumorchid", 0xba55d3}, {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371}, {"mediumslateblue", 0x7b68ee}, {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc}, {"mediumvioletred", 0xc71585}, {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa}, {"mistyrose", 0xffe4e1}, {"moccasin", 0xffe4b5}, {"navajowhite", 0xffdead},
    {"navy", 0x000080}, {"oldlace", 0xfdf5e6}, {"olive", 0x808000}, {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500}, {"orangered", 0xff4500}, {"orchid", 0xda70d6}, {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98}, {"paleturquoise", 0xafeeee}, {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5}, {"peachpuff", 0xffdab9}, {"peru", 0xcd853f}, {"pink", 0xffc0cb},
    {"plum", 0xdda0dd}, {"powderblue", 0xb0e0e6}, {"purple", 0x800080}, {"rebeccapurple", 0x663399},
    {"red", 0xff0000}, {"rosybrown", 0xbc8f8f}, {"royalblue", 0x4169e1}, {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072}, {"sandybrown", 0xf4a460}, {"seagreen", 0x2e8b57}, {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d}, {"silver", 0xc0c0c0}, {"skyblue", 0x87ceeb}, {"slateblue", 0x6a5acd},
    {"slategray", 0x708090}, {"slategrey", 0x708090}, {"snow", 0xfffafa}, {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4}, {"tan", 0xd2b48c}, {"teal", 0x008080}, {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347}, {"turquoise", 0x40e0d0}, {"violet", 0xee82ee}, {"wheat", 0xf5deb3},
    {"white", 0xffffff}, {"whitesmoke", 0xf5f5f5}, {"yellow", 0xffff00}, {"yellowgreen", 0x9acd32},
};

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool parseHex(const std::string& digits, std::array<float, 4>& rgba) {
    std::vector<int> values;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) return false;
        values.push_back(d);
    }
    const std::size_t n = values.size();
    if (n == 3 || n == 4) {
        for (std::size_t i = 0; i < n; ++i) rgba[i] = static_cast<float>(values[i] * 17) / 255.0f;
    } else if (n == 6 || n == 8) {
        for (std::size_t i = 0; i < n / 2; ++i)
            rgba[i] = static_cast<float>(values[2 * i] * 16 + values[2 * i + 1]) / 255.0f;
    } else {
        return false;
    }
    if (n == 3 || n == 6) rgba[3] = 1.0f;
    return true;
}

// One argument of a colour function: a number, or a percentage of full.
bool parseArgument(std::string_view text, float full, float& value) {
    text = trim(text);
    if (text.empty()) return false;
    const std::string piece(text);
    char* end = nullptr;
    const double number = std::strtod(piece.c_str(), &end);
    if (end == piece.c_str() || !std::isfinite(number)) return false;
    const std::string_view rest = trim(std::string_view(end));
    if (rest == "%")
        value = static_cast<float>(number / 100.0 * full);
    else if (rest.empty() || rest == "deg")
        value = static_cast<float>(number);
    else
        return false;
    return true;
}

std::vector<std::string_view> splitArguments(std::string_view text) {
    std::vector<std::string_view> pieces;
    // Commas, or blanks with an optional "/" before alpha.
    const bool commas = text.find(',') != std::string_view::npos;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool cut = i == text.size() || (commas ? text[i] == ',' : (text[i] == ' ' || text[i] == '/'));
        if (!cut) continue;
        const std::string_view piece = trim(text.substr(start, i - start));
        if (!piece.empty() || commas) pieces.push_back(piece);
        start = i + 1;
    }
    return pieces;
}

float hueToChannel(float p, float q, float t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0f / 6) return p + (q - p) * 6 * t;
    if (t < 0.5f) return q;
    if (t < 2.0f / 3) return p + (q - p) * (2.0f / 3 - t) * 6;
    return p;
}

bool parseFunction(const std::string& name, std::string_view arguments, std::array<float, 4>& rgba) {
    const std::vector<std::string_view> pieces = splitArguments(arguments);
    if (pieces.size() != 3 && pieces.size() != 4) return false;
    float values[4] = {0, 0, 0, 1};
    const bool hsl = name == "hsl" || name == "hsla";
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const float full = i == 3 ? 1.0f : (hsl ? 1.0f : 255.0f);
        if (!parseArgument(pieces[i], full, values[i])) return false;
    }
    auto clamp = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
    if (hsl) {
        const float h = std::fmod(std::fmod(values[0], 360.0f) + 360.0f, 360.0f) / 360.0f;
        const float s = clamp(values[1]), l = clamp(values[2]);
        const float q = l < 0.5f ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
        rgba = {hueToChannel(p, q, h + 1.0f / 3), hueToChannel(p, q, h), hueToChannel(p, q, h - 1.0f / 3),
                clamp(values[3])};
    } else {
        rgba = {clamp(values[0] / 255.0f), clamp(values[1] / 255.0f), clamp(values[2] / 255.0f), clamp(values[3])};
    }
    return true;
}

}  // namespace

bool parseSvgColor(std::string_view text, std::array<float, 4>& rgba) {
    const std::string value = lower(trim(text));
    if (value.empty()) return false;
    if (value[0] == '#') return parseHex(value.substr(1), rgba);
    if (value == "transparent") {
        rgba = {0, 0, 0, 0};
        return true;
    }
    const std::size_t open = value.find('(');
    if (open != std::string::npos) {
        if (value.back() != ')') return false;
        const std::string name(trim(std::string_view(value).substr(0, open)));
        if (name != "rgb" && name != "rgba" && name != "hsl" && name != "hsla") return false;
        return parseFunction(name, std::string_view(value).substr(open + 1, value.size() - open - 2), rgba);
    }
    const auto found = std::lower_bound(std::begin(kNames), std::end(kNames), value,
                                        [](const NamedColor& entry, const std::string& key) { return key.compare(entry.name) > 0; });
    if (found == std::end(kNames) || value != found->name) return false;
    rgba = {static_cast<float>((found->rgb >> 16) & 0xff) / 255.0f, static_cast<float>((found->rgb >> 8) & 0xff) / 255.0f,
            static_cast<float>(found->rgb & 0xff) / 255.0f, 1.0f};
    return true;
}

std::string formatSvgColor(const std::array<float, 4>& rgba) {
    int channel[3];
    for (int i = 0; i < 3; ++i) channel[i] = static_cast<int>(std::lround(std::clamp(rgba[i], 0.0f, 1.0f) * 255.0f));
    char text[64];
    if (rgba[3] >= 1.0f)
        std::snprintf(text, sizeof text, "#%02x%02x%02x", channel[0], channel[1], channel[2]);
    else
        std::snprintf(text, sizeof text, "rgba(%d,%d,%d,%g)", channel[0], channel[1], channel[2],
                      static_cast<double>(std::clamp(rgba[3], 0.0f, 1.0f)));
    return text;
}

}  // namespace Resource
