#include "platform/gtk/SystemClipboard.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/Toolkit.h"

#include <gtk/gtk.h>

#include <cerrno>

namespace Platform {

namespace {

GtkClipboard* clipboard() {
    if (!toolkitReady()) {
        errno = ENXIO;
        return nullptr;
    }
    return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
}

// Owned by the clipboard while it offers the forms.
struct Offer {
    std::vector<ClipboardForm> forms;
};

void serveForm(GtkClipboard*, GtkSelectionData* selection, guint index, gpointer data) {
    const auto* offer = static_cast<const Offer*>(data);
    if (index >= offer->forms.size()) return;
    const ClipboardForm& form = offer->forms[index];
    gtk_selection_data_set(selection, gtk_selection_data_get_target(selection), 8, form.bytes.data(),
                           static_cast<gint>(form.bytes.size()));
}

void dropOffer(GtkClipboard*, gpointer data) { delete static_cast<Offer*>(data); }

}  // namespace

// The toolkit waits for the owner's answer in a nested loop; the hold keeps
// our own messages and timers out of it, so a paste runs as one step.
bool clipboardHasText() {
    GtkClipboard* board = clipboard();
    const DispatchHold hold;
    return board && gtk_clipboard_wait_is_text_available(board);
}

bool getClipboardText(std::string& utf8) {
    GtkClipboard* board = clipboard();
    if (!board) return false;
    gchar* text = nullptr;
    {
        const DispatchHold hold;
        text = gtk_clipboard_wait_for_text(board);
    }
    if (!text) {
        errno = ENODATA;
        return false;
    }
    utf8 = text;
    g_free(text);
    return true;
}

bool setClipboardText(const std::string& utf8) {
    GtkClipboard* board = clipboard();
    if (!board) return false;
    gtk_clipboard_set_text(board, utf8.data(), static_cast<gint>(utf8.size()));
    return true;
}

bool setClipboardForms(std::vector<ClipboardForm> forms) {
    GtkClipboard* board = clipboard();
    if (!board) return false;
    std::vector<GtkTargetEntry> targets;
    for (std::size_t i = 0; i < forms.size(); ++i)
        targets.push_back({const_cast<gchar*>(forms[i].target.c_str()), 0, static_cast<guint>(i)});
    auto* offer = new Offer{std::move(forms)};
    // Moving the list keeps its strings in place: the target names stay valid.
    if (!gtk_clipboard_set_with_data(board, targets.data(), static_cast<guint>(targets.size()),
                                     serveForm, dropOffer, offer)) {
        delete offer;
        errno = EIO;
        return false;
    }
    gtk_clipboard_set_can_store(board, nullptr, 0);
    return true;
}

}  // namespace Platform
