#include "platform/gtk/ListView.h"

#include "platform/gtk/MessageQueue.h"

#include <gtk/gtk.h>

#include <algorithm>

namespace Platform {

namespace {

void* lineItem(GtkTreeModel* model, GtkTreeIter* iter) {
    gpointer item = nullptr;
    gtk_tree_model_get(model, iter, 0, &item, -1);
    return item;
}

void run(const std::function<void(int, int)>& f, double x, double y) {
    if (f) guardCallback([&] { f(static_cast<int>(x), static_cast<int>(y)); });
}

}  // namespace

ListView::ListView(DialogWindow& dialog, const RECT& rect, bool checkBoxes, Events events)
    : checkBoxes_(checkBoxes), events_(std::move(events)) {
    store_ = gtk_list_store_new(1, G_TYPE_POINTER);
    tree_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store_));
    gtk_tree_view_set_grid_lines(GTK_TREE_VIEW(tree_), GTK_TREE_VIEW_GRID_LINES_BOTH);
    gtk_tree_view_set_enable_search(GTK_TREE_VIEW(tree_), FALSE);
    gtk_tree_view_set_headers_clickable(GTK_TREE_VIEW(tree_), TRUE);
    gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(tree_)), GTK_SELECTION_SINGLE);
    gtk_widget_set_can_focus(tree_, FALSE);
    gtk_widget_add_events(tree_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
    scroller_ = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller_), GTK_SHADOW_IN);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller_), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scroller_), tree_);
    dialog.attach(scroller_, rect);

    auto press = +[](GtkWidget* tree, GdkEventButton* event, gpointer data) -> gboolean {
        auto* self = static_cast<ListView*>(data);
        if (event->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree))) return FALSE;
        if (event->type != GDK_BUTTON_PRESS) return TRUE;  // double clicks: nothing more
        if (event->button == 1) run(self->events_.leftDown, event->x, event->y);
        else if (event->button == 3) run(self->events_.rightDown, event->x, event->y);
        return TRUE;
    };
    auto release = +[](GtkWidget* tree, GdkEventButton* event, gpointer data) -> gboolean {
        auto* self = static_cast<ListView*>(data);
        if (event->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree))) return FALSE;
        if (event->button == 1) {
            run(self->events_.leftUp, event->x, event->y);
            if (self->events_.captureLost) guardCallback(self->events_.captureLost);
        } else if (event->button == 3) {
            run(self->events_.rightUp, event->x, event->y);
        }
        return TRUE;
    };
    auto motion = +[](GtkWidget* tree, GdkEventMotion* event, gpointer data) -> gboolean {
        auto* self = static_cast<ListView*>(data);
        if (event->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree))) return FALSE;
        run(self->events_.mouseMove, event->x, event->y);
        return TRUE;
    };
    g_signal_connect(tree_, "button-press-event", G_CALLBACK(press), this);
    g_signal_connect(tree_, "button-release-event", G_CALLBACK(release), this);
    g_signal_connect(tree_, "motion-notify-event", G_CALLBACK(motion), this);
    g_signal_connect(tree_, "grab-broken-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
                         auto* self = static_cast<ListView*>(data);
                         if (self->events_.captureLost) guardCallback(self->events_.captureLost);
                         return FALSE;
                     }),
                     this);
    g_signal_connect(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(tree_)), "value-changed",
                     G_CALLBACK(+[](GtkAdjustment*, gpointer data) {
                         auto* self = static_cast<ListView*>(data);
                         if (self->events_.beginScroll) guardCallback(self->events_.beginScroll);
                     }),
                     this);
    g_signal_connect(tree_, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer data) {
                         auto* self = static_cast<ListView*>(data);
                         if (!self->tree_) return;
                         if (self->events_.destroying) guardCallback(self->events_.destroying);
                         self->tree_ = nullptr;
                         self->scroller_ = nullptr;
                     }),
                     this);
}

ListView::~ListView() {
    if (tree_) g_signal_handlers_disconnect_by_data(tree_, this);
    g_object_unref(store_);
}

