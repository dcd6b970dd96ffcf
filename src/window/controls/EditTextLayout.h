#pragma once
// The one layout of an edit control's text, rebuilt after every change and
// used for painting, the caret and every hit test. Positions are the
// buffer's UTF-16 indices; the layout itself counts code points.
#include "platform/cairo/TextLayout.h"
#include "window/controls/EditBuffer.h"

#include <memory>
#include <vector>

namespace Control {

class EditTextLayout {
public:
    struct Caret {
        float left = 0;
        float top = 0;
        float width = 0;  // of the character at the caret
        float height = 0;
    };
    struct Box {
        float left, top, right, bottom;
    };
    struct Hit {
        int index = 0;          // the character hit
        bool trailing = false;  // on its trailing half
        float lineTop = 0;      // the line it lies on
        float lineBottom = 0;
    };

    // Lays out the buffer's text without wrapping within 65536 x 65536.
    void rebuild(const Platform::Cairo::TextFormat& format, const EditBuffer& buffer);

    // The caret place before the character at index.
    Caret caretAt(int index) const;
    // The character under a point of layout coordinates.
    Hit hitTest(float x, float y) const;
    // The text position a point stands for: the character hit, or the one
    // after it on its trailing half (not past the end).
    int positionAt(float x, float y) const;
    // The boxes covering a range, one per line it touches.
    std::vector<Box> rangeBoxes(int start, int end) const;

    const Platform::Cairo::TextLayout* get() const { return layout_.get(); }

    int textWidth = 0;
    int textHeight = 0;
    // The number of boxes a range can cover (one per line here).
    int hitRectCapacity = 0;
    float lineHeight = 0;

private:
    std::unique_ptr<Platform::Cairo::TextLayout> layout_;
    const EditBuffer* buffer_ = nullptr;
};

}  // namespace Control
