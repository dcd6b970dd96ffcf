#include "platform/gtk/SettingStrip.h"

#include "core/text/StringConvert.h"

#include <gtk/gtk.h>

namespace Platform {

namespace {

void onClicked(GtkButton*, gpointer self) {
    auto* clicked = static_cast<std::function<void()>*>(self);
    if (*clicked) (*clicked)();
}

}  // namespace

SettingStrip::SettingStrip(void* container, const std::wstring& text, const std::wstring& buttonText,
                           std::function<void()> clicked)
    : clicked_(std::move(clicked)) {
    if (!container || !GTK_IS_CONTAINER(container)) return;
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    label_ = gtk_label_new(System::String::toUtf8(text).c_str());
    gtk_label_set_ellipsize(GTK_LABEL(label_), PANGO_ELLIPSIZE_END);
    gtk_label_set_xalign(GTK_LABEL(label_), 1.0f);
    gtk_widget_set_hexpand(label_, TRUE);
    button_ = gtk_button_new_with_label(System::String::toUtf8(buttonText).c_str());
    handler_ = g_signal_connect(button_, "clicked", G_CALLBACK(onClicked), &clicked_);
    gtk_box_pack_start(GTK_BOX(box), label_, TRUE, TRUE, 0);
    gtk_box_pack_end(GTK_BOX(box), button_, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(container), box);
    gtk_widget_show_all(box);
    // Dropped with the dialog: the pointers are cleared, not the widgets.
    g_object_add_weak_pointer(G_OBJECT(label_), reinterpret_cast<gpointer*>(&label_));
    g_object_add_weak_pointer(G_OBJECT(button_), reinterpret_cast<gpointer*>(&button_));
}

SettingStrip::~SettingStrip() {
    if (button_) {
        g_signal_handler_disconnect(button_, handler_);
        g_object_remove_weak_pointer(G_OBJECT(button_), reinterpret_cast<gpointer*>(&button_));
    }
    if (label_) g_object_remove_weak_pointer(G_OBJECT(label_), reinterpret_cast<gpointer*>(&label_));
}

void SettingStrip::setText(const std::wstring& text) {
    if (label_) gtk_label_set_text(GTK_LABEL(label_), System::String::toUtf8(text).c_str());
}

}  // namespace Platform
