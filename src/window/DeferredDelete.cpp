#include "window/DeferredDelete.h"

#include <vector>

namespace Window {

namespace {
int depth = 0;
std::vector<std::shared_ptr<void>> pending;
}  // namespace

DispatchScope::DispatchScope() {
    ++depth;
}

DispatchScope::~DispatchScope() {
    if (--depth > 0) return;
    // Destructors may hand further objects over; free until none is left.
    while (!pending.empty()) {
        std::vector<std::shared_ptr<void>> batch;
        batch.swap(pending);
        ++depth;
        batch.clear();
        --depth;
    }
}

bool DispatchScope::active() {
    return depth > 0;
}

void keepUntilDispatchEnds(std::shared_ptr<void> object) {
    if (depth == 0) return;  // freed now, with the last reference
    pending.push_back(std::move(object));
}

}  // namespace Window