void ListView::addColumn(const std::string& header, int width) {
    if (!tree_) return;
    const int index = static_cast<int>(gtk_tree_view_get_n_columns(GTK_TREE_VIEW(tree_)));
    GtkTreeViewColumn* column = gtk_tree_view_column_new();
    gtk_tree_view_column_set_title(column, header.c_str());
    gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(column, std::max(1, width));
    gtk_tree_view_column_set_resizable(column, TRUE);
    gtk_tree_view_column_set_clickable(column, TRUE);
    g_object_set_data(G_OBJECT(column), "movane2-column", GINT_TO_POINTER(index));
    if (index == 0 && checkBoxes_) {
        GtkCellRenderer* toggle = gtk_cell_renderer_toggle_new();
        gtk_cell_renderer_toggle_set_activatable(GTK_CELL_RENDERER_TOGGLE(toggle), FALSE);
        gtk_tree_view_column_pack_start(column, toggle, FALSE);
        gtk_tree_view_column_set_cell_data_func(
            column, toggle,
            [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter, gpointer data) {
                auto* self = static_cast<ListView*>(data);
                bool checked = false;
                if (self->events_.check) guardCallback([&] { checked = self->events_.check(lineItem(model, iter)); });
                gtk_cell_renderer_toggle_set_active(GTK_CELL_RENDERER_TOGGLE(cell), checked);
            },
            this, nullptr);
        toggle_ = toggle;
    }
    GtkCellRenderer* text = gtk_cell_renderer_text_new();
    g_object_set(text, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
    gtk_tree_view_column_pack_start(column, text, TRUE);
    g_object_set_data(G_OBJECT(text), "movane2-column", GINT_TO_POINTER(index));
    gtk_tree_view_column_set_cell_data_func(
        column, text,
        [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter, gpointer data) {
            auto* self = static_cast<ListView*>(data);
            const int at = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(cell), "movane2-column"));
            std::string shown;
            if (self->events_.text) guardCallback([&] { shown = self->events_.text(lineItem(model, iter), at); });
            g_object_set(cell, "text", shown.c_str(), nullptr);
        },
        this, nullptr);
    g_signal_connect(column, "clicked", G_CALLBACK(+[](GtkTreeViewColumn* clicked, gpointer data) {
                         auto* self = static_cast<ListView*>(data);
                         const int at = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(clicked), "movane2-column"));
                         if (self->events_.columnClick) guardCallback([&] { self->events_.columnClick(at); });
                     }),
                     this);
    gtk_tree_view_append_column(GTK_TREE_VIEW(tree_), column);
}

void ListView::addLine(void* item) {
    GtkTreeIter iter;
    gtk_list_store_insert_with_values(store_, &iter, -1, 0, item, -1);
}

int ListView::count() const { return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(store_), nullptr); }

void* ListView::item(int line) const {
    GtkTreeIter iter;
    if (line < 0 || !gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_), &iter, nullptr, line)) return nullptr;
    return lineItem(GTK_TREE_MODEL(store_), &iter);
}

void ListView::setItem(int line, void* item) {
    GtkTreeIter iter;
    if (line < 0 || !gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_), &iter, nullptr, line)) return;
    gtk_list_store_set(store_, &iter, 0, item, -1);
}

void ListView::setOrder(const std::vector<void*>& items) {
    for (int line = 0; line < static_cast<int>(items.size()); ++line) setItem(line, items[static_cast<std::size_t>(line)]);
}

ListView::Hit ListView::hitTest(int x, int y) const {
    Hit hit;
    if (!tree_) return hit;
    GtkTreePath* path = nullptr;
    GtkTreeViewColumn* column = nullptr;
    int cellX = 0, cellY = 0;
    if (!gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(tree_), x, y, &path, &column, &cellX, &cellY)) return hit;
    hit.line = gtk_tree_path_get_indices(path)[0];
    gtk_tree_path_free(path);
    if (!column) return hit;
    hit.column = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), "movane2-column"));
    if (hit.column == 0 && toggle_) {
        int start = 0, width = 0;
        if (gtk_tree_view_column_cell_get_position(column, GTK_CELL_RENDERER(toggle_), &start, &width))
            hit.onCheck = cellX >= start && cellX < start + width;
    }
    return hit;
}

