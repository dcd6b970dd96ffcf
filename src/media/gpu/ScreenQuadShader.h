#pragma once
// A quad covering clip space from (-1, -1) to (1, 1) at depth 0, as a
// four-vertex triangle strip, with the vertex program that draws it: the
// vertex stage of every full-target pass of a pixel program.
//   Position:          12-byte vertices (x, y, z)
//   TextureCoordinate: 28-byte vertices (x, y, z, u, v, 1, 0); v = 0 is the
//                      top row
#include "media/gpu/VertexShader.h"
#include "platform/gl/GlBuffer.h"

#include <memory>

namespace Media {

class ScreenQuadShader {
public:
    enum class Kind { Position, TextureCoordinate };

    ScreenQuadShader(Direct3DService* service, Kind kind);

    // Binds the quad's vertices and draws it; the stage's program must be
    // bound (VertexShader::bind).
    void draw(Platform::Gl::Context& context);

    VertexShader shader;

private:
    std::unique_ptr<Platform::Gl::Buffer> vertices_;
    GLsizei stride_;
};

}  // namespace Media
