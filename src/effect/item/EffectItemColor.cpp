#include "effect/item/EffectItemColor.h"

#include "effect/base/StdConvert.h"
#include "core/text/ColorText.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Effect {

const BaseColor baseColors[8] = {
    {{1, 1, 1, 1}, L"white"}, {{1, 0, 0, 1}, L"red"},  {{1, 1, 0, 1}, L"yellow"},
    {{0, 1, 0, 1}, L"green"}, {{0, 1, 1, 1}, L"aqua"}, {{0, 0, 1, 1}, L"blue"},
    {{1, 0, 1, 1}, L"magenta"}, {{0, 0, 0, 1}, L"black"},
};

EffectItemColor::EffectItemColor(ItemList& items, std::wstring name, std::uint8_t red,
                                 std::uint8_t green, std::uint8_t blue, bool noColor,
                                 std::uint8_t type)
    : EffectItem(items, type, std::move(name)),
      red(red),
      green(green),
      blue(blue),
      noColor(noColor) {}

void EffectItemColor::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemColor>(other);
    red = source.red;
    green = source.green;
    blue = source.blue;
    noColor = source.noColor;
}

bool EffectItemColor::equals(const EffectItem& other) const {
    const auto& source = sameKind<EffectItemColor>(other);
    return red == source.red && green == source.green && blue == source.blue &&
           noColor == source.noColor;
}

std::unique_ptr<EffectItem> EffectItemColor::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemColor(*this));
}

std::string EffectItemColor::toString() const {
    if (noColor) return {};
    const std::uint8_t rgb[3] = {red, green, blue};
    return Media::toHexString(rgb);
}

void EffectItemColor::setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    red = r;
    green = g;
    blue = b;
    noColor = false;
}

void parseSixDigitColor(const std::string& text, std::uint8_t rgb[3]) {
    // The byte parser stores nothing for a text that is not six characters
    // long; such a text is refused like any other malformed colour.
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first != std::string::npos && last - first + 1 != 6)
        throw std::invalid_argument("RGB argument is invalid.");
    std::uint8_t parsed[3] = {rgb[0], rgb[1], rgb[2]};
    Media::parseHexColor(text, parsed);
    std::copy(parsed, parsed + 3, rgb);
}

void EffectItemColor::readHex(const std::string& text) {
    std::uint8_t rgb[3] = {red, green, blue};
    parseSixDigitColor(text, rgb);
    setRGB(rgb[0], rgb[1], rgb[2]);
}

void EffectItemColor::fromString(const std::string& text) {
    if (text.empty()) {
        red = green = blue = 0;
        noColor = true;
        return;
    }
    readHex(text);
}

bool EffectItemColor::readDecimal(const std::string& text) {
    int value = 0;
    try {
        value = StdConvert::toInt(text);
    } catch (const std::logic_error&) {
        return false;
    }
    setRGB(static_cast<std::uint8_t>((value >> 16) & 255), static_cast<std::uint8_t>((value >> 8) & 255),
           static_cast<std::uint8_t>(value & 255));
    return true;
}

void EffectItemColor::fromScriptValue(const std::string& text) {
    if (!readDecimal(text)) fromString(text);
}

void EffectItemColor::readYCbCr(const std::string& text) {
    if (text.size() != 12) return;
    float ycc[3];
    for (int i = 0; i < 3; ++i) {
        const int low = StdConvert::toInt(text.substr(static_cast<std::size_t>(i) * 4, 2), 16);
        const int high = StdConvert::toInt(text.substr(static_cast<std::size_t>(i) * 4 + 2, 2), 16);
        ycc[i] = static_cast<float>(static_cast<std::int16_t>((high << 8) | low));
    }
    const float y = ycc[0], cb = ycc[1], cr = ycc[2];
    const auto channel = [](float value) {
        const float scaled = std::round(value * 255.0f / 4096.0f);
        return static_cast<std::uint8_t>(std::clamp(scaled, 0.0f, 255.0f));
    };
    setRGB(channel(y + 1.402f * cr), channel(y - 0.344f * cb - 0.714f * cr),
           channel(y + 1.772f * cb));
}

void EffectItemColor::loadQroValue(const std::string& value, const std::wstring& key,
                                   const wchar_t*, bool flag) {
    if (key.starts_with(L"no_")) {
        if (StdConvert::toInt(value) > 0) {
            red = green = blue = 0;
            noColor = true;
        }
    } else if (key.starts_with(L"color_yc")) {
        readYCbCr(value);
    } else if (!flag || !readDecimal(value)) {
        readHex(value);
    }
}

}  // namespace Effect
