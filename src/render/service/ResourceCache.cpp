#include "render/service/ResourceCache.h"

#include "media/gpu/ResourceBuffer.h"

namespace Render {

std::shared_ptr<Media::ResourceBuffer> ResourceCache::find(const std::string& name) {
    const auto found = index_.find(name);
    if (found == index_.end()) return {};
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->buffer;
}

void ResourceCache::remove(List::iterator entry) {
    total_ -= entry->weight;
    index_.erase(entry->name);
    entries_.erase(entry);
}

void ResourceCache::add(const std::string& name, std::shared_ptr<Media::ResourceBuffer> buffer,
                        std::int64_t weight) {
    if (const auto found = index_.find(name); found != index_.end()) remove(found->second);
    entries_.push_front({weight, std::move(buffer), name});
    index_[name] = entries_.begin();
    total_ += weight;
    while (total_ > limit_ && !entries_.empty()) remove(std::prev(entries_.end()));
}

std::shared_ptr<Media::ResourceBuffer> ResourceCache::getBuffer(const std::string& name, int width, int height) {
    std::shared_ptr<Media::ResourceBuffer> buffer = find(name);
    const auto w = static_cast<UINT>(width);
    const auto h = static_cast<UINT>(height);
    if (!buffer || buffer->getWidth() != w || buffer->getHeight() != h)
        buffer = std::make_shared<Media::ResourceBuffer>(w, h);
    add(name, buffer, static_cast<std::int64_t>(width) * height);
    return buffer;
}

}  // namespace Render
