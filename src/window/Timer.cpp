#include "window/Timer.h"

#include "platform/gtk/MessageQueue.h"

#include <glib.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace System {

namespace {

// The smallest period of a window timer.
constexpr int kMinimumElapse = 10;

struct Entry {
    std::shared_ptr<std::function<void()>> callback;
    guint source = 0;
    bool deferred = false;  // a tick came during a dispatch hold
};

std::unordered_map<std::uintptr_t, Entry>& timers() {
    static std::unordered_map<std::uintptr_t, Entry> map;
    return map;
}

std::uintptr_t lastId = 0;

gboolean onTick(gpointer data) {
    const auto id = reinterpret_cast<std::uintptr_t>(data);
    if (!Platform::dispatchHeld()) {
        Platform::guardCallback([id] { Timer::timerProc(id); });
        return G_SOURCE_CONTINUE;
    }
    // The ticks of a hold make one call after it, as missed periods do.
    const auto found = timers().find(id);
    if (found != timers().end() && !found->second.deferred) {
        found->second.deferred = true;
        Platform::runWhenNotHeld([id] {
            const auto entry = timers().find(id);
            if (entry == timers().end() || !entry->second.deferred) return;
            entry->second.deferred = false;
            Timer::timerProc(id);
        });
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

Timer::~Timer() { clear(); }

void Timer::set(int elapse, std::function<void()> callback) {
    if (id == 0) id = ++lastId;
    period = elapse;
    ++setCount;
    Entry& entry = timers()[id];
    if (entry.source != 0) g_source_remove(entry.source);
    entry.source = g_timeout_add(static_cast<guint>(std::max(elapse, kMinimumElapse)), onTick,
                                 reinterpret_cast<gpointer>(id));
    entry.callback = std::make_shared<std::function<void()>>(std::move(callback));
    entry.deferred = false;
}

void Timer::clear() {
    if (id == 0) return;
    const auto found = timers().find(id);
    if (found != timers().end()) {
        g_source_remove(found->second.source);
        timers().erase(found);
    }
    id = 0;
}

void Timer::timerProc(std::uintptr_t id) {
    const auto found = timers().find(id);
    if (found == timers().end()) return;
    // Held for the call: the callback may clear its own timer.
    const std::shared_ptr<std::function<void()>> callback = found->second.callback;
    (*callback)();
}

}  // namespace System
