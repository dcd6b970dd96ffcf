#pragma once
// The open files the input service keeps: a least-recently-used list keyed
// by the path exactly as asked (a track prefix makes a separate entry),
// bounded by a count. Files that are dropped close when their last other
// holder lets go. One mutex guards everything; a miss runs the creator
// while holding it, so files open one at a time process-wide.
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace Plugin {

class InputFile;

class InputFileCache {
public:
    using Creator = std::function<std::shared_ptr<InputFile>()>;

    // A hit moves the entry to the front; a miss returns what the creator
    // returns (the creator may insert, never lock).
    std::shared_ptr<InputFile> get(const std::wstring& path, const Creator& creator);
    // Only from inside a creator (the lock is held).
    void insert(const std::wstring& path, std::shared_ptr<InputFile> file);
    void setLimit(std::int64_t limit);
    void clear();

    std::int64_t getTotal() const;

private:
    struct Entry {
        std::int64_t weight;
        std::shared_ptr<InputFile> file;
        std::wstring path;
    };

    void trim();

    std::list<Entry> list_;  // most recently used first
    std::unordered_map<std::wstring, std::list<Entry>::iterator> index_;
    std::int64_t limit_ = 0;
    std::int64_t total_ = 0;
    mutable std::mutex mutex_;
};

}  // namespace Plugin
