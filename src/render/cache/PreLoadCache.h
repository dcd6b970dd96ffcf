#pragma once
// A thread-safe cache of shared, immutable media buffers with its own loader
// thread and a byte limit kept in least-recently-used order. However many
// threads ask for a key, it loads once and every waiter gets the same
// buffer. Loading is the caller's business: a request brings a loader that
// runs on the cache's worker and delivers through complete().
//
// A key is absent, pending (a load was asked for) or cached. A caller that
// registers a key without a loader (get with an empty loader) must see to it
// that complete() or abandon() follows. After stop() nothing is registered
// any more and a request of a key not cached returns empty at once, so no
// wait is left without an end.
#include "core/thread/SyncEvent.h"
#include "core/thread/WorkerThread.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace System {

template <class Key, class Buffer, class Hash = std::hash<Key>>
class PreLoadCache {
public:
    using BufferPointer = std::shared_ptr<Buffer>;
    using Loader = std::function<void()>;

    struct LoadTask {
        Sync::Event done;
        BufferPointer result;  // written under the cache's mutex before done is set
    };

    PreLoadCache() : worker_("PreLoadCache") {
        pending_.max_load_factor(1.0f);
        pending_.reserve(8);
        index_.max_load_factor(1.0f);
        index_.reserve(8);
    }
    ~PreLoadCache() { stop(); }
    PreLoadCache(const PreLoadCache&) = delete;
    PreLoadCache& operator=(const PreLoadCache&) = delete;

    // The cached buffer, or the result of the key's load after waiting for
    // it, or empty (load failed, cache stopped). With an empty loader a key
    // that is neither cached nor pending is registered for the caller to
    // complete, and the call returns empty at once; *registered tells that
    // case apart.
    BufferPointer get(const Key& key, Loader loader, bool* registered = nullptr) {
        if (registered) *registered = false;
        std::shared_ptr<LoadTask> task;
        {
            std::unique_lock lock(mutex_);
            if (BufferPointer cached = touch(key)) return cached;
            if (stopped_) return {};
            bool inserted = false;
            task = pendingTask(key, inserted);
            if (inserted) {
                if (!loader) {
                    if (registered) *registered = true;
                    return {};
                }
                lock.unlock();
                post(key, std::move(loader), task);
            }
        }
        task->done.wait();
        return task->result;
    }

    // Starts the load unless the key is cached or pending; never waits for
    // the load, but may wait for room in the worker's queue. Recency is
    // left as it is.
    void preload(const Key& key, Loader loader) {
        std::shared_ptr<LoadTask> task;
        {
            std::lock_guard lock(mutex_);
            if (stopped_ || index_.count(key)) return;
            bool inserted = false;
            task = pendingTask(key, inserted);
            if (!inserted) return;
        }
        post(key, std::move(loader), std::move(task));
    }

    // The cached buffer (made most recent) or empty; never loads.
    BufferPointer find(const Key& key) {
        std::lock_guard lock(mutex_);
        return touch(key);
    }

    // The cached buffer; the result of a pending load after waiting for it;
    // empty at once for an absent key, which stays absent. For reads whose
    // completion only someone else can arrange.
    BufferPointer findOrWait(const Key& key) {
        std::shared_ptr<LoadTask> task;
        {
            std::lock_guard lock(mutex_);
            if (BufferPointer cached = touch(key)) return cached;
            const auto it = pending_.find(key);
            if (it == pending_.end()) return {};
            task = it->second;
        }
        task->done.wait();
        return task->result;
    }

    bool isCachedOrPending(const Key& key) const {
        std::lock_guard lock(mutex_);
        return index_.count(key) || pending_.count(key);
    }

    // Stores a loaded buffer and wakes the key's waiters, who get it even
    // when the trim drops it at once. An empty buffer changes nothing.
    void complete(const Key& key, BufferPointer buffer, std::uint64_t bytes) {
        if (!buffer) return;
        std::lock_guard lock(mutex_);
        if (const auto it = index_.find(key); it != index_.end()) {
            total_ -= it->second->bytes;
            entries_.erase(it->second);
            index_.erase(it);
        }
        entries_.push_front(Entry{bytes, buffer, key});
        index_.emplace(key, entries_.begin());
        total_ += bytes;
        trim();
        release(key, std::move(buffer));
    }

