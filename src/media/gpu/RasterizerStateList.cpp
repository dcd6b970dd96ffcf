#include "media/gpu/RasterizerStateList.h"

namespace Shader {

namespace {

using Platform::Gl::Cull;
using Platform::Gl::Fill;
using Platform::Gl::RasterizerDesc;

const RasterizerDesc kStates[3] = {
    {Fill::Solid, Cull::None, false, true},
    {Fill::Solid, Cull::Back, false, true},
    {Fill::Wireframe, Cull::None, false, true},
};

}  // namespace

RasterizerStateList::RasterizerStateList()
    : PipelineStateList([](int index) -> Holder::Generator {
          return [index](Platform::Gl::RasterizerState** state) {
              *state = new Platform::Gl::RasterizerState(kStates[index]);
          };
      }) {}

}  // namespace Shader
