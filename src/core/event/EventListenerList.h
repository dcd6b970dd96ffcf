#pragma once
// One list of listener callbacks of one signature, each under the key of its
// owner, called in registration order. User-interface thread only.
//
// A callback may add or remove listeners of the list it is called from: a
// walk calls the entries that were in the list when it began and skips
// those removed meanwhile; a removed callback is destroyed once no walk is
// running it.
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace Event {

template <class Signature>
struct EventListener {
    const void* owner = nullptr;
    std::function<Signature> callback;
};

template <class Signature>
class EventListenerList;

template <class... Args>
class EventListenerList<void(Args...)> {
public:
    using Callback = std::function<void(Args...)>;

    EventListenerList() = default;
    EventListenerList(const EventListenerList&) = delete;
    EventListenerList& operator=(const EventListenerList&) = delete;

    void add(const void* owner, Callback callback) {
        entries_.push_back(std::make_shared<Entry>(Entry{{owner, std::move(callback)}, true}));
    }

    // An empty callback raises std::bad_function_call; an exception ends
    // the walk and goes to the caller.
    void notify(Args... args) {
        Walk walk(*this);
        const std::size_t count = entries_.size();
        for (std::size_t i = 0; i < count; ++i) {
            const std::shared_ptr<Entry> entry = entries_[i];
            if (entry->live) entry->listener.callback(args...);
        }
    }

    // Every entry of the owner; the others keep their order.
    void remove(const void* owner) {
        for (const std::shared_ptr<Entry>& entry : entries_)
            if (entry->live && entry->listener.owner == owner) entry->live = false;
        if (walks_ == 0) compact();
    }

    // The number of listeners.
    std::size_t size() const {
        std::size_t n = 0;
        for (const std::shared_ptr<Entry>& entry : entries_) n += entry->live ? 1 : 0;
        return n;
    }
    bool empty() const { return size() == 0; }

private:
    struct Entry {
        EventListener<void(Args...)> listener;
        bool live;
    };

    struct Walk {
        explicit Walk(EventListenerList& list) : list(list) { ++list.walks_; }
        ~Walk() {
            if (--list.walks_ == 0) list.compact();
        }
        EventListenerList& list;
    };

    void compact() {
        std::erase_if(entries_, [](const std::shared_ptr<Entry>& e) { return !e->live; });
    }

    std::vector<std::shared_ptr<Entry>> entries_;
    int walks_ = 0;
};

}  // namespace Event
