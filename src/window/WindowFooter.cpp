#include "window/WindowFooter.h"

#include "core/StringConvert.h"
#include "platform/gtk/NativeWindow.h"
#include "window/ShellStyle.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace Window {

namespace {

void setColour(cairo_t* cr, std::uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
}

PangoLayout* makeLayout(cairo_t* cr, const std::wstring& text) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, ShellStyle::UiFontFamily);
    pango_font_description_set_absolute_size(font, ShellStyle::UiFontPixels * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    const std::string utf8 = System::String::toUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    return layout;
}

}  // namespace

WindowFooter::WindowFooter(Platform::WindowHandle window) : window_(window) {}

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
    Platform::invalidateRect(window_, &rect_);
    // Start-up shows its progress before the message loop runs.
    Platform::updateWindow(window_);
}

void WindowFooter::paint(cairo_t* cr) const {
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    if (width <= 0 || height <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, rect_.left, rect_.top);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);

    if (!progressText_.empty()) {
        setColour(cr, ShellStyle::FooterProgress[1]);
        cairo_paint(cr);
        if (progress_ > 0) {
            setColour(cr, ShellStyle::FooterProgress[0]);
            cairo_rectangle(cr, 0, 0, static_cast<int>(width * std::min(progress_, 1.0f)), height);
            cairo_fill(cr);
        }
    } else {
        setColour(cr, ShellStyle::Footer);
        cairo_paint(cr);
    }

    const int margin = height / 3;
    PangoLayout* left = makeLayout(cr, progressText_.empty() ? leftText_ : progressText_);
    PangoLayout* right = makeLayout(cr, rightText_);
    int leftWidth = 0, leftHeight = 0, rightWidth = 0, rightHeight = 0;
    pango_layout_get_pixel_size(left, &leftWidth, &leftHeight);
    pango_layout_get_pixel_size(right, &rightWidth, &rightHeight);
    setColour(cr, ShellStyle::Text);

    const int rightX = width - rightWidth - margin;
    cairo_move_to(cr, rightX, (height - rightHeight) / 2);
    pango_cairo_show_layout(cr, right);

    // The left text stops short of the right one.
    const int leftLimit = std::max(0, std::min(rightX - margin, width));
    cairo_rectangle(cr, 0, 0, leftLimit, height);
    cairo_clip(cr);
    cairo_move_to(cr, margin, (height - leftHeight) / 2);
    pango_cairo_show_layout(cr, left);

    g_object_unref(left);
    g_object_unref(right);
    cairo_restore(cr);
}

}  // namespace Window
