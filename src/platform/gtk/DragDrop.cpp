#include "platform/gtk/DragDrop.h"

#include "core/text/StringConvert.h"
#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

#include <cerrno>
#include <unordered_map>

namespace Platform {

namespace {

constexpr const char* kUriList = "text/uri-list";

struct Registration {
    WindowHandle window = nullptr;
    GtkWidget* widget = nullptr;
    std::shared_ptr<DropSink> sink;
    // The current drag: its list was read and entered.
    GdkDragContext* entered = nullptr;
    bool requested = false;
    // What waits for the data: the point of the motion or of the drop.
    bool dropWaiting = false;
    POINT waitingPoint;
    guint waitingTime = 0;
    guint leaveIdle = 0;
};

std::unordered_map<WindowHandle, Registration*>& registrations() {
    static std::unordered_map<WindowHandle, Registration*> map;
    return map;
}

POINT screenPoint(GtkWidget* widget, int x, int y) {
    int originX = 0;
    int originY = 0;
    if (GdkWindow* window = gtk_widget_get_window(widget)) gdk_window_get_origin(window, &originX, &originY);
    return {originX + x, originY + y};
}

bool offersFiles(GtkWidget* widget, GdkDragContext* context) {
    return gtk_drag_dest_find_target(widget, context, nullptr) == gdk_atom_intern_static_string(kUriList);
}

template <class F>
auto guarded(F f) {
    decltype(f()) result{};
    guardCallback([&] { result = f(); });
    return result;
}

void endDrag(Registration* r) {
    if (r->leaveIdle) {
        g_source_remove(r->leaveIdle);
        r->leaveIdle = 0;
    }
    const bool wasEntered = r->entered != nullptr;
    r->entered = nullptr;
    r->requested = false;
    r->dropWaiting = false;
    if (wasEntered) guardCallback([&] { r->sink->dragLeave(); });
}

void finishDrop(Registration* r, GdkDragContext* context, POINT point, guint time) {
    const bool accepted = r->entered && guarded([&] { return r->sink->drop(point); });
    gtk_drag_finish(context, accepted, FALSE, time);
    endDrag(r);
}

gboolean onMotion(GtkWidget* widget, GdkDragContext* context, gint x, gint y, guint time, gpointer data) {
    auto* r = static_cast<Registration*>(data);
    if (!offersFiles(widget, context)) return FALSE;
    if (r->leaveIdle) {
        g_source_remove(r->leaveIdle);
        r->leaveIdle = 0;
    }
    const POINT point = screenPoint(widget, x, y);
    if (r->entered != context) {
        // The list is read once per entry: ask for it, answer when it comes.
        r->waitingPoint = point;
        r->waitingTime = time;
        if (!r->requested) {
            r->requested = true;
            gtk_drag_get_data(widget, context, gdk_atom_intern_static_string(kUriList), time);
        }
        return TRUE;
    }
    const bool accepted = guarded([&] { return r->sink->dragOver(point); });
    gdk_drag_status(context, accepted ? GDK_ACTION_COPY : GdkDragAction(0), time);
    return TRUE;
}

void onDataReceived(GtkWidget*, GdkDragContext* context, gint, gint, GtkSelectionData* selection, guint,
                    guint time, gpointer data) {
    auto* r = static_cast<Registration*>(data);
    if (!r->requested) return;
    r->requested = false;
    const guchar* bytes = gtk_selection_data_get_data(selection);
    const int length = gtk_selection_data_get_length(selection);
    const std::vector<std::wstring> files =
        bytes && length > 0 ? pathsFromUriList(std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length)))
                            : std::vector<std::wstring>{};
    r->entered = context;
    const bool accepted = guarded([&] { return r->sink->dragEnter(files, r->waitingPoint); });
    if (r->dropWaiting) {
        finishDrop(r, context, r->waitingPoint, time);
        return;
    }
    gdk_drag_status(context, accepted ? GDK_ACTION_COPY : GdkDragAction(0), r->waitingTime);
}

gboolean leaveLater(gpointer data) {
    auto* r = static_cast<Registration*>(data);
    r->leaveIdle = 0;
    endDrag(r);
    return G_SOURCE_REMOVE;
}

void onLeave(GtkWidget*, GdkDragContext*, guint, gpointer data) {
    auto* r = static_cast<Registration*>(data);
    // The toolkit leaves just before a drop: the leave waits for the loop.
    if (!r->leaveIdle) r->leaveIdle = g_idle_add(leaveLater, r);
}

gboolean onDrop(GtkWidget* widget, GdkDragContext* context, gint x, gint y, guint time, gpointer data) {
    auto* r = static_cast<Registration*>(data);
    if (!offersFiles(widget, context)) return FALSE;
    if (r->leaveIdle) {
        g_source_remove(r->leaveIdle);
        r->leaveIdle = 0;
    }
    const POINT point = screenPoint(widget, x, y);
    if (r->entered == context) {
        finishDrop(r, context, point, time);
    } else {
        r->dropWaiting = true;
        r->waitingPoint = point;
        if (!r->requested) {
            r->requested = true;
            gtk_drag_get_data(widget, context, gdk_atom_intern_static_string(kUriList), time);
        }
    }
    return TRUE;
}

}  // namespace

