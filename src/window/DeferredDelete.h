#pragma once
// Objects destroyed while input is being handled. A command run from a
// control's own callback may destroy that control, its row or its whole
// panel (a rebuilt settings list, a panel recreated from its own menu); the
// frames of the control and of the router then return through it. Such
// objects go through deleteLater: they are detached at once (no longer
// drawn, hit-tested or notified: the object's detach(), when it has one)
// and freed when the outermost DispatchScope ends, which is when the event
// has been handled completely. Outside any scope deleteLater frees at once.
//
// Every program window's messages are handled inside a DispatchScope (the
// class window procedure opens one); code that runs commands from outside
// a window message (toolkit menus) opens its own.
// User-interface thread only.
#include <memory>
#include <utility>

namespace Window {

class DispatchScope {
public:
    DispatchScope();
    // The outermost scope frees what was handed to deleteLater meanwhile.
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

    static bool active();
};

// Keeps the object until the outermost scope ends (frees it now when no
// scope is open).
void keepUntilDispatchEnds(std::shared_ptr<void> object);

template <class T>
void deleteLater(std::unique_ptr<T> object) {
    if (!object) return;
    if constexpr (requires(T& o) { o.detach(); }) object->detach();
    keepUntilDispatchEnds(std::shared_ptr<void>(std::move(object)));
}

}  // namespace Window