RECT ListView::cellRect(int line, int column) const {
    RECT rect;
    if (!tree_) return rect;
    GtkTreeViewColumn* col = gtk_tree_view_get_column(GTK_TREE_VIEW(tree_), column);
    if (!col) return rect;
    GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
    GdkRectangle area;
    gtk_tree_view_get_cell_area(GTK_TREE_VIEW(tree_), path, col, &area);
    gtk_tree_path_free(path);
    if (column == 0 && toggle_) {
        int start = 0, width = 0;
        if (gtk_tree_view_column_cell_get_position(col, GTK_CELL_RENDERER(toggle_), &start, &width)) {
            area.x += start + width;
            area.width -= start + width;
        }
    }
    int wx = 0, wy = 0;
    gtk_tree_view_convert_bin_window_to_widget_coords(GTK_TREE_VIEW(tree_), area.x, area.y, &wx, &wy);
    int dx = 0, dy = 0;
    gtk_widget_translate_coordinates(tree_, gtk_widget_get_parent(scroller_), wx, wy, &dx, &dy);
    return {dx, dy, dx + area.width, dy + area.height};
}

int ListView::bodyHeight() const {
    if (!tree_) return 0;
    GdkWindow* bin = gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree_));
    return bin ? gdk_window_get_height(bin) : 0;
}

void ListView::select(int line) {
    if (!tree_ || line < 0 || line >= count()) return;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(tree_));
    GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
    if (!gtk_tree_selection_path_is_selected(selection, path)) gtk_tree_selection_select_path(selection, path);
    gtk_tree_path_free(path);
}

int ListView::selection() const {
    if (!tree_) return -1;
    GtkTreeModel* model = nullptr;
    GtkTreeIter iter;
    if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(tree_)), &model, &iter)) return -1;
    GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
    const int line = gtk_tree_path_get_indices(path)[0];
    gtk_tree_path_free(path);
    return line;
}

void ListView::redraw() {
    if (tree_) gtk_widget_queue_draw(tree_);
}

void ListView::scrollBy(int pixels) {
    if (!tree_) return;
    GtkAdjustment* adjustment = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(tree_));
    const double top = gtk_adjustment_get_upper(adjustment) - gtk_adjustment_get_page_size(adjustment);
    gtk_adjustment_set_value(adjustment,
                             std::clamp(gtk_adjustment_get_value(adjustment) + pixels, 0.0, std::max(0.0, top)));
}

void ListView::setCursor(const char* name) {
    if (!tree_) return;
    GdkWindow* bin = gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree_));
    if (!bin) return;
    GdkCursor* cursor = name && *name ? gdk_cursor_new_from_name(gdk_window_get_display(bin), name) : nullptr;
    gdk_window_set_cursor(bin, cursor);
    if (cursor) g_object_unref(cursor);
}

void ListView::watchFocus(ControlHandle control, std::function<void()> lostFocus) {
    auto& slot = watchers_.emplace_back(std::make_unique<std::function<void()>>(std::move(lostFocus)));
    GtkWidget* target = control;
    if (GTK_IS_COMBO_BOX(control) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(control)))
        target = gtk_bin_get_child(GTK_BIN(control));
    g_signal_connect(target, "focus-out-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
                         guardCallback(*static_cast<std::function<void()>*>(data));
                         return FALSE;
                     }),
                     slot.get());
}

int ListView::popupMenu(const std::vector<std::string>& labels) {
    if (!tree_ || labels.empty()) return -1;
    GtkWidget* menu = gtk_menu_new();
    int picked = -1;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].empty()) {
            gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
            continue;
        }
        GtkWidget* entry = gtk_menu_item_new_with_label(labels[i].c_str());
        g_object_set_data(G_OBJECT(entry), "movane2-index", GINT_TO_POINTER(static_cast<int>(i)));
        g_signal_connect(entry, "activate", G_CALLBACK(+[](GtkMenuItem* item, gpointer data) {
                             *static_cast<int*>(data) = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "movane2-index"));
                         }),
                         &picked);
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), entry);
    }
    gtk_widget_show_all(menu);
    gtk_menu_attach_to_widget(GTK_MENU(menu), tree_, nullptr);
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_signal_connect_swapped(menu, "deactivate", G_CALLBACK(g_main_loop_quit), loop);
    gtk_menu_popup_at_pointer(GTK_MENU(menu), nullptr);
    if (gtk_widget_get_visible(menu)) g_main_loop_run(loop);
    g_main_loop_unref(loop);
    // The item's "activate" runs after "deactivate": let it through.
    while (gtk_events_pending()) gtk_main_iteration();
    gtk_widget_destroy(menu);
    return picked;
}

}  // namespace Platform
