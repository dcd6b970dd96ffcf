// The control tags of the text as they change the drawing state.
#include "core/text/ColorText.h"
#include "media/text/TextDraw.h"
#include "media/text/TextTag.h"

#include <algorithm>
#include <exception>

namespace Media {

using Platform::Cairo::ColorF;

namespace {

bool isSixHexDigits(const std::wstring& text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](wchar_t c) {
               return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
           });
}

}  // namespace

bool TextDraw::parseTag() {
    const wchar_t lead = *position_;
    // A strike-through line ends where the colour, font, size or pen changes.
    if (lead == L'#' || lead == L'@' || lead == L's' || lead == L'p') flushStrikeLine();
    try {
        const std::optional<TextTag> tag = TextTag::match(position_);
        if (!tag) return false;
        switch (tag->kind) {
            case TextTag::Kind::Color: parseColorTag(*tag); break;
            case TextTag::Kind::Font: parseFontTag(*tag); break;
            case TextTag::Kind::Size: parseSizeTag(*tag); break;
            case TextTag::Kind::Position: parsePositionTag(*tag); break;
            case TextTag::Kind::Speed: parseSpeedTag(*tag); break;
            case TextTag::Kind::Wait: parseWaitTag(*tag); break;
            case TextTag::Kind::Clear:
                position_ += tag->length;
                parseClearTag(*tag);
                return true;
        }
        position_ += tag->length;
        return true;
    } catch (const std::exception&) {
        // A tag that cannot be applied is text.
        return false;
    }
}

void TextDraw::parseColor(const std::wstring& text, ColorF& color) const {
    if (isSixHexDigits(text)) {
        float rgba[4];
        Media::parseHexColor(text, rgba);
        color = {rgba[0], rgba[1], rgba[2], rgba[3]};
        return;
    }
    float rgba[4];
    if (findPresetColor(text, rgba)) color = {rgba[0], rgba[1], rgba[2], rgba[3]};
}

void TextDraw::parseColorTag(const TextTag& tag) {
    ColorF text = baseTextColor_;
    ColorF decoration = baseDecorationColor_;
    if (tag.textColor) parseColor(*tag.textColor, text);
    if (tag.decorationColor) parseColor(*tag.decorationColor, decoration);
    setColor(text, decoration);
}

void TextDraw::growLineToFont() {
    if (fontFace_->lineHeight > line_.height) {
        line_.height = fontFace_->lineHeight;
        line_.baseline = fontFace_->ascent;
    }
}

void TextDraw::parseFontTag(const TextTag& tag) {
    const std::wstring& fontName = tag.fontName.empty() ? baseFontName_ : tag.fontName;
    setFont(fontName, currentSize_, decorationWidth_, baseBold_, baseItalic_, baseStrikeThrough_);
    currentFontName_ = fontName;
    growLineToFont();
}

void TextDraw::parseSizeTag(const TextTag& tag) {
    float size = baseSize_;
    switch (tag.sizeMode) {
        case TextTag::SizeMode::Base: break;
        case TextTag::SizeMode::Absolute: size = tag.size; break;
        case TextTag::SizeMode::Multiply: size = currentSize_ * tag.size; break;
        case TextTag::SizeMode::Add: size = currentSize_ + tag.size; break;
    }
    size = std::clamp(size, minimumSize, maximumSize);
    const std::wstring& font = tag.fontName.empty() ? currentFontName_ : tag.fontName;
    bool bold = baseBold_, italic = baseItalic_, strike = baseStrikeThrough_;
    if (tag.style) {
        bold = tag.style->find(L'B') != std::wstring::npos;
        italic = tag.style->find(L'I') != std::wstring::npos;
        strike = tag.style->find(L'S') != std::wstring::npos;
    }
    const float width = tag.decorationWidth ? std::min(*tag.decorationWidth, size) : baseSize_ * decorationWidthRatio_;
    setFont(font, size, width, bold, italic, strike);
    growLineToFont();
}

void TextDraw::parsePositionTag(const TextTag& tag) {
    const auto apply = [](float& pen, const TextTag::Coordinate& c) { pen = c.relative ? pen + c.value : c.value; };
    apply(penX_, tag.x);
    apply(penY_, tag.y);
    if (tag.z) apply(penZ_, *tag.z);
}

void TextDraw::parseSpeedTag(const TextTag& tag) {
    const double speed = tag.value ? *tag.value : displaySpeed_;
    secondsPerCharacter_ = speed > 0 ? 1.0 / speed : 0.0;
}

void TextDraw::parseWaitTag(const TextTag& tag) {
    if (!tag.value) return;
    if (tag.proportional) {
        displayTime_ += static_cast<double>(proportionalCount_) * *tag.value;
        proportionalCount_ = 0;
    } else {
        displayTime_ += *tag.value;
    }
}

void TextDraw::parseClearTag(const TextTag& tag) {
    parseWaitTag(tag);
    proportionalCount_ = 0;
    // Once its time has come, the text before the tag is gone.
    if (elapsedTime_ >= displayTime_) firstShownIndex_ = characterIndex_;
    // A struck line before the tag does not join one after it.
    if (strike_.pending) strike_.lineBreak = true;
    finishLine();
    if (!vertical_)
        penY_ = 0;
    else
        penX_ = laidOut_ ? width_ : 0;
    beginLine();
    rowY_ = 0;
    if (*position_ == L'\n') ++position_;
}

}  // namespace Media
