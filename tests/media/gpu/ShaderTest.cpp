// Pixel, vertex and compute programs: vertex-stage choice from the input
// signature, full-target passes with blends and the binding cache, packed
// constant blocks, image writes and the shared helpers.
#include "media/gpu/ComputeShader.h"
#include "media/gpu/ConstantBufferCommon.h"
#include "media/GpuFixture.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexShader.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace {

using Media::PixelShader;
using Media::ResourceBuffer;
using MediaTest::expectNear;
using MediaTest::Rgba;

class ShaderTest : public MediaTest::GpuTest {
protected:
    static void fill(ResourceBuffer& buffer, Rgba colour) { buffer.clear(colour.data()); }
};

constexpr const char* kSolid = R"(
layout(location = 0) out vec4 result;
void main() { result = vec4(0.2, 0.3, 0.4, 0.5); })";

TEST_F(ShaderTest, VertexStageIsChosenFromTheInputSignature) {
    struct Case {
        const char* name;
        const char* inputs;
        PixelShader::Stage stage;
    };
    const Case cases[] = {
        {"position only", "", PixelShader::Stage::Position},
        {"float2 TEXCOORD", "layout(location = 0) in vec2 TEXCOORD;",
         PixelShader::Stage::TextureCoordinate},
        {"COLOR", "layout(location = 0) in vec4 COLOR;", PixelShader::Stage::None},
        {"integer TEXCOORD", "layout(location = 0) flat in ivec2 TEXCOORD;",
         PixelShader::Stage::None},
        {"three inputs",
         "layout(location = 0) in vec2 TEXCOORD;\nlayout(location = 1) in vec4 COLOR;",
         PixelShader::Stage::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string code = std::string(c.inputs) + kSolid;
        auto shader = pixelShader(code.c_str());
        EXPECT_EQ(shader->stage(), c.stage);
        // A shader without a stage binds and unbinds but draws nothing.
        ResourceBuffer target(2, 2);
        fill(target, {1, 0, 0, 1});
        shader->draw(target, nullptr, nullptr);
        const Rgba expected =
            c.stage == PixelShader::Stage::None ? Rgba{1, 0, 0, 1} : Rgba{0.2f, 0.3f, 0.4f, 0.5f};
        for (const Rgba& p : read(target)) expectNear(p, expected);
    }
}

TEST_F(ShaderTest, StagesGivePixelCentresAndTopDownTextureCoordinates) {
    auto position = pixelShader(R"(
layout(location = 0) out vec4 result;
void main() { result = vec4(gl_FragCoord.xy / 8.0, gl_FragCoord.z, 1.0); })");
    auto texcoord = pixelShader(R"(
layout(location = 0) in vec2 TEXCOORD;
layout(location = 0) out vec4 result;
void main() { result = vec4(TEXCOORD, 0.0, 1.0); })");
    ResourceBuffer target(4, 2);
    position->draw(target, nullptr, nullptr);
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 4; ++x)
            expectNear(pixel(target, x, y), {(x + 0.5f) / 8, (y + 0.5f) / 8, 0, 1});
    texcoord->draw(target, nullptr, nullptr);
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 4; ++x)
            expectNear(pixel(target, x, y), {(x + 0.5f) / 4, (y + 0.5f) / 2, 0, 1});
}

TEST_F(ShaderTest, NullBlendReplacesAndTheCacheSkipsRepeatedBinds) {
    auto shader = pixelShader(kSolid);
    ResourceBuffer target(2, 2);
    fill(target, {1, 1, 1, 1});
    shader->draw(target, nullptr, nullptr);
    expectNear(pixel(target, 0, 0), {0.2f, 0.3f, 0.4f, 0.5f});

    Platform::Gl::BindingCache& cache = service().bindingCache();
    const auto* over = resources().blendStateList.get(0);
    shader->draw(target, nullptr, over);
    EXPECT_EQ(cache.blendState, over->id());
    EXPECT_EQ(cache.pixelShader, shader->program()->id());
    EXPECT_EQ(cache.rasterizerState, resources().rasterizerStateList.get(0)->id());
    EXPECT_EQ(cache.vertexShader, resources().shaderList.positionQuad().shader.program()->id());

    // Blending turned off behind the cache's back: the same draw does not
    // bind again, so it replaces.
    glDisable(GL_BLEND);
    fill(target, {1, 1, 1, 1});
    shader->draw(target, nullptr, over);
    expectNear(pixel(target, 0, 0), {0.2f, 0.3f, 0.4f, 0.5f});
    // A cleared entry makes the next draw bind: source over the target.
    cache.blendState = 0;
    fill(target, {1, 1, 1, 1});
    shader->draw(target, nullptr, over);
    expectNear(pixel(target, 0, 0), {0.7f, 0.8f, 0.9f, 1.0f});
}

