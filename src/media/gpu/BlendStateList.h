#pragma once
// The 22 blend states every drawing step picks by number. Colours in the
// frame are premultiplied: 0 draws over, 4 replaces, 8 multiplies the target
// by the source alpha (masks); 5 to 7 mix by the shader's second output's
// alpha; 14, 20 and 21 use the blend factor given when binding.
#include "media/gpu/PipelineStateList.h"
#include "platform/gl/GlState.h"

namespace Media {
template <>
inline constexpr const char* comResourcePlace<Platform::Gl::BlendState> =
    "Media::ComResource<struct ID3D11BlendState>::createResource";
}  // namespace Media

namespace Shader {

class BlendStateList : public PipelineStateList<Platform::Gl::BlendState, 22> {
public:
    BlendStateList();
    // The fixed description of a state.
    static const Platform::Gl::BlendDesc& describe(int index);
};

}  // namespace Shader
