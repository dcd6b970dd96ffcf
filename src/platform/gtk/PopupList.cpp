#include "platform/gtk/PopupList.h"

#include "core/text/StringConvert.h"
#include "platform/gtk/InputMessages.h"
#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/VirtualKeys.h"

#include <gtk/gtk.h>

#include <algorithm>

namespace Platform {

namespace {

int navigationKey(guint keyval) {
    switch (keyval) {
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: return VK::RETURN;
    case GDK_KEY_Escape: return VK::ESCAPE;
    case GDK_KEY_Page_Up: case GDK_KEY_KP_Page_Up: return VK::PRIOR;
    case GDK_KEY_Page_Down: case GDK_KEY_KP_Page_Down: return VK::NEXT;
    case GDK_KEY_End: case GDK_KEY_KP_End: return VK::END;
    case GDK_KEY_Home: case GDK_KEY_KP_Home: return VK::HOME;
    case GDK_KEY_Left: case GDK_KEY_KP_Left: return VK::LEFT;
    case GDK_KEY_Up: case GDK_KEY_KP_Up: return VK::UP;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: return VK::RIGHT;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: return VK::DOWN;
    default: return 0;
    }
}

constexpr int kBorder = 1;
constexpr int kScrollBarWidth = 12;

LPARAM pointParam(double x, double y) {
    return MAKELPARAM(static_cast<int>(x) - kBorder, static_cast<int>(y) - kBorder);
}

WPARAM controlFlag(guint state) { return (state & GDK_CONTROL_MASK) ? MK_CONTROL : 0; }

}  // namespace

struct PopupList::Callbacks {
    static gboolean draw(GtkWidget*, cairo_t* cr, gpointer data) {
        auto* self = static_cast<PopupList*>(data);
        const int w = self->width_;
        const int h = self->height_;
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        const int rowsWidth = w - 2 * kBorder - (self->visibleRows() < self->getCount() ? kScrollBarWidth : 0);
        PangoLayout* layout = pango_cairo_create_layout(cr);
        PangoFontDescription* font = pango_font_description_from_string(self->font_.c_str());
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        for (int row = self->top_; row < self->getCount(); ++row) {
            const int y = kBorder + (row - self->top_) * self->itemHeight_;
            if (y >= h - kBorder) break;
            cairo_save(cr);
            cairo_rectangle(cr, kBorder, y, rowsWidth, std::min(self->itemHeight_, h - kBorder - y));
            cairo_clip(cr);
            if (row == self->selection_) {
                cairo_set_source_rgb(cr, 0x00 / 255.0, 0x78 / 255.0, 0xD7 / 255.0);
                cairo_paint(cr);
                cairo_set_source_rgb(cr, 1, 1, 1);
            } else {
                cairo_set_source_rgb(cr, 0, 0, 0);
            }
            pango_layout_set_text(layout, System::String::toUtf8(self->rows_[static_cast<std::size_t>(row)]).c_str(), -1);
            int textWidth = 0;
            int textHeight = 0;
            pango_layout_get_pixel_size(layout, &textWidth, &textHeight);
            cairo_move_to(cr, kBorder + 2, y + (self->itemHeight_ - textHeight) / 2);
            pango_cairo_show_layout(cr, layout);
            cairo_restore(cr);
        }
        g_object_unref(layout);
        if (self->visibleRows() < self->getCount() && self->getCount() > 0) {
            const double trackHeight = h - 2 * kBorder;
            const double thumb = std::max(8.0, trackHeight * self->visibleRows() / self->getCount());
            const double at = (trackHeight - thumb) * self->top_ / std::max(1, self->getCount() - self->visibleRows());
            cairo_set_source_rgb(cr, 0.94, 0.94, 0.94);
            cairo_rectangle(cr, w - kBorder - kScrollBarWidth, kBorder, kScrollBarWidth, trackHeight);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 0.66, 0.66, 0.66);
            cairo_rectangle(cr, w - kBorder - kScrollBarWidth + 2, kBorder + at, kScrollBarWidth - 4, thumb);
            cairo_fill(cr);
        }
        cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
        cairo_stroke(cr);
        return TRUE;
    }

    static gboolean motion(GtkWidget*, GdkEventMotion* event, gpointer data) {
        static_cast<PopupList*>(data)->deliver(WM_MOUSEMOVE, controlFlag(event->state), pointParam(event->x, event->y));
        return TRUE;
    }

