#pragma once
// Drives the program's own dialogs from inside the test process: a GLib
// timeout, which runs in the dialog's modal loop, hands each visible dialog
// (not message boxes) to the test's step until the step returns true.
#include <gtk/gtk.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace DialogTest {

class DialogDriver {
public:
    // step: called with the dialog; true when it has answered it.
    explicit DialogDriver(std::function<bool(GtkWidget* dialog)> step) : step_(std::move(step)) {
        source_ = g_timeout_add(50, &DialogDriver::tick, this);
    }
    ~DialogDriver() { g_source_remove(source_); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    int answered = 0;

private:
    static gboolean tick(gpointer data) {
        auto* self = static_cast<DialogDriver*>(data);
        GList* windows = gtk_window_list_toplevels();
        GtkWidget* dialog = nullptr;
        bool boxOpen = false;
        for (GList* item = windows; item; item = item->next) {
            GtkWidget* widget = GTK_WIDGET(item->data);
            if (!GTK_IS_DIALOG(widget) || !gtk_widget_get_visible(widget)) continue;
            if (GTK_IS_MESSAGE_DIALOG(widget))
                boxOpen = true;
            else if (!dialog)
                dialog = widget;
        }
        // A message box above the dialog is answered first.
        if (dialog && !boxOpen && self->step_(dialog)) ++self->answered;
        g_list_free(windows);
        return G_SOURCE_CONTINUE;
    }

    std::function<bool(GtkWidget*)> step_;
    unsigned source_ = 0;
};

// Every widget of the type under the root, in tree order.
inline void collect(GtkWidget* root, GType type, std::vector<GtkWidget*>& found) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(root, type)) found.push_back(root);
    if (!GTK_IS_CONTAINER(root)) return;
    GList* children = gtk_container_get_children(GTK_CONTAINER(root));
    for (GList* c = children; c; c = c->next) collect(GTK_WIDGET(c->data), type, found);
    g_list_free(children);
}

// The widgets of the type in the dialog's content, in reading order (rows
// top to bottom, boxes left to right).
inline std::vector<GtkWidget*> inReadingOrder(GtkWidget* dialog, GType type) {
    std::vector<GtkWidget*> found;
    collect(gtk_dialog_get_content_area(GTK_DIALOG(dialog)), type, found);
    auto place = [dialog](GtkWidget* w) {
        int x = 0, y = 0;
        gtk_widget_translate_coordinates(w, dialog, 0, 0, &x, &y);
        return std::make_pair(y, x);
    };
    std::stable_sort(found.begin(), found.end(), [&](GtkWidget* a, GtkWidget* b) { return place(a) < place(b); });
    return found;
}

inline std::vector<GtkWidget*> entries(GtkWidget* dialog) { return inReadingOrder(dialog, GTK_TYPE_ENTRY); }

inline std::vector<std::string> labels(GtkWidget* dialog) {
    const std::vector<GtkWidget*> found = inReadingOrder(dialog, GTK_TYPE_LABEL);
    std::vector<std::string> texts;
    for (GtkWidget* label : found)
        if (!gtk_widget_get_ancestor(label, GTK_TYPE_BUTTON)) texts.emplace_back(gtk_label_get_text(GTK_LABEL(label)));
    return texts;
}

// The first list view of a dialog, or null.
inline GtkTreeView* treeOf(GtkWidget* dialog) {
    std::vector<GtkWidget*> found;
    collect(gtk_dialog_get_content_area(GTK_DIALOG(dialog)), GTK_TYPE_TREE_VIEW, found);
    return found.empty() ? nullptr : GTK_TREE_VIEW(found.front());
}

// The texts of a combo box's choices.
inline std::vector<std::string> comboChoices(GtkWidget* combo) {
    std::vector<std::string> texts;
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(combo));
    GtkTreeIter iter;
    for (bool more = gtk_tree_model_get_iter_first(model, &iter); more; more = gtk_tree_model_iter_next(model, &iter)) {
        gchar* text = nullptr;
        gtk_tree_model_get(model, &iter, 0, &text, -1);
        texts.emplace_back(text ? text : "");
        g_free(text);
    }
    return texts;
}

}  // namespace DialogTest
