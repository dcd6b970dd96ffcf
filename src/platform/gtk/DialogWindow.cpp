#include "platform/gtk/DialogWindow.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <utility>

namespace Platform {

struct DialogWindow::Filter {
    KeyFilter filter;
};

namespace {

constexpr int kEnded = 1;  // our own response id: end() was called

// Compact controls, so that a row is the control font's line plus a few
// pixels, and the control font (the screen-wide provider is replaced when
// the font changes).
void installStyle(const PangoFontDescription* font) {
    static GtkCssProvider* provider = nullptr;
    static std::string installed;
    std::string fontRule;
    if (font && pango_font_description_get_family(font)) {
        const double size = pango_font_description_get_size(font) / double(PANGO_SCALE);
        fontRule = std::string("font-family: \"") + pango_font_description_get_family(font) + "\"; font-size: " +
                   std::to_string(size) + (pango_font_description_get_size_is_absolute(font) ? "px;" : "pt;");
    }
    const std::string css =
        ".movane2-dialog entry, .movane2-dialog button, .movane2-dialog combobox button, .movane2-dialog "
        "combobox entry { min-height: 0; padding-top: 0; padding-bottom: 0; }\n"
        ".movane2-dialog entry, .movane2-dialog button, .movane2-dialog label, .movane2-dialog treeview, "
        ".movane2-dialog combobox, .movane2-dialog cellview { " + fontRule + " }\n"
        ".movane2-dialog .bold, .movane2-dialog .bold label { font-weight: bold; }\n"
        ".movane2-dialog label.border { border: 1px solid alpha(currentColor, 0.5); padding: 3px; }\n";
    if (provider && installed == css) return;
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen) return;
    if (provider) gtk_style_context_remove_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider));
    else provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    installed = css;
}

void keepDigits(GtkEditable* editable, const gchar* text, gint length, gint*, gpointer) {
    for (gint i = 0; i < length; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            g_signal_stop_emission_by_name(editable, "insert-text");
            return;
        }
    }
}

GtkWidget* textEntry(ControlHandle control) {
    if (GTK_IS_ENTRY(control)) return control;
    if (GTK_IS_COMBO_BOX(control) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(control)))
        return gtk_bin_get_child(GTK_BIN(control));
    return nullptr;
}

void clearRefusal(GtkEditable*, gpointer self) { static_cast<DialogWindow*>(self)->hideRefusal(); }

int defaultVirtualKey(unsigned keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return int(keyval - GDK_KEY_a) + 'A';
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return int(keyval - GDK_KEY_A) + 'A';
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return int(keyval - GDK_KEY_0) + '0';
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return int(keyval - GDK_KEY_F1) + 0x70;
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return int(keyval - GDK_KEY_KP_0) + 0x60;
    switch (keyval) {
    case GDK_KEY_BackSpace: return 0x08;
    case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: return 0x09;
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: return 0x0D;
    case GDK_KEY_Shift_L: case GDK_KEY_Shift_R: return 0x10;
    case GDK_KEY_Control_L: case GDK_KEY_Control_R: return 0x11;
    case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: case GDK_KEY_Meta_L: case GDK_KEY_Meta_R: return 0x12;
    case GDK_KEY_Pause: return 0x13;
    case GDK_KEY_Escape: return 0x1B;
    case GDK_KEY_space: return 0x20;
    case GDK_KEY_Page_Up: return 0x21;
    case GDK_KEY_Page_Down: return 0x22;
    case GDK_KEY_End: return 0x23;
    case GDK_KEY_Home: return 0x24;
    case GDK_KEY_Left: return 0x25;
    case GDK_KEY_Up: return 0x26;
    case GDK_KEY_Right: return 0x27;
    case GDK_KEY_Down: return 0x28;
    case GDK_KEY_Insert: return 0x2D;
    case GDK_KEY_Delete: return 0x2E;
    case GDK_KEY_KP_Multiply: return 0x6A;
    case GDK_KEY_KP_Add: return 0x6B;
    case GDK_KEY_KP_Subtract: return 0x6D;
    case GDK_KEY_KP_Decimal: return 0x6E;
    case GDK_KEY_KP_Divide: return 0x6F;
    default: return 0;
    }
}

