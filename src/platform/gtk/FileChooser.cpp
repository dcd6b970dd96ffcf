#include "platform/gtk/FileChooser.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"

#include <fnmatch.h>
#include <gtk/gtk.h>
#include <limits.h>
#include <sys/stat.h>

#include <memory>

namespace Platform {

namespace {

struct Patterns {
    std::vector<std::string> list;
};

gboolean matchesPatterns(const GtkFileFilterInfo* info, gpointer data) {
    const char* name = info->display_name;
    if (!name) return FALSE;
    for (const std::string& pattern : static_cast<Patterns*>(data)->list) {
        if (pattern == "*.*" || pattern == "*") return TRUE;
        if (::fnmatch(pattern.c_str(), name, FNM_CASEFOLD) == 0) return TRUE;
    }
    return FALSE;
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The chosen name, with the default extension when it has none.
std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty()) return path;
    const std::string name = baseName(path);
    if (name.find('.') != std::string::npos) return path;
    return path + "." + extension;
}

struct Session {
    const FileChooserOptions* options;
    GtkWidget* dialog = nullptr;
    int width = 0, height = 0;
};

void onSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    auto* session = static_cast<Session*>(data);
    if (allocation->width == session->width && allocation->height == session->height) return;
    const bool first = session->width == 0;
    session->width = allocation->width;
    session->height = allocation->height;
    if (!first && session->options->onSize) session->options->onSize();
}

// The toolkit asks before replacing only the name as typed; a name that
// gets the default extension is asked about here.
void onResponse(GtkDialog* dialog, int response, gpointer data) {
    auto* session = static_cast<Session*>(data);
    const FileChooserOptions& options = *session->options;
    if (response != GTK_RESPONSE_ACCEPT || !options.save || !options.overwritePrompt) return;
    gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
    const std::string typed = file ? file : "";
    g_free(file);
    const std::string target = withDefaultExtension(typed, options.defaultExtension);
    if (target == typed || !exists(target)) return;
    GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(dialog), GTK_DIALOG_MODAL, GTK_MESSAGE_WARNING,
                                            GTK_BUTTONS_YES_NO, "%s は既に存在します。\n上書きしますか？",
                                            baseName(target).c_str());
    const int answer = runModalDialog(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    if (answer != GTK_RESPONSE_YES) g_signal_stop_emission_by_name(dialog, "response");
}

void addFilters(GtkFileChooser* chooser, const FileChooserOptions& options) {
    GtkFileFilter* shown = nullptr;
    for (std::size_t i = 0; i < options.filters.size(); ++i) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, options.filters[i].name.c_str());
        gtk_file_filter_add_custom(filter, GTK_FILE_FILTER_DISPLAY_NAME, &matchesPatterns,
                                   new Patterns{options.filters[i].patterns},
                                   [](gpointer p) { delete static_cast<Patterns*>(p); });
        gtk_file_chooser_add_filter(chooser, filter);
        if (static_cast<int>(i) + 1 == options.filterIndex || (!shown && i == 0)) shown = filter;
    }
    if (shown) gtk_file_chooser_set_filter(chooser, shown);
}

void proposePath(GtkFileChooser* chooser, const FileChooserOptions& options) {
    const std::string& path = options.path;
    if (path.empty()) return;
    const bool endsInFolder = path.back() == '/';
    const std::string folder = endsInFolder ? path : folderOf(path);
    const std::string name = endsInFolder ? std::string() : baseName(path);
    if (isDirectory(folder)) gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    if (name.empty()) return;
    if (options.save)
        gtk_file_chooser_set_current_name(chooser, name.c_str());
    else if (exists(path))
        gtk_file_chooser_select_filename(chooser, path.c_str());
}

// The chooser's own default size can exceed a small screen, which puts its
// name row and buttons out of reach; it is held within the work area.
void fitToScreen(GtkWindow* dialog, GtkWindow* owner) {
    GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(dialog));
    GdkMonitor* monitor = nullptr;
    if (owner && gtk_widget_get_window(GTK_WIDGET(owner)))
        monitor = gdk_display_get_monitor_at_window(display, gtk_widget_get_window(GTK_WIDGET(owner)));
    if (!monitor) monitor = gdk_display_get_primary_monitor(display);
    if (!monitor) monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return;
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    GdkGeometry limit{};
    limit.max_width = area.width * 9 / 10;
    limit.max_height = area.height * 9 / 10;
    gtk_window_set_geometry_hints(dialog, nullptr, &limit, GDK_HINT_MAX_SIZE);
}

}  // namespace

bool isValidChooserName(const std::string& path) {
    const std::string name = baseName(path);
    if (name.size() > NAME_MAX || !g_utf8_validate(name.c_str(), -1, nullptr)) return false;
    for (const unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

FileChooserResult runFileChooser(const FileChooserOptions& options, std::string& chosen) {
    if (!options.path.empty() && !isValidChooserName(options.path)) return FileChooserResult::InvalidName;
    const GtkFileChooserAction action = options.save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN;
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        options.title.empty() ? nullptr : options.title.c_str(), toolkitWindow(options.owner), action, "_Cancel",
        GTK_RESPONSE_CANCEL, options.save ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(dialog), TRUE);
    fitToScreen(GTK_WINDOW(dialog), toolkitWindow(options.owner));
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    if (options.save) gtk_file_chooser_set_do_overwrite_confirmation(chooser, options.overwritePrompt);
    addFilters(chooser, options);
    proposePath(chooser, options);

    Session session{&options, dialog};
    g_signal_connect(dialog, "size-allocate", G_CALLBACK(&onSizeAllocate), &session);
    g_signal_connect(dialog, "response", G_CALLBACK(&onResponse), &session);
    PangoFontDescription* font = nullptr;
    if (options.onInit) {
        GtkWidget* area = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
        gtk_widget_show(area);
        gtk_file_chooser_set_extra_widget(chooser, area);
        GtkWidget* ok = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
        if (ok) gtk_style_context_get(gtk_widget_get_style_context(ok), GTK_STATE_FLAG_NORMAL, "font", &font, nullptr);
        options.onInit(area, dialog, ok, font);
    }
    const int response = runModalDialog(GTK_DIALOG(dialog));
    if (options.onInit && options.onDestroy) options.onDestroy();
    chosen.clear();
    if (response == GTK_RESPONSE_ACCEPT) {
        gchar* file = gtk_file_chooser_get_filename(chooser);
        chosen = file ? file : "";
        g_free(file);
    }
    gtk_widget_destroy(dialog);
    if (font) pango_font_description_free(font);
    if (chosen.empty()) return FileChooserResult::Cancelled;
    if (options.save) chosen = withDefaultExtension(chosen, options.defaultExtension);
    return FileChooserResult::Accepted;
}

}  // namespace Platform
