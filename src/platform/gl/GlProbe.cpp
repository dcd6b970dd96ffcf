#include "platform/gl/GlProbe.h"

#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"

namespace Platform::Gl {

ProbeDraw::ProbeDraw(Display& display, const char* vertexCode, const char* pixelCode, int format,
                     unsigned bindFlags, const char* place, int side)
    : vertex(display, Stage::Vertex, vertexCode, "glCreateShaderProgramv", place),
      pixel(display, Stage::Pixel, pixelCode, "glCreateShaderProgramv", place),
      target(display, *findFormat(format), side, side, bindFlags, nullptr, 0, place) {
    const float zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    target.clear(zero, place);
}

void ProbeDraw::draw(Context& context, GLsizei vertices) {
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    useProgram(context, vertex);
    useProgram(context, pixel);
    Platform::Gl::draw(context, GL_TRIANGLES, 0, vertices);
    setRenderTargets(context, {});
    // The states above went around the binding cache.
    context.bindings().clear();
}

}  // namespace Platform::Gl
