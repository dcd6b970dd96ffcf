#include "platform/gtk/MessageQueue.h"

#include "core/base/Log.h"
#include "platform/gtk/NativeWindow.h"

#include <glib.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <algorithm>
#include <deque>
#include <exception>
#include <mutex>
#include <vector>

namespace Platform {

namespace {

struct Message {
    WindowHandle window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The queue is shared with posting threads; the loop state below belongs to
// the user-interface thread.
struct Queue {
    std::mutex mutex;
    std::deque<Message> messages;
    int wakeFd = -1;
    GSource* source = nullptr;
    gpointer wakeTag = nullptr;
    bool polled = true;
};

GMainLoop* currentLoop = nullptr;
bool quitPending = false;
std::exception_ptr pendingException;
int holdDepth = 0;
std::deque<std::function<void()>> afterHold;
std::vector<GtkDialog*> modalDialogs;
struct NestedLoop {
    GMainLoop* loop;
    const std::function<void()>* cancel;
};
std::vector<NestedLoop> nestedLoops;

gboolean prepareQueue(GSource*, gint*);
gboolean dispatchQueue(GSource*, GSourceFunc, gpointer);

GSourceFuncs queueFuncs = {prepareQueue, nullptr, dispatchQueue, nullptr, nullptr, nullptr};

Queue& queue() {
    static Queue* q = [] {
        auto* created = new Queue;
        created->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        created->source = g_source_new(&queueFuncs, sizeof(GSource));
        created->wakeTag = g_source_add_unix_fd(created->source, created->wakeFd, G_IO_IN);
        // Modal loops (message boxes) deliver posted messages too.
        g_source_set_can_recurse(created->source, TRUE);
        g_source_attach(created->source, g_main_context_default());
        return created;
    }();
    return *q;
}

void wake(Queue& q) {
    const std::uint64_t one = 1;
    (void)!write(q.wakeFd, &one, sizeof one);
}

void enqueue(const Message& m) {
    Queue& q = queue();
    {
        std::lock_guard lock(q.mutex);
        q.messages.push_back(m);
    }
    wake(q);
}

// While held the wake-up is not polled: it stays readable and is served
// after the hold. The condition is changed only when the hold begins or
// ends: changing it wakes the context, and doing so every turn would spin
// the loop.
gboolean prepareQueue(GSource* source, gint* timeout) {
    *timeout = -1;
    Queue& q = queue();
    const bool poll = holdDepth == 0;
    if (poll != q.polled) {
        q.polled = poll;
        g_source_modify_unix_fd(source, q.wakeTag, poll ? G_IO_IN : GIOCondition(0));
    }
    return FALSE;
}

void stopNestedLoops() {
    for (const NestedLoop& nested : nestedLoops) {
        (*nested.cancel)();
        g_main_loop_quit(nested.loop);
    }
}

void stopLoop() {
    if (currentLoop) g_main_loop_quit(currentLoop);
    stopNestedLoops();
}

// Delivers the messages queued when the turn began; later ones wake the
// loop again, so a message that posts itself cannot starve the toolkit.
gboolean dispatchQueue(GSource*, GSourceFunc, gpointer) {
    if (holdDepth > 0) return G_SOURCE_CONTINUE;
    Queue& q = queue();
    std::uint64_t counter = 0;
    (void)!read(q.wakeFd, &counter, sizeof counter);
    while (!afterHold.empty() && !quitPending && !pendingException) {
        const std::function<void()> f = std::move(afterHold.front());
        afterHold.pop_front();
        guardCallback(f);
    }
    std::size_t count = 0;
    {
        std::lock_guard lock(q.mutex);
        count = q.messages.size();
    }
    for (; count > 0 && !quitPending && !pendingException; --count) {
        Message m;
        {
            std::lock_guard lock(q.mutex);
            if (q.messages.empty()) break;
            m = q.messages.front();
            q.messages.pop_front();
        }
        if (m.message == WM_QUIT) {
            // Nothing queued behind the quit message runs.
            std::lock_guard lock(q.mutex);
            q.messages.clear();
            quitPending = true;
            stopLoop();
            for (GtkDialog* dialog : modalDialogs) gtk_dialog_response(dialog, GTK_RESPONSE_DELETE_EVENT);
            break;
        }
        if (isWindow(m.window))
            guardCallback([&] { sendMessage(m.window, m.message, m.wParam, m.lParam); });
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

bool postMessage(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!isWindow(window)) return false;
    enqueue({window, message, wParam, lParam});
    return true;
}

void postQuitMessage(int exitCode) {
    enqueue({nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

void runMessageLoop() {
    queue();
    if (!quitPending && !pendingException) {
        GMainLoop* outer = currentLoop;
        GMainLoop* loop = g_main_loop_new(g_main_context_default(), FALSE);
        currentLoop = loop;
        g_main_loop_run(loop);
        currentLoop = outer;
        g_main_loop_unref(loop);
    }
    quitPending = false;
    rethrowPendingException();
}

int runModalDialog(GtkDialog* dialog) {
    if (quitPending) return GTK_RESPONSE_DELETE_EVENT;
    modalDialogs.push_back(dialog);
    // A window manager gives a new modal dialog the keyboard; without one
    // (or when the program itself focused its main window last) the keys
    // would keep going to the window behind, so the dialog asks for it.
    const gulong mapped = g_signal_connect(dialog, "map-event", G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, gpointer) -> gboolean {
        if (GdkWindow* window = gtk_widget_get_window(widget)) gdk_window_focus(window, gtk_get_current_event_time());
        return FALSE;
    }), nullptr);
    const int response = gtk_dialog_run(dialog);
    g_signal_handler_disconnect(dialog, mapped);
    modalDialogs.erase(std::find(modalDialogs.begin(), modalDialogs.end(), dialog));
    return response;
}

void runNestedLoop(GMainLoop* loop, const std::function<void()>& cancel) {
    if (quitPending || pendingException) {
        cancel();
        return;
    }
    nestedLoops.push_back({loop, &cancel});
    g_main_loop_run(loop);
    nestedLoops.erase(std::find_if(nestedLoops.begin(), nestedLoops.end(),
                                   [loop](const NestedLoop& n) { return n.loop == loop; }));
}

bool messageLoopRunning() { return currentLoop != nullptr; }

DispatchHold::DispatchHold() { ++holdDepth; }

DispatchHold::~DispatchHold() {
    // What waited is served at the loop's next turn.
    if (--holdDepth == 0) wake(queue());
}

bool dispatchHeld() { return holdDepth > 0; }

void runWhenNotHeld(std::function<void()> f) {
    afterHold.push_back(std::move(f));
    wake(queue());
}

bool guardCallback(const std::function<void()>& f) noexcept {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        if (pendingException)
            System::Log::error("Platform::guardCallback", "exception dropped.\n%s", e.what());
        else
            pendingException = std::current_exception();
    } catch (...) {
        if (!pendingException) pendingException = std::current_exception();
    }
    stopLoop();
    return false;
}

void rethrowPendingException() {
    if (!pendingException) return;
    std::exception_ptr e = pendingException;
    pendingException = nullptr;
    std::rethrow_exception(e);
}

}  // namespace Platform