TEST_F(ShaderTest, ABlendFactorIsBoundWithEveryDraw) {
    auto shader = pixelShader(kSolid);
    const auto* mix = resources().blendStateList.get(20);  // src * F + dst * (1 - F)
    ResourceBuffer target(1, 1);
    struct Case {
        float factor;
        Rgba expected;
    };
    const Case cases[] = {{1.0f, {0.2f, 0.3f, 0.4f, 0.5f}},
                          {0.0f, {1, 0, 1, 1}},
                          {0.5f, {0.6f, 0.15f, 0.7f, 0.75f}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        fill(target, {1, 0, 1, 1});
        const float factor[4] = {c.factor, c.factor, c.factor, c.factor};
        service().setRenderTarget(target);
        shader->drawPass(nullptr, 0, nullptr, mix, factor);
        expectNear(pixel(target, 0, 0), c.expected);
    }
}

// The block as HLSL packs it: a float3 right after a float, an int at 16.
struct PackedBlock {
    float a;
    float b[3];
    std::int32_t c;
    float d[2];
    float e;
    float f[4];
};
static_assert(offsetof(PackedBlock, b) == 4 && offsetof(PackedBlock, c) == 16 &&
              offsetof(PackedBlock, d) == 20 && offsetof(PackedBlock, e) == 28 &&
              offsetof(PackedBlock, f) == 32 && sizeof(PackedBlock) == 48);

TEST_F(ShaderTest, PackedConstantBlocksUnpackAtTheirByteOffsets) {
    auto shader = pixelShader(R"(
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 c[3]; };
layout(location = 0) out vec4 result;
void main() {
    int x = int(gl_FragCoord.x);
    float a = c[0].x; vec3 b = c[0].yzw;
    int i = floatBitsToInt(c[1].x); vec2 d = c[1].yz; float e = c[1].w;
    vec4 f = c[2];
    result = x == 0 ? vec4(a, b) : x == 1 ? vec4(float(i), d, e) : f;
})");
    PackedBlock block{0.5f, {0.25f, 0.75f, 1.5f}, -7, {2, 3}, 0.125f, {4, 5, 6, 7}};
    std::unique_ptr<Platform::Gl::Buffer> buffer;
    Media::ConstantBufferCommon::create(buffer, nullptr, sizeof block);
    buffer->update(&block);
    ResourceBuffer target(3, 1);
    shader->draw(target, buffer.get(), nullptr);
    expectNear(pixel(target, 0, 0), {0.5f, 0.25f, 0.75f, 1.5f});
    expectNear(pixel(target, 1, 0), {-7, 2, 3, 0.125f});
    expectNear(pixel(target, 2, 0), {4, 5, 6, 7});
}

TEST_F(ShaderTest, AComputeShaderWritesAnImageThatLaterPassesRead) {
    Media::ComputeShader kernel(&service());
    const char* code = R"(
layout(local_size_x = 4, local_size_y = 4) in;
layout(binding = U_SLOT(0), rgba16f) uniform writeonly image2D dst;
void main() {
    ivec2 p = ivec2(gl_GlobalInvocationID.xy);
    imageStore(dst, p, vec4(p, 1.0, 2.0) / 8.0);
})";
    kernel.loadFromMemory(code, std::strlen(code));
    ResourceBuffer image(8, 8);
    service().setComputeUnorderedAccessView(0, image);
    kernel.dispatch(2, 2, 1);
    EXPECT_EQ(service().bindingCache().computeShader, kernel.program()->id());
    ResourceBuffer copy(8, 8);
    resources().shaderList.general(Resource::ShaderList::Copy).draw(copy, image, nullptr);
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 8; ++x) expectNear(pixel(copy, x, y), {x / 8.0f, y / 8.0f, 0.125f, 0.25f});
}

