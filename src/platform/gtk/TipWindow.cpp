#include "platform/gtk/TipWindow.h"

#include "core/text/StringConvert.h"
#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

#include <algorithm>

namespace Platform {

namespace {

constexpr int kTipPadding = 4;
constexpr int kBalloonPadding = 12;
constexpr int kBalloonGap = 6;
constexpr const char* kFont = "Sans 9";
constexpr const char* kTitleFont = "Sans Bold 10";

PangoLayout* makeLayout(PangoContext* context, const std::string& text, const char* font) {
    PangoLayout* layout = pango_layout_new(context);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

}  // namespace

struct TipWindow::Callbacks {
    static gboolean draw(GtkWidget* widget, cairo_t* cr, gpointer data) {
        auto* self = static_cast<TipWindow*>(data);
        const bool balloon = self->style_ == Style::Balloon;
        if (balloon)
            cairo_set_source_rgb(cr, 0.17, 0.17, 0.18);
        else
            cairo_set_source_rgb(cr, 1.0, 1.0, 0.88);
        cairo_paint(cr);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, balloon ? 0.4 : 0.46, balloon ? 0.4 : 0.46, balloon ? 0.4 : 0.46);
        cairo_rectangle(cr, 0.5, 0.5, self->width_ - 1, self->height_ - 1);
        cairo_stroke(cr);
        PangoContext* context = gtk_widget_get_pango_context(widget);
        const int padding = balloon ? kBalloonPadding : kTipPadding;
        int y = padding;
        if (balloon) cairo_set_source_rgb(cr, 1, 1, 1);
        else cairo_set_source_rgb(cr, 0, 0, 0);
        if (balloon && !self->title_.empty()) {
            PangoLayout* title = makeLayout(context, self->title_, kTitleFont);
            cairo_move_to(cr, padding, y);
            pango_cairo_show_layout(cr, title);
            int w = 0;
            int h = 0;
            pango_layout_get_pixel_size(title, &w, &h);
            y += h + kBalloonGap;
            g_object_unref(title);
        }
        PangoLayout* text = makeLayout(context, self->text_, kFont);
        cairo_move_to(cr, padding, y);
        pango_cairo_show_layout(cr, text);
        g_object_unref(text);
        return TRUE;
    }
};

TipWindow::TipWindow(Style style, WindowHandle owner) : style_(style) {
    window_ = gtk_window_new(GTK_WINDOW_POPUP);
    g_object_ref_sink(window_);
    gtk_window_set_type_hint(GTK_WINDOW(window_),
                             style == Style::Balloon ? GDK_WINDOW_TYPE_HINT_NOTIFICATION : GDK_WINDOW_TYPE_HINT_TOOLTIP);
    gtk_window_set_accept_focus(GTK_WINDOW(window_), FALSE);
    if (GtkWindow* parent = Platform::toolkitWindow(owner)) gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
    gtk_widget_set_app_paintable(window_, TRUE);
    g_signal_connect(window_, "draw", G_CALLBACK(Callbacks::draw), this);
}

TipWindow::~TipWindow() {
    g_signal_handlers_disconnect_by_data(window_, this);
    gtk_widget_destroy(window_);
    g_object_unref(window_);
}

void TipWindow::setText(const std::wstring& title, const std::wstring& text) {
    title_ = System::String::toUtf8(title);
    text_ = System::String::toUtf8(text);
    layout();
}

void TipWindow::layout() {
    PangoContext* context = gtk_widget_get_pango_context(window_);
    const bool balloon = style_ == Style::Balloon;
    const int padding = balloon ? kBalloonPadding : kTipPadding;
    int width = 0;
    int height = 0;
    PangoLayout* text = makeLayout(context, text_, kFont);
    pango_layout_get_pixel_size(text, &width, &height);
    g_object_unref(text);
    if (balloon && !title_.empty()) {
        PangoLayout* title = makeLayout(context, title_, kTitleFont);
        int w = 0;
        int h = 0;
        pango_layout_get_pixel_size(title, &w, &h);
        g_object_unref(title);
        width = std::max(width, w);
        height += h + kBalloonGap;
    }
    width_ = width + 2 * padding;
    height_ = height + 2 * padding;
    gtk_widget_set_size_request(window_, width_, height_);
    gtk_window_resize(GTK_WINDOW(window_), width_, height_);
    gtk_widget_queue_draw(window_);
}

void TipWindow::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
    gtk_window_move(GTK_WINDOW(window_), x, y);
}

void TipWindow::show() { gtk_widget_show(window_); }

void TipWindow::hide() { gtk_widget_hide(window_); }

bool TipWindow::visible() const { return gtk_widget_get_visible(window_); }

RECT TipWindow::screenRect() const { return {x_, y_, x_ + width_, y_ + height_}; }

}  // namespace Platform
