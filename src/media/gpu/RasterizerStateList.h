#pragma once
// The three rasterizer states: 0 solid without culling (every full-target
// pass), 1 solid with back faces culled, 2 wireframe.
#include "media/gpu/PipelineStateList.h"
#include "platform/gl/GlState.h"

namespace Media {
template <>
inline constexpr const char* comResourcePlace<Platform::Gl::RasterizerState> =
    "Media::ComResource<struct ID3D11RasterizerState>::createResource";
}  // namespace Media

namespace Shader {

class RasterizerStateList : public PipelineStateList<Platform::Gl::RasterizerState, 3> {
public:
    RasterizerStateList();
};

}  // namespace Shader