    static gboolean press(GtkWidget* widget, GdkEventButton* event, gpointer data) {
        auto* self = static_cast<PopupList*>(data);
        if (event->type != GDK_BUTTON_PRESS) return TRUE;
        // Presses outside the list (the grab brings them here) arrive with
        // their point relative to the list.
        double x = event->x;
        double y = event->y;
        if (event->window != gtk_widget_get_window(widget)) {
            int left = 0;
            int top = 0;
            gtk_window_get_position(GTK_WINDOW(self->window_), &left, &top);
            x = event->x_root - left;
            y = event->y_root - top;
        }
        const UINT message = event->button == 3 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        if (event->button == 1 || event->button == 3) self->deliver(message, controlFlag(event->state), pointParam(x, y));
        return TRUE;
    }

    static gboolean scroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
        int delta = 0;
        if (event->direction == GDK_SCROLL_UP) delta = 120;
        else if (event->direction == GDK_SCROLL_DOWN) delta = -120;
        else if (event->direction == GDK_SCROLL_SMOOTH) delta = static_cast<int>(-event->delta_y * 120);
        if (delta != 0)
            static_cast<PopupList*>(data)->deliver(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint32_t>(delta) << 16), 0);
        return TRUE;
    }

    static gboolean key(GtkWidget*, GdkEventKey* event, gpointer data) {
        const int vk = navigationKey(event->keyval);
        if (vk != 0) static_cast<PopupList*>(data)->deliver(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
        return TRUE;
    }

    static gboolean grabBroken(GtkWidget*, GdkEvent*, gpointer data) {
        auto* self = static_cast<PopupList*>(data);
        if (!self->grabbed_) return FALSE;
        self->grabbed_ = false;
        self->deliver(WM_KILLFOCUS, 0, 0);
        return FALSE;
    }
};

PopupList::PopupList(WindowHandle owner) {
    window_ = gtk_window_new(GTK_WINDOW_POPUP);
    g_object_ref_sink(window_);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_COMBO);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_window_set_wmclass(GTK_WINDOW(window_), "movane2ListBox", "movane2ListBox");
    G_GNUC_END_IGNORE_DEPRECATIONS
    if (GtkWindow* parent = Platform::toolkitWindow(owner)) gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
    area_ = gtk_drawing_area_new();
    gtk_widget_add_events(area_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_SCROLL_MASK |
                                     GDK_SMOOTH_SCROLL_MASK | GDK_KEY_PRESS_MASK);
    gtk_widget_set_can_focus(area_, TRUE);
    gtk_container_add(GTK_CONTAINER(window_), area_);
    g_signal_connect(area_, "draw", G_CALLBACK(Callbacks::draw), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(Callbacks::motion), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(Callbacks::press), this);
    g_signal_connect(window_, "button-press-event", G_CALLBACK(Callbacks::press), this);
    g_signal_connect(area_, "scroll-event", G_CALLBACK(Callbacks::scroll), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(Callbacks::key), this);
    g_signal_connect(window_, "grab-broken-event", G_CALLBACK(Callbacks::grabBroken), this);
    gtk_widget_add_events(window_, GDK_BUTTON_PRESS_MASK | GDK_KEY_PRESS_MASK);
    gtk_widget_show(area_);
    setFont(font_);
}

PopupList::~PopupList() {
    releaseGrab();
    g_signal_handlers_disconnect_by_data(window_, this);
    g_signal_handlers_disconnect_by_data(area_, this);
    gtk_widget_destroy(window_);
    g_object_unref(window_);
}

void PopupList::setFont(const std::string& description) {
    font_ = description;
    PangoContext* context = gtk_widget_get_pango_context(area_);
    PangoFontDescription* font = pango_font_description_from_string(font_.c_str());
    PangoFontMetrics* metrics = pango_context_get_metrics(context, font, nullptr);
    const int height = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics));
    pango_font_metrics_unref(metrics);
    pango_font_description_free(font);
    itemHeight_ = std::max(1, height);
    redraw();
}

int PopupList::addString(const std::wstring& text) {
    rows_.push_back(text);
    redraw();
    return getCount() - 1;
}

void PopupList::resetContent() {
    rows_.clear();
    selection_ = -1;
    top_ = 0;
    redraw();
}

