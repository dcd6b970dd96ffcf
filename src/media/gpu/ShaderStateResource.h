#pragma once
// The mixin through which anything that draws reaches the shared pipeline
// state lists: sampler, blend and rasterizer list, in this order, filled
// when the owner is constructed.
namespace Shader {
class BlendStateList;
class RasterizerStateList;
class SamplerStateList;
}  // namespace Shader

namespace Resource {

class ShaderStateResource {
public:
    // From the resource service; null while there is none.
    ShaderStateResource();

protected:
    Shader::SamplerStateList* samplerStateList;
    Shader::BlendStateList* blendStateList;
    Shader::RasterizerStateList* rasterizerStateList;
};

}  // namespace Resource
