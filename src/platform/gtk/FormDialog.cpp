#include "platform/gtk/FormDialog.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

#include <cctype>

namespace Platform {

namespace {

void keepDigits(GtkEditable* editable, const gchar* text, gint length, gint*, gpointer) {
    for (gint i = 0; i < length; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            g_signal_stop_emission_by_name(editable, "insert-text");
            return;
        }
    }
}

void clearRefusal(GtkEditable* editable, gpointer popover) {
    gtk_widget_set_tooltip_text(GTK_WIDGET(editable), nullptr);
    gtk_widget_hide(GTK_WIDGET(popover));
}

}  // namespace

bool runFormDialog(const FormDialogOptions& options, FormTexts& texts) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(options.title.c_str(), toolkitWindow(options.owner),
                                                    GTK_DIALOG_MODAL, "OK", GTK_RESPONSE_OK, "キャンセル",
                                                    GTK_RESPONSE_CANCEL, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 8);
    gtk_container_set_border_width(GTK_CONTAINER(grid), 10);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), grid);

    std::vector<std::vector<GtkWidget*>> boxes;
    for (std::size_t r = 0; r < options.rows.size(); ++r) {
        const FormRow& row = options.rows[r];
        GtkWidget* label = gtk_label_new(row.label.c_str());
        gtk_widget_set_halign(label, GTK_ALIGN_START);
        gtk_grid_attach(GTK_GRID(grid), label, 0, static_cast<int>(r), 1, 1);
        GtkWidget* line = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
        gtk_box_set_homogeneous(GTK_BOX(line), TRUE);
        gtk_grid_attach(GTK_GRID(grid), line, 1, static_cast<int>(r), 1, 1);
        auto& rowBoxes = boxes.emplace_back();
        for (const std::string& text : row.texts) {
            GtkWidget* entry = gtk_entry_new();
            gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
            gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
            gtk_widget_set_hexpand(entry, TRUE);
            if (row.digitsOnly) {
                gtk_entry_set_input_purpose(GTK_ENTRY(entry), GTK_INPUT_PURPOSE_DIGITS);
                g_signal_connect(entry, "insert-text", G_CALLBACK(&keepDigits), nullptr);
            }
            gtk_box_pack_start(GTK_BOX(line), entry, TRUE, TRUE, 0);
            rowBoxes.push_back(entry);
        }
    }
    // The box refused last, its reason and the handler that drops the
    // reason once the text changes.
    GtkWidget* refused = nullptr;
    GtkWidget* popover = nullptr;
    gulong handler = 0;
    gtk_widget_show_all(dialog);

    bool accepted = false;
    while (runModalDialog(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
        FormTexts read;
        for (const auto& rowBoxes : boxes) {
            auto& rowTexts = read.emplace_back();
            for (GtkWidget* entry : rowBoxes) rowTexts.emplace_back(gtk_entry_get_text(GTK_ENTRY(entry)));
        }
        const std::optional<FormRefusal> refusal = options.check ? options.check(read) : std::nullopt;
        if (!refusal) {
            texts = std::move(read);
            accepted = true;
            break;
        }
        GtkWidget* entry = boxes.at(refusal->row).at(refusal->box);
        const std::string text = refusal->detail.empty() ? refusal->message : refusal->message + "\n" + refusal->detail;
        if (refused) {
            g_signal_handler_disconnect(refused, handler);
            gtk_widget_set_tooltip_text(refused, nullptr);
            gtk_widget_destroy(popover);
        }
        refused = entry;
        popover = gtk_popover_new(entry);
        gtk_popover_set_position(GTK_POPOVER(popover), GTK_POS_BOTTOM);
        gtk_popover_set_modal(GTK_POPOVER(popover), FALSE);
        GtkWidget* reason = gtk_label_new(text.c_str());
        gtk_container_set_border_width(GTK_CONTAINER(popover), 6);
        gtk_container_add(GTK_CONTAINER(popover), reason);
        gtk_widget_show_all(popover);
        gtk_widget_set_tooltip_text(entry, text.c_str());
        handler = g_signal_connect(entry, "changed", G_CALLBACK(&clearRefusal), popover);
        gtk_widget_grab_focus(entry);
    }
    gtk_widget_destroy(dialog);
    return accepted;
}

}  // namespace Platform
