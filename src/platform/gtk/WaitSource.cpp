#include "platform/gtk/WaitSource.h"

#include "platform/gtk/MessageQueue.h"

#include <glib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Platform {

struct WaitSource::Source {
    GSource base;  // first: GLib allocates the whole record
    struct Handle {
        WaitHandle fd;
        gpointer tag;
    };
    std::vector<Handle>* handles;
    std::function<void(WaitHandle)>* signalled;
};

namespace {

using Source = WaitSource::Source;

// Only the turns of runMessageLoop itself wait on the handles: inside a
// dispatch (a nested modal loop), during a dispatch hold or outside the
// loop they are not polled.
gboolean prepare(GSource* base, gint* timeout) {
    auto* s = reinterpret_cast<Source*>(base);
    *timeout = -1;
    const bool active = messageLoopRunning() && g_main_depth() == 0 && !dispatchHeld();
    for (const auto& h : *s->handles)
        g_source_modify_unix_fd(base, h.tag, active ? G_IO_IN : GIOCondition(0));
    return FALSE;
}

gboolean dispatch(GSource* base, GSourceFunc, gpointer) {
    auto* s = reinterpret_cast<Source*>(base);
    for (const auto& h : *s->handles) {
        if (!(g_source_query_unix_fd(base, h.tag) & G_IO_IN)) continue;
        const WaitHandle fd = h.fd;
        std::uint64_t counter = 0;
        if (read(fd, &counter, sizeof counter) != sizeof counter) continue;
        // The callback may add or remove handles, its own included.
        std::function<void(WaitHandle)> signalled = *s->signalled;
        guardCallback([&] { signalled(fd); });
        break;
    }
    return G_SOURCE_CONTINUE;
}

void finalize(GSource* base) {
    auto* s = reinterpret_cast<Source*>(base);
    delete s->handles;
    delete s->signalled;
}

GSourceFuncs funcs = {prepare, nullptr, dispatch, finalize, nullptr, nullptr};

}  // namespace

WaitSource::WaitSource(std::function<void(WaitHandle)> signalled) {
    source_ = reinterpret_cast<Source*>(g_source_new(&funcs, sizeof(Source)));
    source_->handles = new std::vector<Source::Handle>;
    source_->signalled = new std::function<void(WaitHandle)>(std::move(signalled));
    g_source_attach(&source_->base, g_main_context_default());
}

WaitSource::~WaitSource() {
    g_source_destroy(&source_->base);
    g_source_unref(&source_->base);
}

void WaitSource::add(WaitHandle handle) {
    auto& handles = *source_->handles;
    if (std::any_of(handles.begin(), handles.end(),
                    [&](const Source::Handle& h) { return h.fd == handle; }))
        return;
    handles.push_back({handle, g_source_add_unix_fd(&source_->base, handle, G_IO_IN)});
}

void WaitSource::remove(WaitHandle handle) {
    auto& handles = *source_->handles;
    const auto found = std::find_if(handles.begin(), handles.end(),
                                    [&](const Source::Handle& h) { return h.fd == handle; });
    if (found == handles.end()) return;
    g_source_remove_unix_fd(&source_->base, found->tag);
    handles.erase(found);
}

}  // namespace Platform
