// A drag source of our own for the drop tests: a small window (class
// "movane2DragSource", at the position given) that starts a drag when it is
// pressed and moved, offering the files given as a file list
// ("text/uri-list"), or with --text a plain text only. It prints what the
// drop target answers, one line each, as the action changes:
//   ready                  the window is shown
//   action copy|none       the target's current answer
//   end copy|none          the drag ended (the last answer)
// Usage: drag_source [--text] [--at X,Y] FILE...
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> files;
bool textOnly = false;

const char* actionName(GdkDragAction action) { return (action & GDK_ACTION_COPY) ? "copy" : "none"; }

void onActionChanged(GdkDragContext*, GdkDragAction action, gpointer) {
    std::printf("action %s\n", actionName(action));
    std::fflush(stdout);
}

void onBegin(GtkWidget*, GdkDragContext* context, gpointer) {
    g_signal_connect(context, "action-changed", G_CALLBACK(onActionChanged), nullptr);
}

void onDataGet(GtkWidget*, GdkDragContext*, GtkSelectionData* data, guint info, guint, gpointer) {
    if (info == 1) {
        gtk_selection_data_set_text(data, "plain text", -1);
        return;
    }
    std::vector<gchar*> uris;
    for (const std::string& file : files) uris.push_back(g_filename_to_uri(file.c_str(), nullptr, nullptr));
    uris.push_back(nullptr);
    gtk_selection_data_set_uris(data, uris.data());
    for (gchar* uri : uris) g_free(uri);
}

void onEnd(GtkWidget*, GdkDragContext* context, gpointer) {
    std::printf("end %s\n", actionName(gdk_drag_context_get_selected_action(context)));
    std::fflush(stdout);
}

gboolean onFailed(GtkWidget*, GdkDragContext*, GtkDragResult, gpointer) {
    std::printf("failed\n");
    std::fflush(stdout);
    return TRUE;  // no animation back
}

void onMap(GtkWidget*, gpointer) {
    std::printf("ready\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    gdk_set_allowed_backends("x11");
    gtk_init(&argc, &argv);
    int x = 0;
    int y = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--text") == 0)
            textOnly = true;
        else if (std::strcmp(argv[i], "--at") == 0 && i + 1 < argc)
            std::sscanf(argv[++i], "%d,%d", &x, &y);
        else
            files.emplace_back(argv[i]);
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_window_set_wmclass(GTK_WINDOW(window), "movane2DragSource", "movane2DragSource");
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_window_move(GTK_WINDOW(window), x, y);
    gtk_window_set_default_size(GTK_WINDOW(window), 100, 100);
    GtkWidget* area = gtk_event_box_new();
    gtk_container_add(GTK_CONTAINER(window), area);
    GtkTargetEntry uriTarget = {const_cast<gchar*>("text/uri-list"), 0, 0};
    GtkTargetEntry textTarget = {const_cast<gchar*>("text/plain"), 0, 1};
    gtk_drag_source_set(area, GDK_BUTTON1_MASK, textOnly ? &textTarget : &uriTarget, 1, GDK_ACTION_COPY);
    g_signal_connect(area, "drag-begin", G_CALLBACK(onBegin), nullptr);
    g_signal_connect(area, "drag-data-get", G_CALLBACK(onDataGet), nullptr);
    g_signal_connect(area, "drag-end", G_CALLBACK(onEnd), nullptr);
    g_signal_connect(area, "drag-failed", G_CALLBACK(onFailed), nullptr);
    g_signal_connect(window, "map", G_CALLBACK(onMap), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
