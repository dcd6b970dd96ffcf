#include "media/gpu/PixelShader.h"

#include "media/gpu/Direct3DService.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/resource/ResourceService.h"
#include "platform/gl/GlCommands.h"

#include <initializer_list>
#include <string>
#include <strings.h>
#include <string_view>

namespace Media {

namespace {

using Platform::Gl::BlendState;

void runStage(PixelShader* shader, ScreenQuadShader& quad, const BlendState* blend,
              const float* factor) {
    Resource::ResourceService& resources = Resource::ResourceService::Get();
    Platform::Gl::Context& context = shader->service()->context();
    Platform::Gl::BindingCache& cache = context.bindings();
    const Platform::Gl::RasterizerState* rasterizer = resources.rasterizerStateList.get(0);
    if (cache.rasterizerState != rasterizer->id()) rasterizer->bind(context);
    const BlendState* state = blend ? blend : resources.blendStateList.get(4);
    if (cache.blendState != state->id() || factor) state->bind(context, factor);
    quad.shader.bind(context);
    shader->bind(context);
    quad.draw(context);
}

}  // namespace

PixelShader::PixelShader(Direct3DService* service)
    : service_(service), vertexStage_([](PixelShader*, const BlendState*, const float*) {}) {}

PixelShader::~PixelShader() {
    vertexStage_ = nullptr;
    program_.reset();
}

void PixelShader::loadFromMemory(const char* code, std::size_t size) {
    program_.reset();
    program_ = std::make_unique<Platform::Gl::Program>(
        *service_->device, Platform::Gl::Stage::Pixel, std::string_view(code, size),
        "glCreateShaderProgramv", "Media::PixelShader::loadFromMemory");
    selectVertexStage(code, size);
}

void PixelShader::loadFromSource(const char* sourceName, const char* sourceText,
                                 const char* entryPoint) {
    const std::string code = compileFromMemory(sourceName, sourceText, entryPoint, "ps_5_0");
    loadFromMemory(code.data(), code.size());
}

namespace {

using Platform::Gl::Program;

// Compiled text carries its signature; GLSL written by hand declares its
// inputs after SV_Position, which is gl_FragCoord: always there, never
// declared.
PixelShader::Stage stageOf(std::string_view code) {
    using Stage = PixelShader::Stage;
    const auto isFloat = [](Program::ComponentType type) { return type == Program::ComponentType::Float; };
    ShaderReflection reflection;
    if (Platform::Gl::readReflection(code, reflection)) {
        const auto& inputs = reflection.inputs;
        const bool position = !inputs.empty() && isFloat(inputs[0].componentType) &&
                              strncasecmp(inputs[0].semanticName.c_str(), "SV_Position", 11) == 0;
        if (position && inputs.size() == 1) return Stage::Position;
        if (position && inputs.size() == 2 && isFloat(inputs[1].componentType) &&
            inputs[1].semanticName.starts_with("TEXCOORD"))
            return Stage::TextureCoordinate;
        return Stage::None;
    }
    const auto inputs = Program::parseInputs(code);
    if (inputs.empty()) return Stage::Position;
    if (inputs.size() == 1 && std::string_view(inputs[0].name).starts_with("TEXCOORD") &&
        isFloat(inputs[0].type))
        return Stage::TextureCoordinate;
    return Stage::None;
}

}  // namespace

void PixelShader::selectVertexStage(const char* code, std::size_t size) {
    const Stage stage = stageOf(std::string_view(code, size));
    if (stage == Stage::Position) {
        stage_ = Stage::Position;
        vertexStage_ = [](PixelShader* shader, const BlendState* blend, const float* factor) {
            runStage(shader, Resource::ResourceService::Get().shaderList.positionQuad(), blend, factor);
        };
    } else if (stage == Stage::TextureCoordinate) {
        stage_ = Stage::TextureCoordinate;
        vertexStage_ = [](PixelShader* shader, const BlendState* blend, const float* factor) {
            runStage(shader, Resource::ResourceService::Get().shaderList.texcoordQuad(), blend, factor);
        };
    }
}

void PixelShader::bind(Platform::Gl::Context& context) const {
    if (!program_) return;
    Platform::Gl::BindingCache& cache = context.bindings();
    if (cache.pixelShader == program_->id()) return;
    Platform::Gl::useProgram(context, *program_);
    cache.pixelShader = program_->id();
}

void PixelShader::drawPass(Platform::Gl::Texture* const* sources, int sourceCount,
                           Platform::Gl::Buffer* constants, const BlendState* blend,
                           const float* factor) {
    Platform::Gl::Context& context = service_->context();
    using Platform::Gl::Stage;
    if (constants) Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, constants);
    for (int i = 0; i < sourceCount; ++i)
        Platform::Gl::bindTexture(context, Stage::Pixel, i, sources[i]);
    vertexStage_(this, blend, factor);
    for (int i = 0; i < sourceCount; ++i)
        Platform::Gl::bindTexture(context, Stage::Pixel, i, nullptr);
    service_->unsetRenderTargets();
}

template <class Target>
void PixelShader::passInto(Target& target, std::initializer_list<Platform::Gl::Texture*> sources,
                           Platform::Gl::Buffer* constants, const BlendState* blend,
                           const float* factor) {
    service_->setRenderTarget(target);
    drawPass(sources.begin(), static_cast<int>(sources.size()), constants, blend, factor);
}

void PixelShader::draw(ResourceBuffer& target, Platform::Gl::Buffer* constants,
                       const BlendState* blend) {
    passInto(target, {}, constants, blend, nullptr);
}

void PixelShader::draw(ResourceBuffer& target, ResourceBuffer& source,
                       Platform::Gl::Buffer* constants, const BlendState* blend) {
    passInto(target, {&source.getShaderResourceView()}, constants, blend, nullptr);
}

void PixelShader::draw(ResourceBuffer& target, ResourceBuffer& source, const BlendState* blend) {
    passInto(target, {&source.getShaderResourceView()}, nullptr, blend, nullptr);
}

void PixelShader::draw(ResourceBuffer& target, ResourceBuffer& source0, ResourceBuffer& source1,
                       const BlendState* blend) {
    passInto(target, {&source0.getShaderResourceView(), &source1.getShaderResourceView()}, nullptr,
             blend, nullptr);
}

void PixelShader::draw(RenderBuffer& target, ResourceBuffer& source, Platform::Gl::Buffer* constants,
                       const BlendState* blend) {
    passInto(target, {&source.getShaderResourceView()}, constants, blend, nullptr);
}

void PixelShader::draw(RenderBuffer& target, ResourceBuffer& source, const float* factor,
                       const BlendState* blend) {
    passInto(target, {&source.getShaderResourceView()}, nullptr, blend, factor);
}

void PixelShader::draw(RenderBuffer& target, ResourceBuffer& source) {
    passInto(target, {&source.getShaderResourceView()}, nullptr, nullptr, nullptr);
}

void PixelShader::draw(RenderBuffer& target, ResourceBuffer& source0, ResourceBuffer& source1,
                       const BlendState* blend) {
    passInto(target, {&source0.getShaderResourceView(), &source1.getShaderResourceView()}, nullptr,
             blend, nullptr);
}

void PixelShader::draw(RenderBuffer& target, Platform::Gl::Texture& view, const BlendState* blend) {
    passInto(target, {&view}, nullptr, blend, nullptr);
}

void PixelShader::draw(ResourceBuffer& target, RenderBuffer& source) {
    passInto(target, {&source.createShaderResourceView()}, nullptr, nullptr, nullptr);
}

}  // namespace Media
