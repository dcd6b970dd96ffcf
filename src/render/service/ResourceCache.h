#pragma once
// Named temporary pictures of one render pass (scripts and masks reuse them
// by name), kept in most-recently-used order and bounded by a weight: the
// pixel count of each picture. Used by the threads of one pass only.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace Media {
class ResourceBuffer;
}

namespace Render {

class ResourceCache {
public:
    explicit ResourceCache(std::int64_t limit) : limit_(limit) {}
    ResourceCache(const ResourceCache&) = delete;
    ResourceCache& operator=(const ResourceCache&) = delete;

    // The picture of that name (empty when absent); a hit becomes the most
    // recently used.
    std::shared_ptr<Media::ResourceBuffer> find(const std::string& name);
    // Replaces an entry of the same name, then drops the least recently
    // used entries while the total weight exceeds the limit.
    void add(const std::string& name, std::shared_ptr<Media::ResourceBuffer> buffer, std::int64_t weight);
    // The named picture, made anew when absent or of another size; added
    // again with weight width × height either way.
    std::shared_ptr<Media::ResourceBuffer> getBuffer(const std::string& name, int width, int height);

    std::int64_t getTotalWeight() const { return total_; }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::int64_t weight;
        std::shared_ptr<Media::ResourceBuffer> buffer;
        std::string name;
    };
    using List = std::list<Entry>;

    void remove(List::iterator entry);

    List entries_;
    std::unordered_map<std::string, List::iterator> index_;
    std::int64_t limit_;
    std::int64_t total_ = 0;
};

}  // namespace Render
