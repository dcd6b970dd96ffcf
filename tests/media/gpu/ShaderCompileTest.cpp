// HLSL text compiled at run time: constant blocks in HLSL packing, textures
// and samplers on their registers, the input signature choosing the vertex
// stage, compute kernels writing pictures, and the errors a script sees.
#include "media/gpu/ShaderCompile.h"

#include "core/CoreTestSupport.h"
#include "core/base/Exception.h"
#include "media/GpuFixture.h"
#include "media/gpu/ComputeShader.h"
#include "media/gpu/PixelShader.h"
#include "platform/gl/GlCommands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Media::PixelShader;
using Media::ResourceBuffer;
using Media::ShaderCompile;
using MediaTest::expectNear;
using MediaTest::Rgba;

class ShaderCompileTest : public MediaTest::GpuTest {};

// float3 members fill the rest of a 16-byte register when they fit and
// start the next one when they do not.
constexpr const char* kMixed = R"(
cbuffer Constant : register(b0) {
    float scale;
    float3 shift;
    int mode;
    float3 tint;
    float bias;
};
Texture2D picture : register(t0);
SamplerState picture_sampler : register(s0);

float4 psMain(float4 pos : SV_Position, float2 uv : TEXCOORD) : SV_Target {
    float4 sampled = picture.Sample(picture_sampler, uv);
    float4 loaded = picture.Load(int3(int2(pos.xy), 0));
    float4 colour = sampled * scale + float4(shift, bias);
    if (mode == -3) colour.rgb += tint;
    return colour + loaded * 0.125;
}
)";

std::string errorOf(const auto& run) {
    try {
        run();
    } catch (const System::Exception& e) {
        return e.what();
    }
    return "no exception";
}

TEST_F(ShaderCompileTest, ConstantBlockKeepsHlslOffsetsAndDrawsTheExpectedColour) {
    const std::string code = ShaderCompile::compileFromMemory("mixed.hlsl", kMixed, "psMain", "ps_5_0");
    auto reflection = ShaderCompile::getShaderReflection(code.data(), code.size());
    ASSERT_EQ(reflection->constantBuffers.size(), 1u);
    const auto& block = reflection->constantBuffers[0];
    EXPECT_EQ(block.name, "Constant");
    EXPECT_EQ(block.slot, 0);
    EXPECT_EQ(block.size, 48u);
    struct Expected {
        const char* name;
        std::uint32_t offset, size;
        const char* type;
    };
    const Expected expected[] = {{"scale", 0, 4, "float"}, {"shift", 4, 12, "float3"},
                                 {"mode", 16, 4, "int"},   {"tint", 20, 12, "float3"},
                                 {"bias", 32, 4, "float"}};
    ASSERT_EQ(block.variables.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(block.variables[i].name, expected[i].name);
        EXPECT_EQ(block.variables[i].offset, expected[i].offset);
        EXPECT_EQ(block.variables[i].size, expected[i].size);
        EXPECT_EQ(block.variables[i].type, expected[i].type);
    }
    // Inputs and resources as a D3D reflection lists them.
    ASSERT_EQ(reflection->inputs.size(), 2u);
    EXPECT_EQ(reflection->inputs[0].semanticName, "SV_Position");
    EXPECT_EQ(reflection->inputs[1].semanticName, "TEXCOORD");
    EXPECT_EQ(reflection->inputs[1].mask, 3);
    bool texture = false, sampler = false;
    for (const auto& resource : reflection->resources) {
        texture |= resource.name == "picture" &&
                   resource.type == Media::ShaderReflection::ResourceType::Texture && resource.slot == 0;
        sampler |= resource.name == "picture_sampler" &&
                   resource.type == Media::ShaderReflection::ResourceType::Sampler;
    }
    EXPECT_TRUE(texture);
    EXPECT_TRUE(sampler);

    // The CPU copy is written at the reflected HLSL offsets, byte for byte.
    std::vector<std::uint8_t> bytes(block.size, 0);
    auto put = [&](const char* name, const void* value, std::size_t size) {
        const auto* variable = reflection->findVariable(name);
        ASSERT_NE(variable, nullptr);
        std::memcpy(bytes.data() + variable->offset, value, size);
    };
    const float scale = 0.5f, shift[3] = {0.125f, 0.25f, 0.0f}, tint[3] = {0.0f, 0.0f, 0.25f},
                bias = 0.375f;
    const std::int32_t mode = -3;
    put("scale", &scale, 4);
    put("shift", shift, 12);
    put("mode", &mode, 4);
    put("tint", tint, 12);
    put("bias", &bias, 4);
    std::unique_ptr<Platform::Gl::Buffer> constants;
    Media::ConstantBufferCommon::create(constants, bytes.data(), block.size);

    PixelShader shader(&service());
    shader.loadFromMemory(code.data(), code.size());
    EXPECT_EQ(shader.stage(), PixelShader::Stage::TextureCoordinate);
    auto source = picture(4, 4, [](UINT x, UINT) { return Rgba{x < 2 ? 0.5f : 1.0f, 0.25f, 0.5f, 1}; });
    ResourceBuffer target(4, 4);
    service().setPixelSampler(resources().samplerStateList.get(0));
    shader.draw(target, *source, constants.get(), nullptr);
    // Pixel (0, 0) samples and loads (0.5, 0.25, 0.5, 1); pixel (3, 1) (1, 0.25, 0.5, 1).
    auto expect = [&](float r) {
        const Rgba s{r, 0.25f, 0.5f, 1};
        return Rgba{s[0] * scale + shift[0] + s[0] * 0.125f, s[1] * scale + shift[1] + s[1] * 0.125f,
                    s[2] * scale + shift[2] + tint[2] + s[2] * 0.125f, s[3] * scale + bias + 0.125f};
    };
    expectNear(pixel(target, 0, 0), expect(0.5f));
    expectNear(pixel(target, 3, 1), expect(1.0f));
}

