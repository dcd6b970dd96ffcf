#include "window/WindowFooter.h"

#include "media/draw/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace Window {

using Brushes = Resource::ColorBrushList;

namespace {

// The top of a text of that height centred in whole pixels.
int centred(int height, float textHeight) { return (height - static_cast<int>(std::ceil(textHeight))) / 2; }

}  // namespace

WindowFooter::WindowFooter(Media::RenderTargetWindow& window) : Media::RenderTarget(window), window_(window) {}

void WindowFooter::setText(const wchar_t* left, const wchar_t* right) {
    bool changed = false;
    if (left && leftText_ != left) {
        leftText_ = left;
        changed = true;
    }
    if (right && rightText_ != right) {
        rightText_ = right;
        changed = true;
    }
    if (changed) draw();
}

void WindowFooter::setProgress(const wchar_t* message, const wchar_t* detail, float fraction) {
    std::wstring text = message ? message : L"";
    if (detail) text += L" " + std::wstring(detail);
    if (text == progressText_) {
        if (fraction != progress_ || std::isnan(fraction) || std::isnan(progress_)) {
            progress_ = fraction;
            draw();
        }
        return;
    }
    progressText_ = std::move(text);
    progress_ = fraction;
    draw();
}

void WindowFooter::draw() {
    if (!target || !fontList) return;
    try {
        paint();
    } catch (const std::exception&) {
        // The exception's builder has logged it; the bar stays as it was.
    }
}

void WindowFooter::paint() {
    DrawScope scope(*this, rect_.left, rect_.top, rect_.right, rect_.bottom, true);
    const int width = drawWidth;
    const int height = drawHeight;
    Brushes& brushes = window_.brushList;
    if (!progressText_.empty()) {
        fill(brushes[Brushes::FooterProgress1]);
        if (progress_ > 0)
            fillRectangle(0, 0, static_cast<int>(width * progress_), height, brushes[Brushes::FooterProgress0]);
    } else {
        fill(brushes[Brushes::Footer]);
    }

    const int margin = height / 3;
    Platform::Cairo::TextFormat* format = (*fontList)[Resource::TextFormatList::Footer].get();
    Resource::TextLayout left(format, progressText_.empty() ? leftText_ : progressText_);
    Resource::TextLayout right(format, rightText_);
    const Platform::Cairo::TextMetrics leftMetrics = left.getMetrics();
    const Platform::Cairo::TextMetrics rightMetrics = right.getMetrics();
    const Platform::Cairo::Brush& text = brushes[Brushes::Text];

    const int rightX = width - static_cast<int>(std::ceil(rightMetrics.width)) - margin;
    drawTextLayout(static_cast<float>(rightX), static_cast<float>(centred(height, rightMetrics.height)), *right.get(),
                   text);

    // The left text stops a margin short of the right one.
    const int leftLimit = std::max(0, std::min(rightX - margin, width));
    DrawScope leftScope(*this, 0, 0, leftLimit, height);
    drawTextLayout(static_cast<float>(margin), static_cast<float>(centred(height, leftMetrics.height)), *left.get(),
                   text);
}

}  // namespace Window