TEST_F(ShaderTest, SharedHelpersFollowHlslArithmeticAndReadZeroOutside) {
    Media::ComputeShader kernel(&service());
    const char* code = R"(
layout(local_size_x = 10) in;
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(binding = U_SLOT(0), r32f) uniform writeonly image2D dst;
void main() {
    int i = int(gl_GlobalInvocationID.x);
    float v[10] = float[](float(hlslDivide(-7, 2)), float(hlslRemainder(-7, 2)),
                          float(hlslDivide(7, -2)), float(hlslRemainder(7, -2)),
                          hlslFmod(-7.5, 2.0), hlslFmod(7.5, -2.0),
                          loadTexel(texture0, ivec2(-1, 0)).a, loadTexel(texture0, ivec2(2, 1)).a,
                          loadTexel(texture0, ivec2(1, 2)).a, loadTexel(texture0, ivec2(1, 1)).a);
    imageStore(dst, ivec2(i, 0), vec4(v[i]));
})";
    kernel.loadFromMemory(code, std::strlen(code));
    auto white = picture(2, 2, [](UINT, UINT) { return Rgba{1, 1, 1, 1}; });
    ResourceBuffer results(10, 1, DXGI_FORMAT_R32_FLOAT);
    Platform::Gl::bindTexture(service().context(), Platform::Gl::Stage::Compute, 0,
                              white->getTexture());
    service().setComputeUnorderedAccessView(0, results);
    kernel.dispatch(1, 1, 1);
    const float expected[10] = {-3, -1, -3, 1, -1.5f, 1.5f, 0, 0, 0, 1};
    const auto values = read(results);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(values[i][0], expected[i]) << "case " << i;
}

TEST_F(ShaderTest, InputLayoutFollowsTheSignature) {
    Media::VertexShader shader(&service());
    const char* code = R"(
layout(location = 0) in vec4 POSITION;
layout(location = 1) in vec4 COLOR;
layout(location = 2) in float COLOR1;
layout(location = 3) in vec4 NORMAL;
layout(location = 4) in ivec2 TEXCOORD2;
void main() { gl_Position = POSITION + COLOR * COLOR1 + NORMAL + vec4(TEXCOORD2, 0, 0); })";
    shader.loadFromMemory(code, std::strlen(code));
    struct Expected {
        const char* semantic;
        int index;
        int format;
    };
    const Expected expected[] = {{"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT},
                                 {"COLOR", 0, DXGI_FORMAT_R32G32B32A32_FLOAT},
                                 {"COLOR", 1, DXGI_FORMAT_R32_FLOAT},
                                 {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT},
                                 {"TEXCOORD", 2, DXGI_FORMAT_R32G32_SINT}};
    const auto& elements = shader.inputLayout()->elements;
    ASSERT_EQ(elements.size(), std::size(expected));
    for (std::size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(elements[i].semanticName, expected[i].semantic);
        EXPECT_EQ(elements[i].semanticIndex, expected[i].index);
        EXPECT_EQ(elements[i].format, expected[i].format);
    }

    const char* doubles = R"(
layout(location = 0) in dvec2 POSITION;
void main() { gl_Position = vec4(POSITION, 0, 1); })";
    try {
        shader.loadFromMemory(doubles, std::strlen(doubles));
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Direct3D.device->CreateInputLayout() failed.", 0), 0u);
    }
    EXPECT_EQ(shader.program(), nullptr);
}

TEST_F(ShaderTest, AFailedCompileLeavesTheShaderEmptyWithTheCompilerLog) {
    auto shader = pixelShader(kSolid);
    const char* broken = "layout(location = 0) out vec4 result;\nvoid main() { result = 1.0 + ; }";
    try {
        shader->loadFromMemory(broken, std::strlen(broken));
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("glCreateShaderProgramv() failed.\n\n[Note]\nHRESULT: 0x80004005\n", 0), 0u)
            << text;
        // Mesa writes "0:2(30)", others "0(2)": line 2 of the shader's own text.
        EXPECT_TRUE(text.find(":2(") != std::string::npos || text.find("(2)") != std::string::npos)
            << text;
        EXPECT_NE(text.find("[Place]\nMedia::PixelShader::loadFromMemory()"), std::string::npos);
    }
    EXPECT_EQ(shader->program(), nullptr);
}

// A draw that fails after binding its target leaves it attached; the
// target may still go before the thread draws again.
TEST_F(ShaderTest, ATargetLeftAttachedByAFailedDrawMayBeDestroyed) {
    {
        ResourceBuffer target(2, 2);
        ResourceBuffer empty(0, 0);
        EXPECT_THROW(resources().shaderList.general(Resource::ShaderList::Copy).draw(target, empty, nullptr), System::Exception);
    }
    auto shader = pixelShader(kSolid);
    ResourceBuffer next(2, 2);
    shader->draw(next, nullptr, nullptr);
    expectNear(pixel(next, 1, 1), {0.2f, 0.3f, 0.4f, 0.5f});
}

}  // namespace
