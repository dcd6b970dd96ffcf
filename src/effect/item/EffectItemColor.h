#pragma once
// A colour: three bytes, or no colour at all. Files hold "rrggbb" (lower
// case) or an empty text for no colour.
#include "effect/item/EffectItem.h"

#include <cstdint>

namespace Effect {

class EffectItemColor : public EffectItem {
public:
    // type: ItemType::Color, or ItemType::ColorOrNone when the row offers
    // "未指定" and the colour may be left unset.
    EffectItemColor(ItemList& items, std::wstring name, std::uint8_t red, std::uint8_t green,
                    std::uint8_t blue, bool noColor = false, std::uint8_t type = ItemType::Color);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // Empty: no colour. Otherwise exactly six hexadecimal digits (outer
    // spaces ignored); any other text throws and changes nothing.
    void fromString(const std::string& text) override;
    // A decimal 0xRRGGBB integer, else the text form.
    void fromScriptValue(const std::string& text) override;
    // "no_..." keys switch the colour off, "color_yc..." keys hold Y, Cb, Cr.
    void loadQroValue(const std::string& value, const std::wstring& key,
                      const wchar_t* effectName, bool flag) override;

    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool noColor;

protected:
    EffectItemColor(const EffectItemColor& other) = default;

private:
    void setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    bool readDecimal(const std::string& text);
    void readHex(const std::string& text);
    void readYCbCr(const std::string& text);
};

// Exactly six hexadecimal digits (outer spaces ignored) as red, green and
// blue; any other text throws std::invalid_argument and stores nothing.
void parseSixDigitColor(const std::string& text, std::uint8_t rgb[3]);

// The eight named base colours the default palette is built from.
struct BaseColor {
    float rgba[4];
    const wchar_t* name;
};
extern const BaseColor baseColors[8];

}  // namespace Effect
