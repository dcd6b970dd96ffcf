#include "platform/gtk/SystemClipboard.h"

#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/Toolkit.h"

#include <gtk/gtk.h>

#include <cerrno>
#include <deque>

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

// What the user does to the program's windows while a read waits: keys,
// buttons, pointer moves, wheels, touches and closing a window.
bool isUserInput(GdkEventType type) {
    switch (type) {
    case GDK_KEY_PRESS: case GDK_KEY_RELEASE:
    case GDK_BUTTON_PRESS: case GDK_2BUTTON_PRESS: case GDK_3BUTTON_PRESS: case GDK_BUTTON_RELEASE:
    case GDK_MOTION_NOTIFY: case GDK_SCROLL:
    case GDK_TOUCH_BEGIN: case GDK_TOUCH_UPDATE: case GDK_TOUCH_END: case GDK_TOUCH_CANCEL:
    case GDK_TOUCHPAD_SWIPE: case GDK_TOUCHPAD_PINCH:
    case GDK_DELETE:
        return true;
    default:
        return false;
    }
}

int inputHoldDepth = 0;
// Copies of the input met during reads, in arrival order. Input that comes
// while older input still waits joins it, so nothing overtakes.
std::deque<GdkEvent*> heldInput;

void holdOrDispatch(GdkEvent* event, gpointer) {
    if (isUserInput(event->type) && (inputHoldDepth > 0 || !heldInput.empty())) {
        heldInput.push_back(gdk_event_copy(event));
        return;
    }
    gtk_main_do_event(event);
}

void replayHeldInput() {
    while (inputHoldDepth == 0 && !heldInput.empty()) {
        GdkEvent* event = heldInput.front();
        heldInput.pop_front();
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
}

// The toolkit waits for the owner's answer in a nested loop that would also
// hand the user's input to the windows; it is kept and handed over, in
// order, at the loop's next turn after the read.
class InputHold {
public:
    InputHold() {
        static const bool installed = [] {
            gdk_event_handler_set(holdOrDispatch, nullptr, nullptr);
            return true;
        }();
        (void)installed;
        ++inputHoldDepth;
    }
    ~InputHold() {
        if (--inputHoldDepth == 0 && !heldInput.empty()) runWhenNotHeld(replayHeldInput);
    }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;
};

// While a read waits, neither our own messages and timers nor the user's
// input run, so a paste is one step. The input hold ends first (members end
// in reverse order), while the messages are still held.
struct ReadScope {
    DispatchHold messages;
    InputHold input;
};

}  // namespace

bool clipboardHasText() {
    GtkClipboard* board = clipboard();
    if (!board) return false;
    const ReadScope scope;
    return gtk_clipboard_wait_is_text_available(board);
}

bool getClipboardText(std::string& utf8) {
    GtkClipboard* board = clipboard();
    if (!board) return false;
    gchar* text = nullptr;
    {
        const ReadScope scope;
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
