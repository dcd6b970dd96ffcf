#pragma once
// Asking another scene's render for a cache key that has no loader: the key
// is registered pending only when nobody has it yet, and the render's
// hand-over completes it. A render that raises abandons the key, so that no
// waiter is left for ever.
#include <memory>
#include <utility>

namespace Cache {

// render(done) starts the render, and done(buffer) hands its result to
// complete(key, buffer). A cached key is left alone; a pending one is
// waited for.
template <class Cache, class Key, class Render, class Complete>
void requestSceneRender(Cache& cache, const Key& key, Render render, Complete complete) {
    bool registered = false;
    cache.get(key, {}, &registered);
    if (!registered) return;
    try {
        render([complete, key](auto buffer) { complete(key, std::move(buffer)); });
    } catch (...) {
        cache.abandon(key);
        throw;
    }
}

}  // namespace Cache
