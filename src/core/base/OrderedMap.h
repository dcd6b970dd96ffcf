#pragma once
// A string-keyed hash map that iterates in insertion order and never moves
// its elements, so references and pointers to values stay valid while other
// keys are added. Ini sections use it: files keep the order they were read
// in, and saved files come out in a stable order.
#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace System {

template <class T>
class OrderedMap {
public:
    using value_type = std::pair<const std::string, T>;
    using iterator = typename std::list<value_type>::iterator;
    using const_iterator = typename std::list<value_type>::const_iterator;

    OrderedMap() = default;
    OrderedMap(const OrderedMap& other) {
        for (const value_type& item : other.items_) try_emplace(item.first, item.second);
    }
    OrderedMap& operator=(const OrderedMap& other) {
        if (this != &other) {
            OrderedMap copy(other);
            swap(copy);
        }
        return *this;
    }
    // Moving a list keeps its nodes, so the index stays valid.
    OrderedMap(OrderedMap&&) noexcept = default;
    OrderedMap& operator=(OrderedMap&&) noexcept = default;

    void swap(OrderedMap& other) noexcept {
        items_.swap(other.items_);
        index_.swap(other.index_);
    }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    iterator find(std::string_view key) {
        const auto found = index_.find(key);
        return found == index_.end() ? items_.end() : found->second;
    }
    const_iterator find(std::string_view key) const {
        const auto found = index_.find(key);
        return found == index_.end() ? items_.end() : const_iterator(found->second);
    }
    bool contains(std::string_view key) const { return index_.count(key) != 0; }

    // Appends key with a value made from args unless the key is there.
    template <class... Args>
    std::pair<iterator, bool> try_emplace(const std::string& key, Args&&... args) {
        if (const auto found = index_.find(key); found != index_.end()) return {found->second, false};
        items_.emplace_back(std::piecewise_construct, std::forward_as_tuple(key),
                            std::forward_as_tuple(std::forward<Args>(args)...));
        const iterator added = std::prev(items_.end());
        index_.emplace(std::string_view(added->first), added);
        return {added, true};
    }

    T& operator[](const std::string& key) { return try_emplace(key).first->second; }

    bool erase(std::string_view key) {
        const auto found = index_.find(key);
        if (found == index_.end()) return false;
        const iterator item = found->second;
        index_.erase(found);
        items_.erase(item);
        return true;
    }

    void clear() {
        index_.clear();
        items_.clear();
    }

private:
    std::list<value_type> items_;
    std::unordered_map<std::string_view, iterator> index_;
};

}  // namespace System
