#include "platform/gl/GlOrderedAccess.h"

#include "embedded/embedded_OrderedAccessProbe_frag.h"
#include "embedded/embedded_OrderedAccessProbe_vert.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlTexture.h"

#include <vector>

namespace Platform::Gl {

bool primitiveOrderHolds(Display& display) {
    constexpr int kSize = 64;
    constexpr int kPrimitives = 64;
    constexpr const char* kPlace = "Platform::Gl::primitiveOrderHolds";
    Context& context = display.context();
    Program vertex(display, Stage::Vertex, embedded_OrderedAccessProbe_vert, "glCreateShaderProgramv",
                   kPlace);
    Program pixel(display, Stage::Pixel, embedded_OrderedAccessProbe_frag, "glCreateShaderProgramv",
                  kPlace);
    Texture target(display, *findFormat(DXGI_FORMAT_R32_FLOAT), kSize, kSize,
                   Texture::ShaderResource | Texture::UnorderedAccess, nullptr, 0, kPlace);
    const float zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    target.clear(zero, kPlace);

    // A draw without colour targets: the framebuffer gives the size.
    setRenderTargets(context, {});
    glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_WIDTH, kSize);
    glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_HEIGHT, kSize);
    glViewportIndexedf(0, 0.0f, 0.0f, kSize, kSize);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    useProgram(context, vertex);
    useProgram(context, pixel);
    bindImage(context, 1, &target);
    draw(context, GL_TRIANGLES, 0, kPrimitives * 3);
    context.bindings().clear();

    float expected = 0.0f;
    for (int i = 0; i < kPrimitives; ++i) expected = expected * 0.5f + static_cast<float>(i + 1);
    std::vector<float> values(kSize * kSize);
    target.read(values.data(), kSize * sizeof(float), kPlace);
    for (float value : values)
        if (value != expected) return false;
    return true;
}

}  // namespace Platform::Gl
