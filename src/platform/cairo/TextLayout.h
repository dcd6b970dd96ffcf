#pragma once
// A text laid out in a format within a maximum size (Pango). Measures as
// text layout of the user interface expects:
// - width leaves out the white space that ends a line,
//   widthIncludingTrailingWhitespace keeps it;
// - an empty text has one line of the font's line height;
// - with a trimming sign, text that passes the maximum width is cut at a
//   character and ends with an ellipsis.
// Text positions count the characters of the wide text (code points).
//
// Layouts use the font map of the thread that makes them and stay on that
// thread. Glyph positions are not rounded to pixels, so sizes do not depend
// on where text is drawn.
#include "platform/cairo/TextFormat.h"

#include <string>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

namespace Platform::Cairo {

struct TextMetrics {
    float left = 0;
    float top = 0;
    float width = 0;
    float widthIncludingTrailingWhitespace = 0;
    float height = 0;
    float layoutWidth = 0;
    float layoutHeight = 0;
    unsigned lineCount = 0;
};

struct HitTestMetrics {
    unsigned textPosition = 0;
    unsigned length = 0;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

class TextLayout {
public:
    TextLayout(const TextFormat& format, const std::wstring& text, float maxWidth, float maxHeight);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    TextMetrics getMetrics() const;
    float getMaxWidth() const { return maxWidth_; }
    float getMaxHeight() const { return maxHeight_; }
    void setMaxWidth(float width);
    void setMaxHeight(float height) { maxHeight_ = height; }
    // Character trimming with the sign's ellipsis; null turns trimming off.
    void setTrimming(const TrimmingSign* sign);

    // The caret place before (or after, trailing) the character at position.
    HitTestMetrics hitTestTextPosition(unsigned position, bool trailing, float& x, float& y) const;
    // The character under a point; isInside when the point lies on text.
    HitTestMetrics hitTestPoint(float x, float y, bool& isTrailingHit, bool& isInside) const;

    // Draws with the context's current source, the layout box's top-left
    // corner at (x, y).
    void draw(cairo_t* cr, float x, float y) const;

private:
    void applyWidth();
    // Where alignment puts the text inside the layout box.
    float offsetX() const;
    float offsetY() const;
    int byteIndex(unsigned position) const;
    unsigned positionOf(int byteIndex) const;

    const TextFormat& format_;
    std::string utf8_;
    std::vector<int> byteOffsets_;  // of each character, and the end
    PangoLayout* layout_;
    float maxWidth_;
    float maxHeight_;
    bool trimming_ = false;
};

}  // namespace Platform::Cairo
