#pragma once
// The program's own PNG pictures, embedded at build time: every file
// src/resources/png/<id>.png becomes the resource of that numeric id.
#include <cstddef>
#include <cstdint>
#include <span>

namespace Platform::Image {

// The bytes of the PNG resource, or an empty span when there is none.
std::span<const std::uint8_t> findPngResource(int id);

}  // namespace Platform::Image
