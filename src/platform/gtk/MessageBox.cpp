#include "platform/gtk/MessageBox.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/Toolkit.h"

#include <gtk/gtk.h>

#include <cstdio>

namespace Platform {

int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               UINT flags) {
    if (!toolkitReady()) {
        std::fprintf(stderr, "%s\n%s\n", caption.c_str(), text.c_str());
        return 0;
    }
    const bool okCancel = (flags & 0xF) == MB_OKCANCEL;
    const GtkMessageType type = (flags & 0xF0) == MB_ICONERROR     ? GTK_MESSAGE_ERROR
                                : (flags & 0xF0) == MB_ICONWARNING ? GTK_MESSAGE_WARNING
                                                                   : GTK_MESSAGE_INFO;
    GtkWidget* box = gtk_message_dialog_new(toolkitWindow(owner), GTK_DIALOG_MODAL, type,
                                            okCancel ? GTK_BUTTONS_OK_CANCEL : GTK_BUTTONS_OK,
                                            "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), caption.c_str());
    gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    const int response = runModalDialog(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    if (response == GTK_RESPONSE_OK) return IDOK;
    return okCancel ? IDCANCEL : IDOK;
}

}  // namespace Platform
