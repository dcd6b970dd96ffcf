#pragma once
// The programs and target of a capability probe: a small draw made once at
// start-up on the calling thread's context, whose pixels tell what the
// driver does.
#include "platform/gl/GlProgram.h"
#include "platform/gl/GlTexture.h"

namespace Platform::Gl {

class Context;
class Display;

struct ProbeDraw {
    // A cleared side x side target of that format and binding.
    ProbeDraw(Display& display, const char* vertexCode, const char* pixelCode, int format,
              unsigned bindFlags, const char* place, int side = kSize);

    // Draws with plain states (no blending, no culling, filled) and whatever
    // the caller bound as targets; detaches them afterwards.
    void draw(Context& context, GLsizei vertices);

    static constexpr int kSize = 8;
    Program vertex;
    Program pixel;
    Texture target;
};

}  // namespace Platform::Gl
