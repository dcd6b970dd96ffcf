#include "media/gpu/ComputeShader.h"

#include "media/gpu/Direct3DService.h"
#include "platform/gl/GlCommands.h"

#include <string>
#include <string_view>

namespace Media {

ComputeShader::ComputeShader(Direct3DService* service) : service_(service) {}

ComputeShader::~ComputeShader() { program_.reset(); }

void ComputeShader::loadFromMemory(const char* code, std::size_t size) {
    program_.reset();
    program_ = std::make_unique<Platform::Gl::Program>(
        *service_->device, Platform::Gl::Stage::Compute, std::string_view(code, size),
        "glCreateShaderProgramv", "Media::ComputeShader::loadFromMemory");
}

void ComputeShader::loadFromSource(const char* sourceName, const char* sourceText,
                                   const char* entryPoint) {
    const std::string code = compileFromMemory(sourceName, sourceText, entryPoint, "cs_5_0");
    loadFromMemory(code.data(), code.size());
}

void ComputeShader::dispatch(UINT x, UINT y, UINT z) {
    Platform::Gl::Context& context = service_->context();
    Platform::Gl::BindingCache& cache = context.bindings();
    if (program_ && cache.computeShader != program_->id()) {
        Platform::Gl::useProgram(context, *program_);
        cache.computeShader = program_->id();
    }
    Platform::Gl::dispatch(context, x, y, z);
}

}  // namespace Media
