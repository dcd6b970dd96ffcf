#include "platform/gl/GlCommands.h"

#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlState.h"
#include "platform/gl/GlTexture.h"


namespace Platform::Gl {

namespace {

// One draw or dispatch as a hand-over step: it writes the attached targets
// (draws only) and the images of its kind, and reads what is bound. Image
// writes are not ordered against later reads in GL as in D3D: a barrier
// follows every command that had images bound.
void runPass(Context& context, bool compute, CommandRef command) {
    std::vector<Use>& uses = context.passUses;
    uses.clear();
    if (!compute)
        for (const auto& target : context.renderTargets) uses.push_back({target.get(), Access::Write});
    bool images = false;
    for (std::size_t slot = 0; slot < context.images.size(); ++slot) {
        const bool pixel = context.pixelImages & (1u << slot);
        if (context.images[slot] && pixel != compute) {
            uses.push_back({context.images[slot].get(), Access::Write});
            images = true;
        }
    }
    for (const auto& [point, object] : context.reads()) uses.push_back({object.get(), Access::Read});
    runCommand(context, uses, [&] {
        command();
        if (images || compute) glMemoryBarrier(GL_ALL_BARRIER_BITS);
    });
}

struct VertexFormat {
    int format;
    GLint components;
    GLenum type;
};

constexpr VertexFormat kVertexFormats[] = {
    {DXGI_FORMAT_R32_FLOAT, 1, GL_FLOAT},          {DXGI_FORMAT_R32_UINT, 1, GL_UNSIGNED_INT},
    {DXGI_FORMAT_R32_SINT, 1, GL_INT},             {DXGI_FORMAT_R32G32_FLOAT, 2, GL_FLOAT},
    {DXGI_FORMAT_R32G32_UINT, 2, GL_UNSIGNED_INT}, {DXGI_FORMAT_R32G32_SINT, 2, GL_INT},
    {DXGI_FORMAT_R32G32B32_FLOAT, 3, GL_FLOAT},    {DXGI_FORMAT_R32G32B32_UINT, 3, GL_UNSIGNED_INT},
    {DXGI_FORMAT_R32G32B32_SINT, 3, GL_INT},       {DXGI_FORMAT_R32G32B32A32_FLOAT, 4, GL_FLOAT},
    {DXGI_FORMAT_R32G32B32A32_UINT, 4, GL_UNSIGNED_INT},
    {DXGI_FORMAT_R32G32B32A32_SINT, 4, GL_INT},
};

const VertexFormat* findVertexFormat(int format) {
    for (const VertexFormat& entry : kVertexFormats)
        if (entry.format == format) return &entry;
    return nullptr;
}

}  // namespace

int vertexFormatSize(int format) {
    const VertexFormat* entry = findVertexFormat(format);
    return entry ? entry->components * 4 : 0;
}

void setRenderTargets(Context& context, std::span<Texture* const> targets) {
    const GLuint framebuffer = context.framebuffer();
    // Images bound with the targets go with them.
    for (std::size_t slot = 0; slot < context.images.size(); ++slot)
        if (context.pixelImages & (1u << slot))
            bindImage(context, static_cast<int>(slot), nullptr, ImageStage::Pixel);
    const std::size_t attached = std::max(context.renderTargets.size(), targets.size());
    GLenum buffers[8];
    for (std::size_t i = 0; i < attached && i < 8; ++i) {
        Texture* target = i < targets.size() ? targets[i] : nullptr;
        glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i),
                                  target ? target->name() : 0, 0);
        buffers[i] = target ? GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i) : GL_NONE;
        const bool mask = target && target->format().reads == Format::Reads::AlphaOnly;
        glColorMaski(static_cast<GLuint>(i), !mask, !mask, !mask, GL_TRUE);
    }
    glNamedFramebufferDrawBuffers(framebuffer, static_cast<GLsizei>(std::min<std::size_t>(attached, 8)),
                                  buffers);
    context.renderTargets.clear();
    for (Texture* target : targets)
        if (target) context.renderTargets.push_back(target->handover());
    if (!targets.empty() && targets[0])
        setViewport(context, targets[0]->width(), targets[0]->height(), false);
}

void setViewport(Context& context, GLsizei width, GLsizei height, bool topLeftEdges) {
    const EdgeOffset offset =
        topLeftEdges ? context.display().capabilities().edgeOffset : EdgeOffset{};
    glViewportIndexedf(0, offset.x, offset.y, static_cast<float>(width),
                       static_cast<float>(height));
    glDepthRangeIndexed(0, 0.0, 1.0);
}

