#pragma once
// One object per context for what several render threads would otherwise
// share and overwrite under each other (a parameter block, a vertex strip):
// each context makes its own on first use. The objects go with their
// context, or with this owner, whichever goes first.
#include "platform/gl/GlContext.h"
#include "platform/gl/GlDisplay.h"

#include <functional>
#include <memory>
#include <vector>

namespace Platform::Gl {

template <class T>
class ContextLocal {
public:
    ContextLocal(Display& display, std::function<std::unique_ptr<T>()> make)
        : display_(display), make_(std::move(make)) {}
    ~ContextLocal() {
        // Taken under the display's lock, destroyed outside it: a GL
        // object's release may call back into the display.
        std::vector<std::shared_ptr<void>> objects;
        display_.forEachContext([&](Context& context) {
            if (auto object = context.takeLocal(this)) objects.push_back(std::move(object));
        });
    }
    ContextLocal(const ContextLocal&) = delete;
    ContextLocal& operator=(const ContextLocal&) = delete;

    // The calling thread's own object.
    T& get(Context& context) {
        if (std::shared_ptr<void> object = context.local(this)) return *static_cast<T*>(object.get());
        std::shared_ptr<T> object = make_();
        T& result = *object;
        context.setLocal(this, std::move(object));
        return result;
    }
    T& get() { return get(display_.context()); }

private:
    Display& display_;
    std::function<std::unique_ptr<T>()> make_;
};

}  // namespace Platform::Gl
