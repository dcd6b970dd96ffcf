#pragma once
// HLSL text handed in at run time (script shaders) turned into the GLSL
// stage text our programs take: glslang reads the HLSL into SPIR-V and
// SPIRV-Cross writes GLSL 4.50 from it.
//
// - Resources get the bindings of their D3D registers in the stage's own
//   range (T_SLOT, B_SLOT, U_SLOT of GlProgram); registers beyond the
//   slots fail the compile.
// - Constant blocks keep HLSL packing: each is read from a vec4 array in
//   a uniform block and unpacked into the block's own struct at the start
//   of main, so a CPU copy laid out as HLSL packs it is uploaded unchanged.
// - Stage inputs are declared under their semantic (TEXCOORD0 ...), the
//   way Program reads an input signature; integer loads outside the
//   picture read 0 as D3D's Load does.
// - The text starts with the reflection as comment lines (readReflection
//   reads it back), so the compiled text describes itself as bytecode does.
// Any thread may compile; nothing touches a GL context.
#include "platform/gl/GlProgram.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace Platform::Gl {

struct ShaderReflection {
    struct Parameter {
        std::string semanticName;  // without its index ("TEXCOORD")
        int semanticIndex = 0;
        Program::ComponentType componentType = Program::ComponentType::Float;
        int mask = 0;  // bit i: component i is declared
    };
    struct Variable {
        std::string name;
        std::uint32_t offset = 0;  // bytes from the block's start, HLSL packing
        std::uint32_t size = 0;    // bytes, the last element unpadded
        std::string type;          // "float3", "int", "float4x4" ...
        std::uint32_t elements = 0;  // array length, 0 for no array
    };
    struct ConstantBuffer {
        std::string name;
        int slot = 0;  // register b<slot>
        std::uint32_t size = 0;  // bytes, a multiple of 16
        std::vector<Variable> variables;
    };
    enum class ResourceType { ConstantBuffer, Texture, Sampler, UnorderedAccess };
    struct Resource {
        std::string name;
        ResourceType type = ResourceType::Texture;
        int slot = 0;
        int count = 1;
    };

    std::vector<Parameter> inputs;
    std::vector<ConstantBuffer> constantBuffers;
    std::vector<Resource> resources;

    const ConstantBuffer* findConstantBuffer(std::string_view name) const;
    const Variable* findVariable(std::string_view name) const;
};

// The compiler's messages (errors, and warnings, which fail as well).
class HlslCompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct HlslOptions {
    // Image format qualifier of storage images declared without one
    // (RWTexture2D<float4> reads as rgba32f otherwise).
    const char* storageImageFormat = "rgba16f";
};

// sourceName names the text in messages and is the folder #include looks
// in. Throws HlslCompileError.
std::string compileHlsl(const char* sourceName, std::string_view text, const char* entryPoint,
                        Stage stage, const HlslOptions& options = {});

// The reflection at the head of compiled text; false when the text carries
// none (GLSL written by hand).
bool readReflection(std::string_view text, ShaderReflection& reflection);

}  // namespace Platform::Gl
