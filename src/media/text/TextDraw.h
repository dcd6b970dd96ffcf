#pragma once
// The text of a text object as a picture: laid out glyph by glyph with one
// font face at a time (no whole-run layout), each glyph drawn as an outline
// with an optional border or shadow, colour glyphs in their colours,
// vertical lines, a typewriter reveal over time, control tags in the text
// (TextTag.h) and merged strike-through lines. In split mode every
// character goes into its own cell of an atlas, to become an object of its
// own.
//
// One object serves one frame: construct, layoutText(nullptr) to measure,
// make a cleared buffer of pictureWidth() x pictureHeight() (none when
// either is 0), drawToBuffer. Split mode: measure, make an atlas of
// atlasPixelWidth() x atlasPixelHeight(), setSplitMode(true), reserve the
// cells, drawToBuffer(atlas), splitCharacters. Each pass starts from the
// base state; tags change the current state only.
//
// The text is not copied: it must outlive the object. Measuring touches
// only font faces; drawing runs under the 2D service's drawing lock, so one
// thread draws text at a time.
//
// Hostile input stays bounded: sizes are kept to 1..1000, decoration widths
// to 0..1000, and the measured picture (and atlas) to pictureSideLimit per
// side and pictureAreaLimit pixels; what lies beyond is cut off.
#include "media/draw/FontFace.h"
#include "media/text/FontGlyph.h"
#include "platform/cairo/Brush.h"
#include "platform/cairo/DrawTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Platform::Cairo {
class StrokeStyle;
}

namespace Media {

class RenderTargetDirect3D;
class ResourceBuffer;
struct TextTag;

class TextDraw {
public:
    static constexpr float minimumSize = 1.0f;
    static constexpr float maximumSize = 1000.0f;
    static constexpr int pictureSideLimit = 16384;
    static constexpr std::int64_t pictureAreaLimit = std::int64_t(1) << 25;

    struct LineInfo {
        float height = 0;
        float baseline = 0;  // from the line's top (vertical: its right edge)
        float start = 0;
        float extent = 0;  // the pen along the line at its end
    };

    struct CharacterCell {
        std::int32_t index = 0;
        float time = 0;
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        float centerX = 0;
        float centerY = 0;
        float z = 0;
    };

    // (the character's picture, its index, appearance time, x, y, z)
    using SplitCallback =
        std::function<void(std::unique_ptr<ResourceBuffer>, std::int32_t, float, float, float, float)>;

    // A preset colour by name (red, green, blue, alpha); false when unknown.
    using PresetColorLookup = std::function<bool(const std::wstring& name, float rgba[4])>;
    // Installed by whoever keeps the named colours; none: names are unknown.
    static void setPresetColorLookup(PresetColorLookup lookup);

    // An empty font name is the style's default family.
    TextDraw(const wchar_t* text, const std::wstring& fontName, float size, float decorationWidthRatio,
             float shadowFactor, bool roundedOutline, bool bold, bool italic, bool vertical, float lineAlignment,
             float characterSpacing, float lineSpacing, double elapsedTime, double displaySpeed,
             const Platform::Cairo::ColorF& textColor, const Platform::Cairo::ColorF& decorationColor);
    ~TextDraw();
    TextDraw(const TextDraw&) = delete;
    TextDraw& operator=(const TextDraw&) = delete;

    // One pass over the text: measures without a target, draws with one.
    void layoutText(RenderTargetDirect3D* target);
    // Draws the measured text into the buffer (nothing when no character
    // was counted).
    void drawToBuffer(ResourceBuffer& buffer);
    // Cuts the drawn cells out of the atlas; the callback must be set.
    void splitCharacters(ResourceBuffer& atlas, SplitCallback callback);

    // The line-by-line steps, for callers that measure by lines.
    void reset();
    // True when the line ended with a line feed, false at the end.
    bool nextLine();
    void finishLine();

    float width() const { return width_; }
    float height() const { return height_; }
    float marginLeft() const { return marginLeft_; }
    float marginRight() const { return marginRight_; }
    float marginTop() const { return marginTop_; }
    float marginBottom() const { return marginBottom_; }
    int pictureWidth() const;
    int pictureHeight() const;
    float atlasWidth() const { return atlasWidth_; }
    float atlasHeight() const { return atlasHeight_; }
    int atlasPixelWidth() const;
    int atlasPixelHeight() const;
    const std::vector<LineInfo>& lines() const { return lines_; }
    // Characters counted by the last pass (drawn or hidden).
    std::int32_t characterCount() const { return characterIndex_; }
    // Seconds until the last character of the last pass appeared.
    double displayTime() const { return displayTime_; }

