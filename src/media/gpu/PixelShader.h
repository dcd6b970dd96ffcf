#pragma once
// A pixel program that carries its own vertex stage. The stage is chosen
// from the program's input signature when it is loaded: only SV_Position
// (gl_FragCoord, always present) draws the position quad; SV_Position and
// one float TEXCOORD input draws the texture-coordinate quad; anything else
// keeps the stage as it was (a new shader's stage draws nothing: such
// programs are bound by the vertex-list binders).
//
// A draw binds the constants as pixel slot b0, the target, the sources as
// t0 and t1, runs the vertex stage (rasterizer state 0, the given blend
// state or replacing state 4, the quad's vertex program, this program, the
// quad) and unbinds the sources and the target; b0 stays bound. Binds the
// binding cache says are in place are skipped. Runs on the calling
// thread's context.
#include "media/gpu/ShaderBase.h"
#include "platform/gl/GlProgram.h"
#include "platform/gl/GlState.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>

namespace Platform::Gl {
class Buffer;
class Texture;
}  // namespace Platform::Gl

namespace Media {

class Direct3DService;
class RenderBuffer;
class ResourceBuffer;

class PixelShader : public ShaderBase, public ShaderCompile {
public:
    using VertexStage =
        std::function<void(PixelShader*, const Platform::Gl::BlendState*, const float*)>;

    explicit PixelShader(Direct3DService* service);
    ~PixelShader() override;

    // code: GLSL text of the stage. Releases the program held before; a
    // failure leaves the shader empty.
    void loadFromMemory(const char* code, std::size_t size);
    void selectVertexStage(const char* code, std::size_t size);
    // HLSL text compiled with profile ps_5_0, then loadFromMemory.
    void loadFromSource(const char* sourceName, const char* sourceText, const char* entryPoint);

    // 1: constants only.
    void draw(ResourceBuffer& target, Platform::Gl::Buffer* constants,
              const Platform::Gl::BlendState* blend);
    // 2: one source and constants.
    void draw(ResourceBuffer& target, ResourceBuffer& source, Platform::Gl::Buffer* constants,
              const Platform::Gl::BlendState* blend);
    // 5: one source.
    void draw(ResourceBuffer& target, ResourceBuffer& source, const Platform::Gl::BlendState* blend);
    // 7: two sources.
    void draw(ResourceBuffer& target, ResourceBuffer& source0, ResourceBuffer& source1,
              const Platform::Gl::BlendState* blend);
    // 3: into a frame, one source and constants.
    void draw(RenderBuffer& target, ResourceBuffer& source, Platform::Gl::Buffer* constants,
              const Platform::Gl::BlendState* blend);
    // 4: into a frame, one source, with a blend factor (rebinds the blend
    // state every time).
    void draw(RenderBuffer& target, ResourceBuffer& source, const float* factor,
              const Platform::Gl::BlendState* blend);
    // 6: into a frame, one source, replacing.
    void draw(RenderBuffer& target, ResourceBuffer& source);
    // 8: into a frame, two sources.
    void draw(RenderBuffer& target, ResourceBuffer& source0, ResourceBuffer& source1,
              const Platform::Gl::BlendState* blend);
    // 9: into a frame from a texture's shader-resource view.
    void draw(RenderBuffer& target, Platform::Gl::Texture& view,
              const Platform::Gl::BlendState* blend);
    // 10: a frame into a picture, replacing.
    void draw(ResourceBuffer& target, RenderBuffer& source);

    // One pass into an attached target: binds b0 when given, the sources
    // as t0 and t1, runs the vertex stage and unbinds the sources and the
    // target. The frame target's draws use it too.
    void drawPass(Platform::Gl::Texture* const* sources, int sourceCount,
                  Platform::Gl::Buffer* constants, const Platform::Gl::BlendState* blend,
                  const float* factor);

    // Binds this program unless the binding cache says it is bound.
    void bind(Platform::Gl::Context& context) const;

    enum class Stage { None, Position, TextureCoordinate };
    Stage stage() const { return stage_; }
    const Platform::Gl::Program* program() const { return program_.get(); }
    Direct3DService* service() const { return service_; }

private:
    // Binds the target, then one pass (drawPass).
    template <class Target>
    void passInto(Target& target, std::initializer_list<Platform::Gl::Texture*> sources,
                  Platform::Gl::Buffer* constants, const Platform::Gl::BlendState* blend,
                  const float* factor);

    Direct3DService* service_;
    std::unique_ptr<Platform::Gl::Program> program_;
    VertexStage vertexStage_;
    Stage stage_ = Stage::None;
};

}  // namespace Media