TEST_F(ShaderCompileTest, LoadsOutsideThePictureReadZero) {
    const char* code = R"(
Texture2D picture : register(t0);
float4 main(float4 pos : SV_Position) : SV_Target {
    return picture.Load(int3(int2(pos.xy) + int2(2, -1), 0)) + float4(0, 0, 0, 0.25);
})";
    PixelShader shader(&service());
    shader.loadFromSource("load.hlsl", code, "main");
    EXPECT_EQ(shader.stage(), PixelShader::Stage::Position);
    auto source = picture(4, 4, [](UINT, UINT) { return Rgba{1, 1, 1, 0.5f}; });
    ResourceBuffer target(4, 4);
    shader.draw(target, *source, nullptr, nullptr);
    expectNear(pixel(target, 0, 0), {0, 0, 0, 0.25f});   // row -1
    expectNear(pixel(target, 1, 2), {1, 1, 1, 0.75f});   // (3, 1)
    expectNear(pixel(target, 2, 2), {0, 0, 0, 0.25f});   // column 4
}

TEST_F(ShaderCompileTest, IncludesAreReadBesideTheSource) {
    CoreTest::TempFolder folder;
    CoreTest::writeBytes(folder.file("common.hlsli"), "float4 tint() { return float4(0.25, 0.5, 0.75, 1); }\n");
    const char* code = "#include \"common.hlsli\"\n"
                       "float4 main(float4 p : SV_Position) : SV_Target { return tint(); }";
    PixelShader shader(&service());
    shader.loadFromSource(folder.file("main.hlsl").c_str(), code, "main");
    ResourceBuffer target(2, 2);
    shader.draw(target, nullptr, nullptr);
    expectNear(pixel(target, 1, 1), {0.25f, 0.5f, 0.75f, 1});
    const std::string missing = errorOf([&] {
        ShaderCompile::compileFromMemory(folder.file("main.hlsl").c_str(), "#include \"none.hlsli\"\n",
                                         "main", "ps_5_0");
    });
    EXPECT_NE(missing.find("D3DCompile() failed"), std::string::npos) << missing;
}

