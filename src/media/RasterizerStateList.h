#pragma once
// The three rasterizer states: 0 solid without culling (every full-target
// pass), 1 solid with back faces culled, 2 wireframe.
#include "media/PipelineStateList.h"
#include "platform/gl/GlState.h"

namespace Media {
template <>
struct ComResourceTraits<Platform::Gl::RasterizerState> {
    static constexpr const char* place =
        "Media::ComResource<struct ID3D11RasterizerState>::createResource";
    static void release(Platform::Gl::RasterizerState* state) { delete state; }
};
}  // namespace Media

namespace Shader {

class RasterizerStateList : public PipelineStateList<Platform::Gl::RasterizerState, 3> {
public:
    RasterizerStateList();
};

}  // namespace Shader
