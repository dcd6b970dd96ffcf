#include "support/VirtualDisplay.h"

#include "platform/gtk/Toolkit.h"

#include <gtk/gtk.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace TestSupport {

VirtualDisplay::VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    const std::string fd = std::to_string(fds[1]);
    // -noreset: the server would otherwise reset whenever its last client
    // (a short xdotool query) leaves, refusing a program that connects then.
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24",
                          "-nolisten", "tcp", "-noreset", nullptr};
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, STDERR_FILENO);
        execvp("Xvfb", const_cast<char**>(argv));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number when it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (pid_ > 0 && poll(&p, 1, 10000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        throw std::runtime_error("Xvfb did not start");
    }
    name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

void useTestDisplay() {
    static std::unique_ptr<VirtualDisplay> display;
    if (display) return;
    display = std::make_unique<VirtualDisplay>();
    setenv("DISPLAY", display->name().c_str(), 1);
    Platform::initializeToolkit("TestSupport::useTestDisplay");
}

MessageBoxWatcher::MessageBoxWatcher(int response) : response_(response) {
    source_ = g_timeout_add(20, reinterpret_cast<GSourceFunc>(&MessageBoxWatcher::tick), this);
}

MessageBoxWatcher::~MessageBoxWatcher() { g_source_remove(source_); }

int MessageBoxWatcher::tick(void* data) {
    auto* self = static_cast<MessageBoxWatcher*>(data);
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (!GTK_IS_MESSAGE_DIALOG(widget) || !gtk_widget_get_visible(widget)) continue;
        SeenBox box;
        const char* title = gtk_window_get_title(GTK_WINDOW(widget));
        box.title = title ? title : "";
        gchar* text = nullptr;
        g_object_get(widget, "text", &text, nullptr);
        box.text = text ? text : "";
        g_free(text);
        box.modal = gtk_window_get_modal(GTK_WINDOW(widget));
        box.owned = gtk_window_get_transient_for(GTK_WINDOW(widget)) != nullptr;
        self->boxes.push_back(box);
        if (self->whileOpen) self->whileOpen(box);
        gtk_widget_hide(widget);
        gtk_dialog_response(GTK_DIALOG(widget), self->response_);
    }
    g_list_free(windows);
    return G_SOURCE_CONTINUE;
}

}  // namespace TestSupport
