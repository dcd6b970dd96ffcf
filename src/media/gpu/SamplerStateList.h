#pragma once
// The eight sampler states: linear filtering with a transparent border (0),
// clamped (1), wrapped (2), mirrored (3), mirrored across and bordered
// down (4), point sampling bordered (5) and clamped (6), and linear with a
// white border (7: outside a shadow map counts as lit).
#include "media/gpu/PipelineStateList.h"
#include "platform/gl/GlState.h"

namespace Platform::Gl {
class Display;
}

namespace Media {
template <>
inline constexpr const char* comResourcePlace<Platform::Gl::SamplerState> =
    "Media::ComResource<struct ID3D11SamplerState>::createResource";
}  // namespace Media

namespace Shader {

class SamplerStateList : public PipelineStateList<Platform::Gl::SamplerState, 8> {
public:
    // The samplers are shared objects of that display.
    explicit SamplerStateList(Platform::Gl::Display& display);
};

}  // namespace Shader