LPARAM keyState(guint state) {
    return ((state & GDK_CONTROL_MASK) ? KEY_CONTROL : 0) | ((state & GDK_SHIFT_MASK) ? KEY_SHIFT : 0) |
           ((state & GDK_MOD1_MASK) ? KEY_ALT : 0);
}

}  // namespace

std::function<int(unsigned keyval)> DialogWindow::virtualKeyOf = &defaultVirtualKey;

DialogWindow::DialogWindow(WindowHandle owner, const std::string& title, const PangoFontDescription* font,
                           const PangoFontDescription* boldFont, Command command)
    : command_(std::move(command)), owner_(owner) {
    installStyle(font);
    if (font) font_ = pango_font_description_copy(font);
    if (boldFont) boldFont_ = pango_font_description_copy(boldFont);
    dialog_ = gtk_dialog_new();
    g_object_ref_sink(dialog_);
    gtk_window_set_title(GTK_WINDOW(dialog_), title.c_str());
    if (GtkWindow* parent = toolkitWindow(owner)) gtk_window_set_transient_for(GTK_WINDOW(dialog_), parent);
    gtk_window_set_modal(GTK_WINDOW(dialog_), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(dialog_), FALSE);
    gtk_window_set_position(GTK_WINDOW(dialog_), GTK_WIN_POS_NONE);
    gtk_window_set_type_hint(GTK_WINDOW(dialog_), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_style_context_add_class(gtk_widget_get_style_context(dialog_), "movane2-dialog");
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog_));
    gtk_container_set_border_width(GTK_CONTAINER(content), 0);
    gtk_box_set_spacing(GTK_BOX(content), 0);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* actions = gtk_dialog_get_action_area(GTK_DIALOG(dialog_));
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_widget_set_no_show_all(actions, TRUE);
    gtk_widget_hide(actions);
    area_ = gtk_fixed_new();
    gtk_box_pack_start(GTK_BOX(content), area_, TRUE, TRUE, 0);
    gtk_widget_show(area_);

    // Responses from outside our own end(): OK presses the OK command, the
    // rest (Escape, the close box, the program quitting) cancel.
    g_signal_connect(dialog_, "response", G_CALLBACK(+[](GtkDialog* dialog, gint response, gpointer data) {
                         auto* self = static_cast<DialogWindow*>(data);
                         if (self->ended_) return;
                         g_signal_stop_emission_by_name(dialog, "response");
                         self->deliver(response == GTK_RESPONSE_OK ? 6 : IDCANCEL,
                                       response == GTK_RESPONSE_OK ? BN_CLICKED : 0, nullptr);
                     }),
                     this);
    // Enter where no control takes it submits as the system dialog manager
    // does; entries send it themselves from "activate", buttons press.
    g_signal_connect(dialog_, "key-press-event", G_CALLBACK(+[](GtkWidget* dialog, GdkEventKey* event, gpointer data) -> gboolean {
                         if (event->keyval != GDK_KEY_Return && event->keyval != GDK_KEY_KP_Enter) return FALSE;
                         GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
                         if (focus && (GTK_IS_ENTRY(focus) || GTK_IS_BUTTON(focus) || GTK_IS_TREE_VIEW(focus)))
                             return FALSE;
                         static_cast<DialogWindow*>(data)->deliver(IDOK, 0, nullptr);
                         return TRUE;
                     }),
                     this);
}

DialogWindow::~DialogWindow() {
    if (dialog_) {
        gtk_widget_destroy(dialog_);
        g_object_unref(dialog_);
    }
    if (font_) pango_font_description_free(font_);
    if (boldFont_) pango_font_description_free(boldFont_);
}

TextSize DialogWindow::measureText(const std::string& text, bool bold) const {
    PangoLayout* layout = gtk_widget_create_pango_layout(dialog_, nullptr);
    const PangoFontDescription* font = bold && boldFont_ ? boldFont_ : font_;
    if (font) pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, text.c_str(), -1);
    TextSize size;
    if (!text.empty()) pango_layout_get_pixel_size(layout, &size.width, &size.height);
    g_object_unref(layout);
    return size;
}

