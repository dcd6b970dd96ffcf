#include "platform/gl/GlEdgeRule.h"

#include "embedded/embedded_EdgeRuleProbe_frag.h"
#include "embedded/embedded_EdgeRuleProbe_vert.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlProbe.h"

#include <cstdint>
#include <vector>

namespace Platform::Gl {

EdgeOffset probeEdgeRule(Display& display) {
    constexpr int kSize = ProbeDraw::kSize;
    // One step of the rasterizer's sub-pixel grid.
    constexpr float kStep = 1.0f / 256.0f;
    Context& context = display.context();
    ProbeDraw probe(display, embedded_EdgeRuleProbe_vert, embedded_EdgeRuleProbe_frag,
                    DXGI_FORMAT_R8G8B8A8_UNORM, Texture::ShaderResource | Texture::RenderTarget,
                    "Platform::Gl::probeEdgeRule");
    Texture* targets[] = {&probe.target};
    setRenderTargets(context, targets);
    probe.draw(context, 6);

    std::vector<std::uint32_t> pixels(kSize * kSize);
    probe.target.read(pixels.data(), kSize * 4, "Platform::Gl::probeEdgeRule");
    auto covered = [&](int x, int y) { return pixels[y * kSize + x] != 0; };
    // D3D covers columns and rows 1 to 4.
    EdgeOffset offset;
    if (!covered(1, 3) && covered(5, 3)) offset.x = -kStep;
    if (!covered(3, 1) && covered(3, 5)) offset.y = -kStep;
    return offset;
}

}  // namespace Platform::Gl
