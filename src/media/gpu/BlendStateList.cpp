#include "media/gpu/BlendStateList.h"

namespace Shader {

namespace {

using Platform::Gl::Blend;
using Platform::Gl::BlendDesc;
using Platform::Gl::BlendOp;
constexpr BlendOp Add = BlendOp::Add;

// Every state but 4 blends; columns as D3D11_RENDER_TARGET_BLEND_DESC.
const BlendDesc kStates[22] = {
    {true, Blend::One, Blend::InvSrcAlpha, Add, Blend::One, Blend::InvSrcAlpha, Add},
    {true, Blend::InvDestAlpha, Blend::One, Add, Blend::InvDestAlpha, Blend::One, Add},
    {true, Blend::SrcAlpha, Blend::InvSrcAlpha, Add, Blend::One, Blend::InvSrcAlpha, Add},
    {true, Blend::DestAlpha, Blend::InvSrcAlpha, Add, Blend::Zero, Blend::One, Add},
    {false, Blend::Zero, Blend::Zero, Add, Blend::Zero, Blend::Zero, Add},
    {true, Blend::InvSrc1Alpha, Blend::Src1Alpha, Add, Blend::InvSrc1Alpha, Blend::Src1Alpha, Add},
    {true, Blend::Src1Alpha, Blend::InvSrc1Alpha, Add, Blend::Src1Alpha, Blend::InvSrc1Alpha, Add},
    {true, Blend::InvSrc1Alpha, Blend::Zero, Add, Blend::InvSrc1Alpha, Blend::Zero, Add},
    {true, Blend::Zero, Blend::SrcAlpha, Add, Blend::Zero, Blend::SrcAlpha, Add},
    {true, Blend::Zero, Blend::InvSrcAlpha, Add, Blend::Zero, Blend::InvSrcAlpha, Add},
    {true, Blend::Zero, Blend::SrcAlpha, Add, Blend::One, Blend::Zero, Add},
    {true, Blend::Zero, Blend::SrcColor, Add, Blend::Zero, Blend::One, Add},
    {true, Blend::One, Blend::One, Add, Blend::One, Blend::InvSrcAlpha, Add},
    {true, Blend::One, Blend::One, Add, Blend::InvDestAlpha, Blend::One, Add},
    {true, Blend::BlendFactor, Blend::One, Add, Blend::BlendFactor, Blend::InvSrcAlpha, Add},
    {true, Blend::DestAlpha, Blend::Zero, Add, Blend::DestAlpha, Blend::Zero, Add},
    {true, Blend::One, Blend::One, BlendOp::Max, Blend::One, Blend::One, BlendOp::Max},
    {true, Blend::Zero, Blend::SrcAlpha, Add, Blend::Zero, Blend::One, Add},
    {true, Blend::One, Blend::One, Add, Blend::One, Blend::One, Add},
    {true, Blend::DestAlpha, Blend::One, Add, Blend::Zero, Blend::One, Add},
    {true, Blend::BlendFactor, Blend::InvBlendFactor, Add, Blend::BlendFactor,
     Blend::InvBlendFactor, Add},
    {true, Blend::InvBlendFactor, Blend::BlendFactor, Add, Blend::InvBlendFactor,
     Blend::BlendFactor, Add},
};

}  // namespace

BlendStateList::BlendStateList()
    : PipelineStateList([](int index) -> Holder::Generator {
          return [index](Platform::Gl::BlendState** state) {
              *state = new Platform::Gl::BlendState(kStates[index]);
          };
      }) {}

const BlendDesc& BlendStateList::describe(int index) { return kStates[index]; }

}  // namespace Shader
