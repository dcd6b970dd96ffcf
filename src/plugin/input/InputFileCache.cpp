#include "plugin/input/InputFileCache.h"

#include "plugin/input/InputFile.h"

namespace Plugin {

std::shared_ptr<InputFile> InputFileCache::get(const std::wstring& path, const Creator& creator) {
    std::lock_guard lock(mutex_);
    const auto found = index_.find(path);
    if (found != index_.end()) {
        list_.splice(list_.begin(), list_, found->second);
        return found->second->file;
    }
    return creator();
}

void InputFileCache::insert(const std::wstring& path, std::shared_ptr<InputFile> file) {
    const auto found = index_.find(path);
    if (found != index_.end()) {
        total_ -= found->second->weight;
        list_.erase(found->second);
        index_.erase(found);
    }
    list_.push_front(Entry{1, std::move(file), path});
    index_[path] = list_.begin();
    total_ += 1;
    trim();
}

void InputFileCache::trim() {
    while (limit_ < total_ && !list_.empty()) {
        Entry& last = list_.back();
        total_ -= last.weight;
        index_.erase(last.path);
        list_.pop_back();
    }
}

void InputFileCache::setLimit(std::int64_t limit) {
    std::lock_guard lock(mutex_);
    limit_ = limit;
    trim();
}

void InputFileCache::clear() {
    std::list<Entry> dropped;
    {
        std::lock_guard lock(mutex_);
        dropped.swap(list_);
        index_.clear();
        total_ = 0;
    }
    // Files close outside the lock.
}

std::int64_t InputFileCache::getTotal() const {
    std::lock_guard lock(mutex_);
    return total_;
}

}  // namespace Plugin
