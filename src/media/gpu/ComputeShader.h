#pragma once
// A compute program. Its unordered-access targets are bound before every
// dispatch (Direct3DService::setComputeUnorderedAccessView); after the
// dispatch they are fenced and a memory barrier orders the writes against
// every later read. Runs on the calling thread's context.
#include "media/gpu/ShaderBase.h"
#include "platform/WinTypes.h"
#include "platform/gl/GlProgram.h"

#include <cstddef>
#include <memory>

namespace Media {

class Direct3DService;

class ComputeShader : public ShaderBase, public ShaderCompile {
public:
    explicit ComputeShader(Direct3DService* service);
    ~ComputeShader() override;

    // code: GLSL text of the stage. Releases the program held before; a
    // failure leaves the shader empty.
    void loadFromMemory(const char* code, std::size_t size);
    // HLSL text compiled with profile cs_5_0, then loadFromMemory.
    void loadFromSource(const char* sourceName, const char* sourceText, const char* entryPoint);
    // Binds the program unless the binding cache says it is bound.
    void dispatch(UINT x, UINT y, UINT z);

    const Platform::Gl::Program* program() const { return program_.get(); }

private:
    Direct3DService* service_;
    std::unique_ptr<Platform::Gl::Program> program_;
};

}  // namespace Media
