#pragma once
// Creation of the constant buffers every shader user keeps beside a CPU
// copy of their contents. Blocks keep D3D's packing: the GLSL side declares
// them as vec4 arrays (ints through floatBitsToInt) and unpacks the fields
// at their byte offsets, which std140 cannot express.
#include "platform/WinTypes.h"
#include "platform/gl/GlBuffer.h"

#include <memory>

namespace Media {

class ConstantBufferCommon {
public:
    // Replaces the buffer held before with one of `size` bytes (a multiple
    // of 16), from `data` when given, else uninitialised. Users later
    // replace the whole contents from their CPU copy (Buffer::update).
    static void create(std::unique_ptr<Platform::Gl::Buffer>& buffer, const void* data, UINT size);
};

}  // namespace Media