void DialogWindow::place(int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    gtk_widget_set_size_request(area_, width, height);
    gtk_window_move(GTK_WINDOW(dialog_), x, y);
}

RECT DialogWindow::ownerRect() const {
    RECT rect;
    if (GtkWindow* parent = toolkitWindow(owner_)) {
        if (GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(parent))) {
            GdkRectangle frame;
            gdk_window_get_frame_extents(window, &frame);
            return {frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
        }
    }
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display) monitor = gdk_display_get_monitor(display, 0);
    if (monitor) {
        GdkRectangle area;
        gdk_monitor_get_geometry(monitor, &area);
        rect = {area.x, area.y, area.x + area.width, area.y + area.height};
    }
    return rect;
}

POINT DialogWindow::cursorPosition() {
    POINT point;
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return point;
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    if (pointer) gdk_device_get_position(pointer, nullptr, &point.x, &point.y);
    return point;
}

void DialogWindow::deliver(int id, int code, ControlHandle control) {
    if (ended_ || !command_) return;
    try {
        command_(id, code, control);
    } catch (...) {
        failure_ = std::current_exception();
        end(0);
    }
}

void DialogWindow::connectEditSignals(GtkWidget* entry, int id, int killFocusCode) {
    g_object_set_data(G_OBJECT(entry), "movane2-id", GINT_TO_POINTER(id));
    g_object_set_data(G_OBJECT(entry), "movane2-kill", GINT_TO_POINTER(killFocusCode));
    g_signal_connect(entry, "changed", G_CALLBACK(+[](GtkEditable* editable, gpointer data) {
                         GtkWidget* control = GTK_WIDGET(editable);
                         if (GtkWidget* combo = gtk_widget_get_ancestor(control, GTK_TYPE_COMBO_BOX)) control = combo;
                         if (GTK_IS_COMBO_BOX(control)) return;
                         static_cast<DialogWindow*>(data)->deliver(
                             GPOINTER_TO_INT(g_object_get_data(G_OBJECT(editable), "movane2-id")), EN_UPDATE, control);
                     }),
                     this);
    g_signal_connect(entry, "focus-out-event", G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, gpointer data) {
                         GtkWidget* control = widget;
                         if (GtkWidget* combo = gtk_widget_get_ancestor(widget, GTK_TYPE_COMBO_BOX)) control = combo;
                         static_cast<DialogWindow*>(data)->deliver(
                             GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), "movane2-id")),
                             GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), "movane2-kill")), control);
                         return FALSE;
                     }),
                     this);
    g_signal_connect(entry, "activate", G_CALLBACK(+[](GtkEntry*, gpointer data) {
                         static_cast<DialogWindow*>(data)->deliver(IDOK, 0, nullptr);
                     }),
                     this);
}

ControlHandle DialogWindow::createEdit(int id, const RECT& rect, const std::string& text, const EditOptions& options) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
    if (options.digitsOnly) {
        gtk_entry_set_input_purpose(GTK_ENTRY(entry), GTK_INPUT_PURPOSE_DIGITS);
        g_signal_connect(entry, "insert-text", G_CALLBACK(&keepDigits), nullptr);
    }
    // The simple context composes nothing: keys reach the box as typed.
    if (options.noInputMethod) g_object_set(entry, "im-module", "gtk-im-context-simple", nullptr);
    if (!options.cueBanner.empty()) gtk_entry_set_placeholder_text(GTK_ENTRY(entry), options.cueBanner.c_str());
    attach(entry, rect);
    connectEditSignals(entry, id, EN_KILLFOCUS);
    return entry;
}

ControlHandle DialogWindow::createCombo(int id, const RECT& rect, bool editable) {
    GtkWidget* combo = editable ? gtk_combo_box_text_new_with_entry() : gtk_combo_box_text_new();
    attach(combo, rect);
    g_object_set_data(G_OBJECT(combo), "movane2-id", GINT_TO_POINTER(id));
    if (editable) {
        connectEditSignals(gtk_bin_get_child(GTK_BIN(combo)), id, CBN_KILLFOCUS);
    } else {
        g_signal_connect(combo, "focus-out-event", G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, gpointer data) {
                             static_cast<DialogWindow*>(data)->deliver(
                                 GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), "movane2-id")), CBN_KILLFOCUS,
                                 widget);
                             return FALSE;
                         }),
                         this);
    }
    return combo;
}