    bool splitMode() const { return splitMode_; }
    void setSplitMode(bool split) { splitMode_ = split; }
    std::vector<CharacterCell>& cells() { return cells_; }

private:
    void setFont(const std::wstring& name, float size, float decorationWidth, bool bold, bool italic, bool strike);
    void setColor(const Platform::Cairo::ColorF& text, const Platform::Cairo::ColorF& decoration);
    void beginLine();
    void setGlyph(char32_t codePoint);
    void drawGlyph(float x, float y);
    bool drawColorGlyph(float x, float y);
    void flushStrikeLine();
    void limitExtent();

    bool parseTag();
    void parseColorTag(const TextTag& tag);
    void parseFontTag(const TextTag& tag);
    void parseSizeTag(const TextTag& tag);
    void parsePositionTag(const TextTag& tag);
    void parseSpeedTag(const TextTag& tag);
    void parseWaitTag(const TextTag& tag);
    void parseClearTag(const TextTag& tag);
    void parseColor(const std::wstring& text, Platform::Cairo::ColorF& color) const;
    static bool findPresetColor(const std::wstring& name, float rgba[4]);
    void growLineToFont();

    float& penAlong() { return vertical_ ? penY_ : penX_; }

    LineInfo line_;
    std::vector<LineInfo> lines_;
    const wchar_t* position_ = nullptr;
    float penX_ = 0, penY_ = 0, penZ_ = 0;
    std::unique_ptr<Resource::FontFace> fontFace_ = std::make_unique<Resource::FontFace>();
    std::unique_ptr<Platform::Font::GlyphFace> glyphFace_;
    struct FaceKey {
        std::wstring name;
        float size = 0;
        bool bold = false, italic = false, strike = false;
        bool operator==(const FaceKey&) const = default;
    } faceKey_;
    float currentSize_ = 0;
    float decorationWidth_ = 0;
    float shadowOffset_ = 0;
    float innerMargin_ = 0;
    float outerMargin_ = 0;
    const Platform::Cairo::StrokeStyle* strokeStyle_ = nullptr;
    Platform::Cairo::ColorF textColor_;
    Platform::Cairo::ColorF decorationColor_;
    double secondsPerCharacter_ = 0;
    double displayTime_ = 0;
    std::int32_t proportionalCount_ = 0;
    std::int32_t characterIndex_ = 0;
    std::int32_t lineIndex_ = 0;
    std::int32_t charactersInLine_ = 0;
    std::wstring currentFontName_;
    float width_ = 0, height_ = 0;
    float marginLeft_ = 0, marginRight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    std::int32_t firstShownIndex_ = 0;

    const wchar_t* text_;
    double elapsedTime_;
    bool vertical_;
    float lineAlignment_;
    std::wstring baseFontName_;
    float baseSize_;
    float decorationWidthRatio_;
    float shadowFactor_;
    bool roundedOutline_;
    bool baseBold_;
    bool baseItalic_;
    bool baseStrikeThrough_ = false;
    Platform::Cairo::ColorF baseTextColor_;
    Platform::Cairo::ColorF baseDecorationColor_;
    float characterSpacing_;
    float lineSpacing_;
    double displaySpeed_;

    Resource::FontGlyph glyph_;
    RenderTargetDirect3D* target_ = nullptr;
    std::unique_ptr<Platform::Cairo::SolidColorBrush> textBrush_;
    std::unique_ptr<Platform::Cairo::SolidColorBrush> decorationBrush_;
    bool laidOut_ = false;
    bool splitMode_ = false;

    float rowX_ = 0, rowY_ = 0, rowHeight_ = 0;
    float atlasWidth_ = 0, atlasHeight_ = 0;
    float cellX_ = 0, cellY_ = 0, cellWidth_ = 0, cellHeight_ = 0;
    std::vector<CharacterCell> cells_;

    struct StrikeSegment {
        float position = 0;
        float thickness = 0;
        float start = 0;
        float end = 0;
        bool pending = false;
        bool lineBreak = false;
    } strike_;
};

}  // namespace Media
