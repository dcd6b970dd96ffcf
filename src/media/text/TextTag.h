#pragma once
// The control tags of a text, recognised from the characters after a "<":
// which tag, how many characters it takes (up to and including its ">")
// and its values, numbers already read. What a tag does to the drawing is
// TextDraw's; this only says whether the characters form one.
//
// Numbers are read like std::stof / std::stod: up to the first character
// that does not belong to the number; a number that cannot be read or is
// out of range means no tag. A tag is at most maxLength characters long,
// so a "<" in a long text without ">" costs little.
#include <cstddef>
#include <optional>
#include <string>

namespace Media {

struct TextTag {
    static constexpr std::size_t maxLength = 256;

    enum class Kind { Color, Font, Size, Position, Speed, Wait, Clear };
    enum class SizeMode { Base, Absolute, Multiply, Add };

    // A position value: added to the pen when written with a sign.
    struct Coordinate {
        float value = 0;
        bool relative = false;
    };

    Kind kind = Kind::Color;
    std::size_t length = 0;  // characters after the "<", the ">" included

    // Colour: the text and decoration colour texts, when given.
    std::optional<std::wstring> textColor;
    std::optional<std::wstring> decorationColor;
    // Font: the name (empty: the base font). Size: the font for this size.
    std::wstring fontName;
    // Size.
    SizeMode sizeMode = SizeMode::Base;
    float size = 0;
    std::optional<std::wstring> style;  // letters of B, I, S
    std::optional<float> decorationWidth;
    // Position.
    Coordinate x;
    Coordinate y;
    std::optional<Coordinate> z;
    // Speed (characters per second; absent: the base speed), wait and clear
    // (seconds, or seconds per character when proportional).
    std::optional<double> value;
    bool proportional = false;

    // The tag starting at text (the character after "<"; the text ends at a
    // 0), or nothing when these characters form none.
    static std::optional<TextTag> match(const wchar_t* text);
};

}  // namespace Media