ControlHandle DialogWindow::createStatic(const RECT& rect, const std::string& text, bool bold, bool border) {
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.5f);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    GtkStyleContext* style = gtk_widget_get_style_context(label);
    if (bold) gtk_style_context_add_class(style, "bold");
    if (border) gtk_style_context_add_class(style, "border");
    attach(label, rect);
    return label;
}

ControlHandle DialogWindow::createIcon(const RECT& rect, const std::string& iconName) {
    GtkWidget* image = gtk_image_new_from_icon_name(iconName.c_str(), GTK_ICON_SIZE_DIALOG);
    gtk_image_set_pixel_size(GTK_IMAGE(image), rect.right - rect.left);
    attach(image, rect);
    return image;
}

ControlHandle DialogWindow::createButton(int id, const RECT& rect, const std::string& label, bool bold) {
    GtkWidget* button = gtk_button_new_with_label(label.c_str());
    if (bold) gtk_style_context_add_class(gtk_widget_get_style_context(button), "bold");
    g_object_set_data(G_OBJECT(button), "movane2-id", GINT_TO_POINTER(id));
    g_signal_connect(button, "clicked", G_CALLBACK(+[](GtkButton* pressed, gpointer data) {
                         static_cast<DialogWindow*>(data)->deliver(
                             GPOINTER_TO_INT(g_object_get_data(G_OBJECT(pressed), "movane2-id")), BN_CLICKED,
                             GTK_WIDGET(pressed));
                     }),
                     this);
    attach(button, rect);
    return button;
}

void DialogWindow::attach(ControlHandle widget, const RECT& rect) {
    gtk_widget_set_size_request(widget, std::max(0, rect.right - rect.left), std::max(0, rect.bottom - rect.top));
    gtk_fixed_put(GTK_FIXED(area_), widget, rect.left, rect.top);
    gtk_widget_show_all(widget);
}

void DialogWindow::setText(ControlHandle control, const std::string& text) {
    if (GtkWidget* entry = textEntry(control)) gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
    else if (GTK_IS_LABEL(control)) gtk_label_set_text(GTK_LABEL(control), text.c_str());
    else if (GTK_IS_BUTTON(control)) gtk_button_set_label(GTK_BUTTON(control), text.c_str());
}

std::string DialogWindow::getText(ControlHandle control) {
    if (GtkWidget* entry = textEntry(control)) return gtk_entry_get_text(GTK_ENTRY(entry));
    if (GTK_IS_LABEL(control)) return gtk_label_get_text(GTK_LABEL(control));
    if (GTK_IS_BUTTON(control)) {
        const gchar* label = gtk_button_get_label(GTK_BUTTON(control));
        return label ? label : "";
    }
    return {};
}

void DialogWindow::comboClear(ControlHandle combo) { gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(combo)); }

void DialogWindow::comboAdd(ControlHandle combo, const std::string& text) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), text.c_str());
}

void DialogWindow::comboSelect(ControlHandle combo, int index) { gtk_combo_box_set_active(GTK_COMBO_BOX(combo), index); }

int DialogWindow::comboSelection(ControlHandle combo) { return gtk_combo_box_get_active(GTK_COMBO_BOX(combo)); }

void DialogWindow::move(ControlHandle control, const RECT& rect) {
    GtkWidget* parent = gtk_widget_get_parent(control);
    if (GTK_IS_FIXED(parent)) gtk_fixed_move(GTK_FIXED(parent), control, rect.left, rect.top);
    gtk_widget_set_size_request(control, std::max(0, rect.right - rect.left), std::max(0, rect.bottom - rect.top));
}

void DialogWindow::show(ControlHandle control, bool visible) {
    if (visible) gtk_widget_show_all(control);
    else gtk_widget_hide(control);
}

