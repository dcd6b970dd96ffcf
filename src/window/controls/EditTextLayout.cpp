#include "window/controls/EditTextLayout.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {
constexpr float kMaxExtent = 65536.0f;
}

void EditTextLayout::rebuild(const Platform::Cairo::TextFormat& format, const EditBuffer& buffer) {
    buffer_ = &buffer;
    layout_ = std::make_unique<Platform::Cairo::TextLayout>(format, buffer.wideText(), kMaxExtent, kMaxExtent);
    const Platform::Cairo::TextMetrics metrics = layout_->getMetrics();
    textWidth = static_cast<int>(std::ceil(metrics.widthIncludingTrailingWhitespace));
    textHeight = static_cast<int>(std::ceil(metrics.height));
    hitRectCapacity = static_cast<int>(metrics.lineCount);
    lineHeight = metrics.lineCount ? metrics.height / metrics.lineCount : metrics.height;
}

EditTextLayout::Caret EditTextLayout::caretAt(int index) const {
    if (!layout_) return {};
    float x = 0, y = 0;
    const auto hit = layout_->hitTestTextPosition(static_cast<unsigned>(buffer_->toCodePoint(index)), false, x, y);
    return {x, y, hit.width, hit.height > 0 ? hit.height : lineHeight};
}

EditTextLayout::Hit EditTextLayout::hitTest(float x, float y) const {
    Hit result;
    if (!layout_) return result;
    bool trailing = false, inside = false;
    const auto hit = layout_->hitTestPoint(x, y, trailing, inside);
    result.index = buffer_->fromCodePoint(static_cast<int>(hit.textPosition));
    result.trailing = trailing;
    result.lineTop = hit.top;
    result.lineBottom = hit.top + (hit.height > 0 ? hit.height : lineHeight);
    return result;
}

int EditTextLayout::positionAt(float x, float y) const {
    const Hit hit = hitTest(x, y);
    int index = hit.index;
    if (hit.trailing && index < buffer_->length) {
        ++index;
        if (index < buffer_->length && EditBuffer::isLowSurrogate(buffer_->text[index])) ++index;
    }
    return index;
}

std::vector<EditTextLayout::Box> EditTextLayout::rangeBoxes(int start, int end) const {
    std::vector<Box> boxes;
    if (!layout_ || start >= end) return boxes;
    const EditBuffer& b = *buffer_;
    for (int lineFrom = b.lineStart(start); lineFrom <= end && lineFrom <= b.length;) {
        const int lineTo = b.lineEnd(lineFrom);
        const int from = std::max(start, lineFrom);
        const int to = std::min(end, lineTo);
        const Caret left = caretAt(from);
        const Caret right = caretAt(to);
        // A selected line break shows as a sliver of a space's width.
        const float extra = end > lineTo && lineTo < b.length ? lineHeight / 4 : 0;
        if (to > from || extra > 0) boxes.push_back({left.left, left.top, right.left + extra, left.top + left.height});
        if (lineTo >= b.length) break;
        lineFrom = lineTo + 1;
    }
    return boxes;
}

}  // namespace Control
