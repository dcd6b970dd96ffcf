#include "platform/image/ProgramResource.h"

// Generated at configure time: includes every embedded picture and lists
// their ids as MOVANE2_PNG_RESOURCES(X).
#include "embedded/png_resources.h"

namespace Platform::Image {

namespace {

struct Entry {
    int id;
    const char* data;
    std::size_t size;
};

#define MOVANE2_PNG_ROW(id) {id, embedded_png_##id, sizeof(embedded_png_##id) - 1},
constexpr Entry kResources[] = {MOVANE2_PNG_RESOURCES(MOVANE2_PNG_ROW){0, nullptr, 0}};
#undef MOVANE2_PNG_ROW

}  // namespace

std::span<const std::uint8_t> findPngResource(int id) {
    for (const Entry& entry : kResources)
        if (entry.data && entry.id == id)
            return {reinterpret_cast<const std::uint8_t*>(entry.data), entry.size};
    return {};
}

}  // namespace Platform::Image
