#pragma once
// What the clipping filters share: a shader variant of their coverage
// program, and one pass that multiplies a picture by the coverage it
// writes (colour and alpha alike), in place.
#include <cstddef>
#include <memory>

namespace Platform::Gl {
class Buffer;
}
namespace Media {
class PixelShader;
class ResourceBuffer;
}  // namespace Media

namespace Effect::Clip {

// define: a "#define NAME 1\n" line or empty.
std::unique_ptr<Media::PixelShader> loadVariant(const char* code, std::size_t size, const char* define);

void multiplyByCoverage(Media::PixelShader& shader, Media::ResourceBuffer& image, Platform::Gl::Buffer& constants);

// Degrees to radians with the factor every angle of the picture uses.
inline float radians(float degrees) { return degrees * 0.017453292f; }

}  // namespace Effect::Clip