std::vector<std::wstring> pathsFromUriList(const std::string& uriList) {
    std::vector<std::wstring> paths;
    gchar** uris = g_uri_list_extract_uris(uriList.c_str());
    for (gchar** uri = uris; uri && *uri; ++uri) {
        gchar* path = g_filename_from_uri(*uri, nullptr, nullptr);
        if (!path) continue;
        paths.push_back(System::String::toWide(path));
        g_free(path);
    }
    g_strfreev(uris);
    return paths;
}

std::string uriListFromPaths(const std::vector<std::wstring>& paths) {
    std::string list;
    for (const std::wstring& path : paths) {
        gchar* uri = g_filename_to_uri(System::String::toUtf8(path).c_str(), nullptr, nullptr);
        if (!uri) continue;
        list += uri;
        list += "\r\n";
        g_free(uri);
    }
    return list;
}

namespace {

// The list a window's drag offers, while it runs.
const char* const kOfferedList = "movane2-drag-uri-list";

void onDragDataGet(GtkWidget* widget, GdkDragContext*, GtkSelectionData* data, guint, guint, gpointer) {
    const auto* list = static_cast<const std::string*>(g_object_get_data(G_OBJECT(widget), kOfferedList));
    if (!list) return;
    gtk_selection_data_set(data, gdk_atom_intern_static_string(kUriList), 8,
                           reinterpret_cast<const guchar*>(list->data()), static_cast<gint>(list->size()));
}

void onDragEnd(GtkWidget* widget, GdkDragContext*, gpointer) {
    g_object_set_data(G_OBJECT(widget), kOfferedList, nullptr);
}

}  // namespace

bool beginFileDrag(WindowHandle window, const std::vector<std::wstring>& paths) {
    GtkWindow* top = toolkitWindow(window);
    std::string list = uriListFromPaths(paths);
    if (!top || list.empty()) {
        errno = EINVAL;
        return false;
    }
    GtkWidget* widget = GTK_WIDGET(top);
    if (!g_object_get_data(G_OBJECT(widget), "movane2-drag-source")) {
        g_signal_connect(widget, "drag-data-get", G_CALLBACK(onDragDataGet), nullptr);
        g_signal_connect(widget, "drag-end", G_CALLBACK(onDragEnd), nullptr);
        g_object_set_data(G_OBJECT(widget), "movane2-drag-source", widget);
    }
    g_object_set_data_full(G_OBJECT(widget), kOfferedList, new std::string(std::move(list)),
                           [](gpointer p) { delete static_cast<std::string*>(p); });
    static const GtkTargetEntry targets[] = {{const_cast<gchar*>(kUriList), 0, 0}};
    GtkTargetList* targetList = gtk_target_list_new(targets, 1);
    GdkDragContext* context =
        gtk_drag_begin_with_coordinates(widget, targetList, GDK_ACTION_COPY, 1, nullptr, -1, -1);
    gtk_target_list_unref(targetList);
    return context != nullptr;
}

bool registerDragDrop(WindowHandle window, std::shared_ptr<DropSink> sink) {
    GtkWindow* top = toolkitWindow(window);
    if (!top || !sink || registrations().count(window)) {
        errno = EINVAL;
        return false;
    }
    auto* r = new Registration;
    r->window = window;
    r->widget = GTK_WIDGET(top);
    r->sink = std::move(sink);
    static const GtkTargetEntry targets[] = {{const_cast<gchar*>(kUriList), 0, 0}};
    gtk_drag_dest_set(r->widget, GtkDestDefaults(0), targets, 1, GDK_ACTION_COPY);
    g_signal_connect(r->widget, "drag-motion", G_CALLBACK(onMotion), r);
    g_signal_connect(r->widget, "drag-leave", G_CALLBACK(onLeave), r);
    g_signal_connect(r->widget, "drag-drop", G_CALLBACK(onDrop), r);
    g_signal_connect(r->widget, "drag-data-received", G_CALLBACK(onDataReceived), r);
    registrations()[window] = r;
    return true;
}

bool revokeDragDrop(WindowHandle window) {
    const auto found = registrations().find(window);
    if (found == registrations().end()) {
        errno = EINVAL;
        return false;
    }
    Registration* r = found->second;
    registrations().erase(found);
    if (r->leaveIdle) g_source_remove(r->leaveIdle);
    if (GTK_IS_WIDGET(r->widget)) {
        g_signal_handlers_disconnect_by_data(r->widget, r);
        gtk_drag_dest_unset(r->widget);
    }
    delete r;
    return true;
}

}  // namespace Platform
