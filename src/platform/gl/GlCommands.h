#pragma once
// The immediate-context calls of D3D over the calling thread's GL context:
// render targets, shader resources, constant buffers, unordered access,
// stages, vertex input, draws and dispatches. Each call binds at once; the
// caller decides through the binding cache what it may skip. Every draw and
// dispatch is one hand-over step (GlSync.h): it waits for other contexts'
// conflicting uses of what is bound, and leaves a fence for what it wrote
// (targets, images) and read. A command with images bound is followed by a
// memory barrier, since GL does not order image writes against later reads
// as D3D does.
#include "platform/gl/GlContext.h"
#include "platform/gl/GlProgram.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Platform::Gl {

class Buffer;
class SamplerState;
class Texture;

struct InputElement {
    std::string semanticName;
    int semanticIndex;
    int format;  // DXGI code of the element
    int location;
};

// Elements in slot 0, each right after the one before.
struct InputLayout {
    std::vector<InputElement> elements;
    std::uint64_t id = nextObjectId();
};

// Bytes of a vertex element format; 0 for one a vertex cannot hold.
int vertexFormatSize(int format);

// Attaches the targets as colour attachments 0.. and sets the viewport to
// the first one's size, depth 0 to 1. An empty list detaches all.
void setRenderTargets(Context& context, std::span<Texture* const> targets);
// The viewport (0, 0, width, height), depth 0 to 1. Geometry whose edges may
// run through pixel centres (objects, not screen quads) asks for D3D's
// top-left rule: the viewport then moves by the driver's probed offset.
void setViewport(Context& context, GLsizei width, GLsizei height, bool topLeftEdges);
// The current viewport's size again, with or without the top-left shift:
// polygon draws into a target bound for any kind of pass.
void setTopLeftEdges(Context& context, bool topLeftEdges);
void bindTexture(Context& context, Stage stage, int slot, Texture* texture);
// D3D samplers are per slot, GL samplers per texture unit: the sampler of
// slot 0 goes to every texture unit of the stage.
void bindSampler(Context& context, Stage stage, const SamplerState* sampler);
void bindConstantBuffer(Context& context, Stage stage, int slot, Buffer* buffer);
// With the format's own image qualifier; null unbinds. Pixel images are
// written by draws and go when the targets change; compute images are
// written by dispatches and stay until replaced.
enum class ImageStage { Pixel, Compute };
void bindImage(Context& context, int slot, Texture* texture, ImageStage stage);
void useProgram(Context& context, const Program& program);
void applyInputLayout(Context& context, const InputLayout& layout);
void setVertexBuffer(Context& context, Buffer& buffer, GLsizei stride);
void draw(Context& context, GLenum mode, GLint first, GLsizei count);
void dispatch(Context& context, GLuint x, GLuint y, GLuint z);

}  // namespace Platform::Gl