void PopupList::setItemHeight(int height) {
    itemHeight_ = std::max(1, height);
    redraw();
}

void PopupList::setCurSel(int index) {
    selection_ = index >= 0 && index < getCount() ? index : -1;
    if (selection_ >= 0) ensureVisible(selection_);
    redraw();
}

void PopupList::setTopIndex(int index) {
    top_ = std::clamp(index, 0, std::max(0, getCount() - visibleRows()));
    redraw();
}

int PopupList::visibleRows() const { return std::max(1, (height_ - 2 * kBorder) / itemHeight_); }

void PopupList::ensureVisible(int index) {
    if (index < top_) top_ = index;
    else if (index >= top_ + visibleRows()) top_ = index - visibleRows() + 1;
    top_ = std::clamp(top_, 0, std::max(0, getCount() - visibleRows()));
}

int PopupList::itemFromPoint(POINT screen) const {
    int x = 0;
    int y = 0;
    gtk_window_get_position(GTK_WINDOW(window_), &x, &y);
    const int cx = screen.x - x - kBorder;
    const int cy = screen.y - y - kBorder;
    if (cx < 0 || cy < 0 || cx >= width_ - 2 * kBorder || cy >= height_ - 2 * kBorder) return -1;
    const int row = top_ + cy / itemHeight_;
    return row < getCount() ? row : -1;
}

void PopupList::setWindowPos(int x, int y, int width, int height) {
    hide();
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    gtk_window_move(GTK_WINDOW(window_), x, y);
    gtk_widget_set_size_request(window_, width_, height_);
    gtk_window_resize(GTK_WINDOW(window_), width_, height_);
}

RECT PopupList::screenRect() const {
    int x = 0;
    int y = 0;
    gtk_window_get_position(GTK_WINDOW(window_), &x, &y);
    return {x, y, x + width_, y + height_};
}

void PopupList::show() {
    gtk_widget_show(window_);
    redraw();
}

void PopupList::hide() {
    releaseGrab();
    gtk_widget_hide(window_);
}

bool PopupList::visible() const { return gtk_widget_get_visible(window_); }

void PopupList::setFocus() {
    if (grabbed_ || !visible()) return;
    gtk_widget_grab_focus(area_);
    GdkWindow* target = gtk_widget_get_window(window_);
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(window_));
    if (target && seat &&
        gdk_seat_grab(seat, target, GDK_SEAT_CAPABILITY_ALL, TRUE, nullptr, nullptr, nullptr, nullptr) ==
            GDK_GRAB_SUCCESS) {
        gtk_grab_add(window_);
        grabbed_ = true;
    }
}

void PopupList::releaseGrab() {
    if (!grabbed_) return;
    grabbed_ = false;
    gtk_grab_remove(window_);
    if (GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(window_))) gdk_seat_ungrab(seat);
}

void PopupList::redraw() {
    if (area_) gtk_widget_queue_draw(area_);
}

LRESULT PopupList::deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    guardCallback([&] { result = procedure ? procedure(message, wParam, lParam) : defaultProc(message, wParam, lParam); });
    return result;
}

LRESULT PopupList::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        const int current = selection_;
        int next = current;
        switch (static_cast<int>(wParam)) {
        case VK::UP: next = current < 0 ? 0 : current - 1; break;
        case VK::DOWN: next = current + 1; break;
        case VK::PRIOR: next = current - visibleRows(); break;
        case VK::NEXT: next = current + visibleRows(); break;
        case VK::HOME: next = 0; break;
        case VK::END: next = getCount() - 1; break;
        default: return 0;
        }
        if (getCount() > 0) setCurSel(std::clamp(next, 0, getCount() - 1));
    } else if (message == WM_LBUTTONDOWN) {
        const int x = static_cast<short>(LOWORD(lParam));
        const int y = static_cast<short>(HIWORD(lParam));
        if (x >= 0 && y >= 0 && x < width_ - 2 * kBorder && y < height_ - 2 * kBorder) {
            const int row = top_ + y / itemHeight_;
            if (row < getCount()) setCurSel(row);
        }
    } else if (message == WM_MOUSEWHEEL) {
        const int delta = static_cast<short>(HIWORD(static_cast<LPARAM>(wParam)));
        setTopIndex(top_ + (delta < 0 ? 3 : -3));
    }
    return 0;
}

}  // namespace Platform
