#include "platform/gl/GlState.h"

#include "platform/gl/GlContext.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlError.h"

namespace Platform::Gl {

namespace {

GLenum toGl(Blend blend) {
    switch (blend) {
        case Blend::Zero: return GL_ZERO;
        case Blend::One: return GL_ONE;
        case Blend::SrcColor: return GL_SRC_COLOR;
        case Blend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
        case Blend::SrcAlpha: return GL_SRC_ALPHA;
        case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
        case Blend::DestAlpha: return GL_DST_ALPHA;
        case Blend::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
        case Blend::DestColor: return GL_DST_COLOR;
        case Blend::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
        case Blend::SrcAlphaSat: return GL_SRC_ALPHA_SATURATE;
        // In the alpha function GL_CONSTANT_COLOR takes the factor's alpha,
        // as D3D's BLEND_FACTOR does.
        case Blend::BlendFactor: return GL_CONSTANT_COLOR;
        case Blend::InvBlendFactor: return GL_ONE_MINUS_CONSTANT_COLOR;
        case Blend::Src1Color: return GL_SRC1_COLOR;
        case Blend::InvSrc1Color: return GL_ONE_MINUS_SRC1_COLOR;
        case Blend::Src1Alpha: return GL_SRC1_ALPHA;
        case Blend::InvSrc1Alpha: return GL_ONE_MINUS_SRC1_ALPHA;
    }
    return GL_ZERO;
}

GLenum toGl(BlendOp op) {
    switch (op) {
        case BlendOp::Add: return GL_FUNC_ADD;
        case BlendOp::Subtract: return GL_FUNC_SUBTRACT;
        case BlendOp::RevSubtract: return GL_FUNC_REVERSE_SUBTRACT;
        case BlendOp::Min: return GL_MIN;
        case BlendOp::Max: return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLenum toGl(Address address) {
    switch (address) {
        case Address::Wrap: return GL_REPEAT;
        case Address::Mirror: return GL_MIRRORED_REPEAT;
        case Address::Clamp: return GL_CLAMP_TO_EDGE;
        case Address::Border: return GL_CLAMP_TO_BORDER;
    }
    return GL_CLAMP_TO_EDGE;
}

}  // namespace

void BlendState::bind(Context& context, const float* factor) const {
    static const float kOnes[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    if (desc_.enable) {
        glEnable(GL_BLEND);
        glBlendFuncSeparate(toGl(desc_.src), toGl(desc_.dest), toGl(desc_.srcAlpha),
                            toGl(desc_.destAlpha));
        glBlendEquationSeparate(toGl(desc_.op), toGl(desc_.opAlpha));
    } else {
        glDisable(GL_BLEND);
    }
    const float* f = factor ? factor : kOnes;
    glBlendColor(f[0], f[1], f[2], f[3]);
    BindingCache& cache = context.bindings();
    cache.blendState = id_;
    cache.blendFactor = {f[0], f[1], f[2], f[3]};
}

void RasterizerState::bind(Context& context) const {
    glPolygonMode(GL_FRONT_AND_BACK, desc_.fill == Fill::Wireframe ? GL_LINE : GL_FILL);
    if (desc_.cull == Cull::None) {
        glDisable(GL_CULL_FACE);
    } else {
        glEnable(GL_CULL_FACE);
        glCullFace(desc_.cull == Cull::Front ? GL_FRONT : GL_BACK);
    }
    // With the upper-left clip origin GL's winding reads as D3D's.
    glFrontFace(desc_.frontCounterClockwise ? GL_CCW : GL_CW);
    if (desc_.depthClipEnable)
        glDisable(GL_DEPTH_CLAMP);
    else
        glEnable(GL_DEPTH_CLAMP);
    context.bindings().rasterizerState = id_;
}

SamplerState::SamplerState(Display& display, const SamplerDesc& desc, const char* place)
    : display_(display), desc_(desc), id_(nextObjectId()) {
    display.context();
    clearErrors();
    glCreateSamplers(1, &name_);
    const GLenum filter = desc.filter == Filter::MinMagMipPoint ? GL_NEAREST : GL_LINEAR;
    glSamplerParameteri(name_, GL_TEXTURE_MIN_FILTER, filter);
    glSamplerParameteri(name_, GL_TEXTURE_MAG_FILTER, filter);
    glSamplerParameteri(name_, GL_TEXTURE_WRAP_S, toGl(desc.addressU));
    glSamplerParameteri(name_, GL_TEXTURE_WRAP_T, toGl(desc.addressV));
    glSamplerParameteri(name_, GL_TEXTURE_WRAP_R, toGl(desc.addressW));
    glSamplerParameterfv(name_, GL_TEXTURE_BORDER_COLOR, desc.borderColor.data());
    try {
        checkError("glCreateSamplers", place);
    } catch (...) {
        glDeleteSamplers(1, &name_);
        throw;
    }
    // Made once on whichever thread asks first and used by every other one.
    glFinish();
}

SamplerState::~SamplerState() { display_.release(Display::Kind::Sampler, name_); }

}  // namespace Platform::Gl