    // complete() for a buffer, abandon() for none: the hand-over of a
    // registered key, which must end its pending state either way.
    void deliver(const Key& key, BufferPointer buffer, std::uint64_t bytes) {
        if (buffer) complete(key, std::move(buffer), bytes);
        else abandon(key);
    }

    // Ends a registered key without a buffer: its waiters get empty, and the
    // next request starts again.
    void abandon(const Key& key) {
        std::lock_guard lock(mutex_);
        release(key, nullptr);
    }

    void setLimit(std::uint64_t bytes) {
        std::lock_guard lock(mutex_);
        limit_ = bytes;
        trim();
    }

    // Drops every cached entry whose key matches; pending loads go on. The
    // caller holds mutex() around the call.
    template <class Predicate>
    void eraseIf(Predicate predicate) {
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (predicate(it->key)) {
                total_ -= it->bytes;
                index_.erase(it->key);
                it = entries_.erase(it);
            } else {
                ++it;
            }
        }
    }

    // Loads nothing more (a running load finishes, queued ones are dropped)
    // and releases every waiter with an empty result. Cached entries stay.
    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        worker_.stop();
        std::unordered_map<Key, std::shared_ptr<LoadTask>, Hash> released;
        {
            std::lock_guard lock(mutex_);
            released.swap(pending_);
            for (auto& [key, task] : released) task->done.set();
        }
    }

    std::mutex& mutex() const { return mutex_; }
    Worker::WorkerThread& worker() { return worker_; }
    std::uint64_t getLimit() const {
        std::lock_guard lock(mutex_);
        return limit_;
    }
    std::uint64_t getTotal() const {
        std::lock_guard lock(mutex_);
        return total_;
    }
    // Cached keys, most recently used first.
    std::vector<Key> getKeys() const {
        std::lock_guard lock(mutex_);
        std::vector<Key> keys;
        for (const Entry& entry : entries_) keys.push_back(entry.key);
        return keys;
    }

private:
    struct Entry {
        std::uint64_t bytes;
        BufferPointer buffer;
        Key key;
    };
    using EntryList = std::list<Entry>;

    // Held mutex: the cached buffer, moved to the front.
    BufferPointer touch(const Key& key) {
        const auto it = index_.find(key);
        if (it == index_.end()) return {};
        if (it->second != entries_.begin()) entries_.splice(entries_.begin(), entries_, it->second);
        return it->second->buffer;
    }

    // Held mutex: the key's task, inserted when missing.
    std::shared_ptr<LoadTask> pendingTask(const Key& key, bool& inserted) {
        auto [it, isNew] = pending_.try_emplace(key);
        if (isNew) it->second = std::make_shared<LoadTask>();
        inserted = isNew;
        return it->second;
    }

    // Held mutex: hands the result to the key's waiters and ends its pending
    // state.
    void release(const Key& key, BufferPointer result) {
        const auto it = pending_.find(key);
        if (it == pending_.end()) return;
        it->second->result = std::move(result);
        it->second->done.set();
        pending_.erase(it);
    }

    void trim() {
        while (total_ > limit_ && !entries_.empty()) {
            total_ -= entries_.back().bytes;
            index_.erase(entries_.back().key);
            entries_.pop_back();
        }
    }

    // A load job always ends its own task: a loader that threw or delivered
    // nothing leaves its waiters an empty result. A newer load of the key,
    // registered once this one delivered, is not its to end.
    void post(const Key& key, Loader loader, std::shared_ptr<LoadTask> task) {
        worker_.pushTask(0, [this, key, loader = std::move(loader), task = std::move(task)] {
            try {
                loader();
            } catch (...) {
            }
            std::lock_guard lock(mutex_);
            const auto it = pending_.find(key);
            if (it != pending_.end() && it->second == task) release(key, nullptr);
        });
    }

    Worker::WorkerThread worker_;
    mutable std::mutex mutex_;
    std::unordered_map<Key, std::shared_ptr<LoadTask>, Hash> pending_;
    EntryList entries_;
    std::unordered_map<Key, typename EntryList::iterator, Hash> index_;
    std::uint64_t limit_ = 0;
    std::uint64_t total_ = 0;
    bool stopped_ = false;
};

}  // namespace System