TEST_F(ShaderCompileTest, InputSignatureChoosesTheVertexStage) {
    struct Case {
        const char* name;
        const char* parameters;
        PixelShader::Stage stage;
    };
    const Case cases[] = {
        {"position", "float4 p : SV_Position", PixelShader::Stage::Position},
        {"upper-case position", "float4 p : SV_POSITION", PixelShader::Stage::Position},
        {"texture coordinate", "float4 p : SV_Position, float2 uv : TEXCOORD0",
         PixelShader::Stage::TextureCoordinate},
        {"colour", "float4 p : SV_Position, float4 c : COLOR", PixelShader::Stage::None},
        {"three inputs", "float4 p : SV_Position, float2 uv : TEXCOORD, float4 c : COLOR",
         PixelShader::Stage::None},
        {"no position", "float2 uv : TEXCOORD", PixelShader::Stage::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = std::string("float4 main(") + c.parameters +
                                 ") : SV_Target { return float4(1, 0, 0, 1); }";
        PixelShader shader(&service());
        shader.loadFromSource("stage.hlsl", text.c_str(), "main");
        EXPECT_EQ(shader.stage(), c.stage);
    }
}

TEST_F(ShaderCompileTest, ComputeKernelWritesThePicture) {
    const char* code = R"(
cbuffer Constant : register(b0) { float4 colour; int2 origin; };
RWTexture2D<float4> target : register(u0);
[numthreads(2, 2, 1)]
void main(uint3 id : SV_DispatchThreadID) {
    target[int2(id.xy) + origin] = colour * float(id.x + 1);
})";
    Media::ComputeShader kernel(&service());
    kernel.loadFromSource("kernel.hlsl", code, "main");
    ResourceBuffer target(4, 4);
    const float none[4] = {0, 0, 0, 0};
    target.clear(none);
    struct {
        float colour[4];
        std::int32_t origin[2];
        std::int32_t unused[2];
    } block = {{0.25f, 0.5f, 0.125f, 0.5f}, {1, 2}, {0, 0}};
    std::unique_ptr<Platform::Gl::Buffer> constants;
    Media::ConstantBufferCommon::create(constants, &block, sizeof block);
    Platform::Gl::bindConstantBuffer(service().context(), Platform::Gl::Stage::Compute, 0,
                                     constants.get());
    service().setComputeUnorderedAccessView(0, target);
    kernel.dispatch(1, 1, 1);
    expectNear(pixel(target, 1, 2), {0.25f, 0.5f, 0.125f, 0.5f});
    expectNear(pixel(target, 2, 3), {0.5f, 1.0f, 0.25f, 1.0f});
    expectNear(pixel(target, 0, 0), {0, 0, 0, 0});
}

TEST_F(ShaderCompileTest, FailuresGiveTheCompileExceptionAndBindNothing) {
    struct Case {
        const char* name;
        const char* text;
        const char* profile;
        const char* note;  // part of the compiler's text
    };
    const Case cases[] = {
        {"syntax error", "float4 main() : SV_Target { return float4(1, 0, 0, 1) }", "ps_5_0",
         "broken.hlsl"},
        {"unknown entry point", "float4 other() : SV_Target { return 0; }", "ps_5_0", "Entry point not found"},
        {"texture beyond the slots",
         "Texture2D t : register(t20); float4 main(float4 p : SV_Position) : SV_Target "
         "{ return t.Load(int3(0, 0, 0)); }",
         "ps_5_0", "register t20"},
        {"constant block beyond the slots",
         "cbuffer C : register(b14) { float4 c; }; float4 main() : SV_Target { return c; }", "ps_5_0",
         "register b14"},
        {"unknown profile", "float4 main() : SV_Target { return 0; }", "gs_5_0", "gs_5_0"},
    };
    PixelShader shader(&service());
    const auto boundBefore = service().bindingCache().pixelShader;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = errorOf([&] {
            const std::string code =
                ShaderCompile::compileFromMemory("broken.hlsl", c.text, "main", c.profile);
            shader.loadFromMemory(code.data(), code.size());
        });
        EXPECT_NE(text.find("D3DCompile() failed"), std::string::npos) << text;
        EXPECT_NE(text.find(c.note), std::string::npos) << text;
        EXPECT_EQ(text.find("Media::ShaderCompile::compileFromMemory") == std::string::npos, false)
            << text;
    }
    EXPECT_EQ(shader.program(), nullptr);
    EXPECT_EQ(service().bindingCache().pixelShader, boundBefore);
    // Text without a reflection head is no bytecode of this compiler.
    EXPECT_NE(errorOf([] { ShaderCompile::getShaderReflection("void main() {}", 14); }).find("D3DReflect"),
              std::string::npos);
}

}  // namespace
