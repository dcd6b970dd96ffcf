#include "platform/cairo/TextLayout.h"

#include "core/text/StringConvert.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace Platform::Cairo {

namespace {

// One font map and context per thread: Pango objects are not shared
// between threads.
PangoContext* threadContext() {
    struct Holder {
        PangoFontMap* map = nullptr;
        PangoContext* context = nullptr;
        Holder() {
            map = pango_cairo_font_map_new();
            context = pango_font_map_create_context(map);
            cairo_font_options_t* options = cairo_font_options_create();
            cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
            cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
            cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
            pango_cairo_context_set_font_options(context, options);
            cairo_font_options_destroy(options);
            pango_cairo_context_set_resolution(context, 96.0);
            pango_context_set_round_glyph_positions(context, FALSE);
        }
        ~Holder() {
            g_object_unref(context);
            g_object_unref(map);
        }
    };
    thread_local Holder holder;
    return holder.context;
}

float fromPango(int units) { return static_cast<float>(units) / PANGO_SCALE; }
int toPango(float pixels) { return static_cast<int>(std::lround(pixels * PANGO_SCALE)); }

bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

float alignmentFactor(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Trailing: return 1.0f;
        case TextAlignment::Center: return 0.5f;
        default: return 0.0f;
    }
}

}  // namespace

TextLayout::TextLayout(const TextFormat& format, const std::wstring& text, float maxWidth, float maxHeight)
    : format_(format), utf8_(System::String::toUtf8(text)), maxWidth_(maxWidth), maxHeight_(maxHeight) {
    for (std::size_t i = 0; i < utf8_.size(); ++i)
        if ((static_cast<unsigned char>(utf8_[i]) & 0xC0) != 0x80) byteOffsets_.push_back(static_cast<int>(i));
    byteOffsets_.push_back(static_cast<int>(utf8_.size()));

    layout_ = pango_layout_new(threadContext());
    pango_layout_set_font_description(layout_, format.description());
    pango_layout_set_text(layout_, utf8_.c_str(), static_cast<int>(utf8_.size()));
    pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
    switch (format.getTextAlignment()) {
        case TextAlignment::Trailing: pango_layout_set_alignment(layout_, PANGO_ALIGN_RIGHT); break;
        case TextAlignment::Center: pango_layout_set_alignment(layout_, PANGO_ALIGN_CENTER); break;
        default: pango_layout_set_alignment(layout_, PANGO_ALIGN_LEFT); break;
    }
    applyWidth();
}

TextLayout::~TextLayout() { g_object_unref(layout_); }

void TextLayout::applyWidth() {
    // Without wrapping or trimming, lines keep their length and alignment
    // is applied by offsetX.
    const bool bounded = format_.getWordWrapping() == WordWrapping::Wrap || trimming_;
    pango_layout_set_width(layout_, bounded ? toPango(std::max(0.0f, maxWidth_)) : -1);
    pango_layout_set_ellipsize(layout_, trimming_ ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
}

void TextLayout::setMaxWidth(float width) {
    maxWidth_ = width;
    applyWidth();
}

void TextLayout::setTrimming(const TrimmingSign* sign) {
    trimming_ = sign != nullptr;
    applyWidth();
}

float TextLayout::offsetX() const {
    if (pango_layout_get_width(layout_) != -1) return 0;
    PangoRectangle logical;
    pango_layout_get_extents(layout_, nullptr, &logical);
    return alignmentFactor(format_.getTextAlignment()) * (maxWidth_ - fromPango(logical.width));
}

float TextLayout::offsetY() const {
    PangoRectangle logical;
    pango_layout_get_extents(layout_, nullptr, &logical);
    const float free = maxHeight_ - fromPango(logical.height);
    switch (format_.getParagraphAlignment()) {
        case ParagraphAlignment::Far: return free;
        case ParagraphAlignment::Center: return free / 2;
        default: return 0;
    }
}

TextMetrics TextLayout::getMetrics() const {
    TextMetrics m;
    PangoRectangle logical;
    pango_layout_get_extents(layout_, nullptr, &logical);
    m.top = offsetY();
    m.height = fromPango(logical.height);
    m.layoutWidth = maxWidth_;
    m.layoutHeight = maxHeight_;
    m.lineCount = static_cast<unsigned>(pango_layout_get_line_count(layout_));

    float left = 0;
    bool first = true;
    PangoLayoutIter* iter = pango_layout_get_iter(layout_);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle lineRect;
        pango_layout_iter_get_line_extents(iter, nullptr, &lineRect);
        const float lineWidth = fromPango(lineRect.width);
        m.widthIncludingTrailingWhitespace = std::max(m.widthIncludingTrailingWhitespace, lineWidth);
        // The line's text ends before its trailing white space.
        const int lineEnd = line->start_index + line->length;
        int end = lineEnd;
        while (end > line->start_index && isWhiteSpace(utf8_[end - 1])) --end;
        float width = lineWidth;
        if (end == line->start_index) {
            width = 0;
        } else if (end < lineEnd) {
            int startX = 0;
            int endX = 0;
            pango_layout_line_index_to_x(line, line->start_index, FALSE, &startX);
            pango_layout_line_index_to_x(line, end, FALSE, &endX);
            width = std::min(fromPango(std::abs(endX - startX)), lineWidth);
        }
        m.width = std::max(m.width, width);
        left = first ? fromPango(lineRect.x) : std::min(left, fromPango(lineRect.x));
        first = false;
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    m.left = offsetX() + left;
    return m;
}

int TextLayout::byteIndex(unsigned position) const {
    return byteOffsets_[std::min<std::size_t>(position, byteOffsets_.size() - 1)];
}

unsigned TextLayout::positionOf(int index) const {
    const auto found = std::lower_bound(byteOffsets_.begin(), byteOffsets_.end(), index);
    return static_cast<unsigned>(found - byteOffsets_.begin());
}

HitTestMetrics TextLayout::hitTestTextPosition(unsigned position, bool trailing, float& x, float& y) const {
    HitTestMetrics hit;
    const unsigned count = static_cast<unsigned>(byteOffsets_.size() - 1);
    hit.textPosition = std::min(position, count);
    hit.length = hit.textPosition < count ? 1 : 0;
    PangoRectangle rect;
    pango_layout_index_to_pos(layout_, byteIndex(hit.textPosition), &rect);
    hit.left = offsetX() + fromPango(std::min(rect.x, rect.x + rect.width));
    hit.top = offsetY() + fromPango(rect.y);
    hit.width = fromPango(std::abs(rect.width));
    hit.height = fromPango(rect.height);
    x = trailing ? hit.left + hit.width : hit.left;
    y = hit.top;
    return hit;
}

HitTestMetrics TextLayout::hitTestPoint(float x, float y, bool& isTrailingHit, bool& isInside) const {
    int index = 0;
    int trailing = 0;
    isInside = pango_layout_xy_to_index(layout_, toPango(x - offsetX()), toPango(y - offsetY()), &index, &trailing);
    isTrailingHit = trailing > 0;
    float caretX = 0;
    float caretY = 0;
    return hitTestTextPosition(positionOf(index), false, caretX, caretY);
}

void TextLayout::draw(cairo_t* cr, float x, float y) const {
    cairo_move_to(cr, x + offsetX(), y + offsetY());
    pango_cairo_show_layout(cr, layout_);
}

}  // namespace Platform::Cairo
