#include "platform/gl/GlEdgeRule.h"

#include "embedded/embedded_EdgeRuleProbe_frag.h"
#include "embedded/embedded_EdgeRuleProbe_vert.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlTexture.h"

#include <cstdint>
#include <vector>

namespace Platform::Gl {

EdgeOffset probeEdgeRule(Display& display) {
    constexpr int kSize = 8;
    constexpr const char* kPlace = "Platform::Gl::probeEdgeRule";
    // One step of the rasterizer's sub-pixel grid.
    constexpr float kStep = 1.0f / 256.0f;
    Context& context = display.context();
    Program vertex(display, Stage::Vertex, embedded_EdgeRuleProbe_vert, "glCreateShaderProgramv",
                   kPlace);
    Program pixel(display, Stage::Pixel, embedded_EdgeRuleProbe_frag, "glCreateShaderProgramv",
                  kPlace);
    Texture target(display, *findFormat(DXGI_FORMAT_R8G8B8A8_UNORM), kSize, kSize,
                   Texture::ShaderResource | Texture::RenderTarget, nullptr, 0, kPlace);
    const float zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    target.clear(zero, kPlace);
    Texture* targets[] = {&target};
    setRenderTargets(context, targets);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    useProgram(context, vertex);
    useProgram(context, pixel);
    draw(context, GL_TRIANGLES, 0, 6);
    setRenderTargets(context, {});
    context.bindings().clear();

    std::vector<std::uint32_t> pixels(kSize * kSize);
    target.read(pixels.data(), kSize * 4, kPlace);
    auto covered = [&](int x, int y) { return pixels[y * kSize + x] != 0; };
    // D3D covers columns and rows 1 to 4.
    EdgeOffset offset;
    if (!covered(1, 3) && covered(5, 3)) offset.x = -kStep;
    if (!covered(3, 1) && covered(3, 5)) offset.y = -kStep;
    return offset;
}

}  // namespace Platform::Gl
