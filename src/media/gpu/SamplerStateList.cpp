#include "media/gpu/SamplerStateList.h"

namespace Shader {

namespace {

using Platform::Gl::Address;
using Platform::Gl::Filter;
using Platform::Gl::SamplerDesc;
constexpr Filter Linear = Filter::MinMagMipLinear;
constexpr Filter Point = Filter::MinMagMipPoint;

const SamplerDesc kStates[8] = {
    {Linear, Address::Border, Address::Border, Address::Border, {0, 0, 0, 0}},
    {Linear, Address::Clamp, Address::Clamp, Address::Clamp, {0, 0, 0, 0}},
    {Linear, Address::Wrap, Address::Wrap, Address::Wrap, {0, 0, 0, 0}},
    {Linear, Address::Mirror, Address::Mirror, Address::Mirror, {0, 0, 0, 0}},
    {Linear, Address::Mirror, Address::Border, Address::Border, {0, 0, 0, 0}},
    {Point, Address::Border, Address::Border, Address::Border, {0, 0, 0, 0}},
    {Point, Address::Clamp, Address::Clamp, Address::Clamp, {0, 0, 0, 0}},
    {Linear, Address::Border, Address::Border, Address::Border, {1, 1, 1, 1}},
};

}  // namespace

SamplerStateList::SamplerStateList(Platform::Gl::Display& display)
    : PipelineStateList([&display](int index) -> Holder::Generator {
          return [&display, index](Platform::Gl::SamplerState** state) {
              *state = new Platform::Gl::SamplerState(display, kStates[index],
                                                      "Shader::SamplerStateList::SamplerStateList");
          };
      }) {}

}  // namespace Shader
