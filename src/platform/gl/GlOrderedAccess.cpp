#include "platform/gl/GlOrderedAccess.h"

#include "embedded/embedded_OrderedAccessProbe_frag.h"
#include "embedded/embedded_OrderedAccessProbe_vert.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlProbe.h"

#include <vector>

namespace Platform::Gl {

bool primitiveOrderHolds(Display& display) {
    constexpr int kPrimitives = 64;
    constexpr int kSize = ProbeDraw::kSize;
    Context& context = display.context();
    ProbeDraw probe(display, embedded_OrderedAccessProbe_vert, embedded_OrderedAccessProbe_frag,
                    DXGI_FORMAT_R32_FLOAT, Texture::ShaderResource | Texture::UnorderedAccess,
                    "Platform::Gl::primitiveOrderHolds");

    // A draw without colour targets: the framebuffer gives the size.
    setRenderTargets(context, {});
    glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_WIDTH, kSize);
    glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_HEIGHT, kSize);
    setViewport(context, kSize, kSize, false);
    bindImage(context, 1, &probe.target, ImageStage::Pixel);
    probe.draw(context, kPrimitives * 3);

    float expected = 0.0f;
    for (int i = 0; i < kPrimitives; ++i) expected = expected * 0.5f + static_cast<float>(i + 1);
    std::vector<float> values(kSize * kSize);
    probe.target.read(values.data(), kSize * sizeof(float), "Platform::Gl::primitiveOrderHolds");
    for (float value : values)
        if (value != expected) return false;
    return true;
}

}  // namespace Platform::Gl
