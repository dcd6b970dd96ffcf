#pragma once
// Shader text handed in at run time, compiled into program text with its
// reflection. The "bytecode" of this layer is GLSL stage text that starts
// with its reflection, so loadFromMemory takes it as it takes built-in text.
//
// - Profiles "ps_5_0", "cs_5_0" and "vs_5_0" (any shader model 4 or 5
//   profile of those stages) are compiled; warnings fail like errors.
// - Failures throw "D3DCompile() failed" with the compiler's text as note;
//   nothing is bound, so a failed compile leaves no GL state behind.
// Any thread may compile.
#include "platform/gl/HlslCompiler.h"

#include <cstddef>
#include <memory>
#include <string>

namespace Media {

using ShaderReflection = Platform::Gl::ShaderReflection;

class ShaderCompile {
public:
    static std::string compileFromMemory(const char* sourceName, const char* sourceText,
                                         const char* entryPoint, const char* profile);
    // Throws "D3DReflect" (E_INVALIDARG) for text that carries no reflection.
    static std::shared_ptr<const ShaderReflection> getShaderReflection(const void* bytecode,
                                                                       std::size_t size);
};

}  // namespace Media