void setTopLeftEdges(Context& context, bool topLeftEdges) {
    GLfloat viewport[4];
    glGetFloati_v(GL_VIEWPORT, 0, viewport);
    setViewport(context, static_cast<GLsizei>(viewport[2]), static_cast<GLsizei>(viewport[3]),
                topLeftEdges);
}

void bindTexture(Context& context, Stage stage, int slot, Texture* texture) {
    const GLuint unit = textureUnit(stage, slot);
    glBindTextureUnit(unit, texture ? texture->name() : 0);
    context.setRead(Context::TextureUnit + unit, texture ? texture->handover() : nullptr);
}

void bindSampler(Context&, Stage stage, const SamplerState* sampler) {
    GLuint names[kTextureSlots];
    for (GLuint& name : names) name = sampler ? sampler->name() : 0;
    glBindSamplers(textureUnit(stage, 0), kTextureSlots, names);
}

void bindConstantBuffer(Context& context, Stage stage, int slot, Buffer* buffer) {
    const GLuint binding = uniformBinding(stage, slot);
    if (buffer) buffer->checkContext(context, "glBindBufferBase");
    glBindBufferBase(GL_UNIFORM_BUFFER, binding, buffer ? buffer->name() : 0);
    context.setRead(Context::UniformBinding + binding, buffer ? buffer->handover() : nullptr);
}

void bindImage(Context& context, int slot, Texture* texture, ImageStage stage) {
    const std::uint32_t bit = 1u << slot;
    if (!texture) {
        glBindImageTexture(imageUnit(slot), 0, 0, GL_FALSE, 0, GL_READ_WRITE, GL_RGBA8);
        context.images[static_cast<std::size_t>(slot)].reset();
        context.pixelImages &= ~bit;
        return;
    }
    glBindImageTexture(imageUnit(slot), texture->name(), 0, GL_FALSE, 0, GL_READ_WRITE,
                       texture->format().internalFormat);
    context.images[static_cast<std::size_t>(slot)] = texture->handover();
    if (stage == ImageStage::Pixel)
        context.pixelImages |= bit;
    else
        context.pixelImages &= ~bit;
}

void useProgram(Context& context, const Program& program) {
    static const GLbitfield bits[] = {GL_VERTEX_SHADER_BIT, GL_FRAGMENT_SHADER_BIT,
                                      GL_COMPUTE_SHADER_BIT};
    glUseProgramStages(context.pipeline(), bits[static_cast<int>(program.stage())], program.name());
}

void applyInputLayout(Context& context, const InputLayout& layout) {
    const GLuint vertexArray = context.vertexArray();
    std::uint32_t enabled = 0;
    GLuint offset = 0;
    for (const InputElement& element : layout.elements) {
        const VertexFormat* format = findVertexFormat(element.format);
        if (!format || element.location < 0 || element.location >= 32) continue;
        const auto location = static_cast<GLuint>(element.location);
        if (format->type == GL_FLOAT)
            glVertexArrayAttribFormat(vertexArray, location, format->components, GL_FLOAT, GL_FALSE,
                                      offset);
        else
            glVertexArrayAttribIFormat(vertexArray, location, format->components, format->type,
                                       offset);
        glVertexArrayAttribBinding(vertexArray, location, 0);
        enabled |= 1u << location;
        offset += static_cast<GLuint>(format->components * 4);
    }
    for (GLuint location = 0; location < 32; ++location) {
        const std::uint32_t bit = 1u << location;
        if ((enabled & bit) && !(context.enabledAttributes & bit))
            glEnableVertexArrayAttrib(vertexArray, location);
        else if (!(enabled & bit) && (context.enabledAttributes & bit))
            glDisableVertexArrayAttrib(vertexArray, location);
    }
    context.enabledAttributes = enabled;
    context.inputLayout = layout.id;
}

void setVertexBuffer(Context& context, Buffer& buffer, GLsizei stride) {
    buffer.checkContext(context, "glVertexArrayVertexBuffer");
    glVertexArrayVertexBuffer(context.vertexArray(), 0, buffer.name(), 0, stride);
    context.setRead(Context::VertexBuffer, buffer.handover());
}

void draw(Context& context, GLenum mode, GLint first, GLsizei count) {
    context.vertexArray();
    context.pipeline();
    runPass(context, false, [&] { glDrawArrays(mode, first, count); });
}

void dispatch(Context& context, GLuint x, GLuint y, GLuint z) {
    context.pipeline();
    runPass(context, true, [&] { glDispatchCompute(x, y, z); });
}

}  // namespace Platform::Gl