void DialogWindow::focus(ControlHandle control) {
    if (GtkWidget* entry = textEntry(control)) control = entry;
    gtk_widget_grab_focus(control);
}

void DialogWindow::focusDialog() { gtk_window_set_focus(GTK_WINDOW(dialog_), nullptr); }

void DialogWindow::setKeyFilter(ControlHandle control, KeyFilter filter) {
    auto& slot = filters_.emplace_back(std::make_unique<Filter>());
    slot->filter = std::move(filter);
    GtkWidget* target = textEntry(control) ? textEntry(control) : control;
    auto key = +[](GtkWidget*, GdkEventKey* event, gpointer data) -> gboolean {
        auto* f = static_cast<Filter*>(data);
        const bool alt = (event->state & GDK_MOD1_MASK) || event->keyval == GDK_KEY_Alt_L ||
                         event->keyval == GDK_KEY_Alt_R;
        const bool down = event->type == GDK_KEY_PRESS;
        const UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        const int vk = virtualKeyOf ? virtualKeyOf(event->keyval) : 0;
        bool consumed = false;
        if (!guardCallback([&] { consumed = f->filter(message, WPARAM(vk), keyState(event->state)); })) return TRUE;
        return consumed;
    };
    g_signal_connect(target, "key-press-event", G_CALLBACK(key), slot.get());
    g_signal_connect(target, "key-release-event", G_CALLBACK(key), slot.get());
    auto focusChange = +[](GtkWidget*, GdkEventFocus* event, gpointer data) -> gboolean {
        auto* f = static_cast<Filter*>(data);
        bool consumed = false;
        guardCallback([&] { consumed = f->filter(event->in ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0); });
        return consumed;
    };
    g_signal_connect(target, "focus-in-event", G_CALLBACK(focusChange), slot.get());
    g_signal_connect(target, "focus-out-event", G_CALLBACK(focusChange), slot.get());
    // No context menu in a box that captures keys.
    if (GTK_IS_ENTRY(target))
        g_signal_connect(target, "populate-popup", G_CALLBACK(+[](GtkEntry*, GtkWidget* menu, gpointer) {
                             gtk_container_foreach(
                                 GTK_CONTAINER(menu), [](GtkWidget* item, gpointer) { gtk_widget_destroy(item); }, nullptr);
                         }),
                         nullptr);
}

void DialogWindow::showRefusal(ControlHandle control, const std::string& message, const std::string& detail) {
    hideRefusal();
    const std::string text = detail.empty() ? message : message + "\n" + detail;
    popover_ = gtk_popover_new(control);
    gtk_popover_set_position(GTK_POPOVER(popover_), GTK_POS_BOTTOM);
    gtk_popover_set_modal(GTK_POPOVER(popover_), FALSE);
    GtkWidget* reason = gtk_label_new(text.c_str());
    gtk_container_set_border_width(GTK_CONTAINER(popover_), 6);
    gtk_container_add(GTK_CONTAINER(popover_), reason);
    gtk_widget_show_all(popover_);
    refused_ = textEntry(control) ? textEntry(control) : control;
    gtk_widget_set_tooltip_text(refused_, text.c_str());
    if (GTK_IS_ENTRY(refused_)) refusalHandler_ = g_signal_connect(refused_, "changed", G_CALLBACK(&clearRefusal), this);
}

void DialogWindow::hideRefusal() {
    if (!refused_) return;
    if (refusalHandler_) {
        g_signal_handler_disconnect(refused_, refusalHandler_);
        refusalHandler_ = 0;
    }
    gtk_widget_set_tooltip_text(refused_, nullptr);
    gtk_widget_destroy(popover_);
    popover_ = nullptr;
    refused_ = nullptr;
}

int DialogWindow::run() {
    gtk_widget_show(dialog_);
    gtk_window_move(GTK_WINDOW(dialog_), x_, y_);
    if (!ended_) runModalDialog(GTK_DIALOG(dialog_));
    if (!ended_) result_ = 0;
    ended_ = true;
    gtk_widget_hide(dialog_);
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return result_;
}

void DialogWindow::end(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
    gtk_dialog_response(GTK_DIALOG(dialog_), kEnded);
}

}  // namespace Platform
