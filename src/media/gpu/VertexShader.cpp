#include "media/gpu/VertexShader.h"

#include "core/base/Exception.h"
#include "media/gpu/Direct3DService.h"
#include "platform/gl/DxgiFormat.h"

#include <string_view>

namespace Media {

namespace {

constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);

bool startsWith(const std::string& text, const char* prefix) {
    return std::string_view(text).starts_with(prefix);
}

// "TEXCOORD1" -> ("TEXCOORD", 1).
Platform::Gl::InputElement elementOf(const Platform::Gl::Program::Input& input) {
    std::size_t end = input.name.size();
    while (end > 0 && input.name[end - 1] >= '0' && input.name[end - 1] <= '9') --end;
    const int index = end < input.name.size() ? std::stoi(input.name.substr(end)) : 0;
    return {input.name.substr(0, end), index, VertexShader::elementFormat(input), input.location};
}

}  // namespace

VertexShader::VertexShader(Direct3DService* service) : service_(service) {}

VertexShader::~VertexShader() {
    layout_.reset();
    program_.reset();
}

int VertexShader::elementFormat(const Platform::Gl::Program::Input& input) {
    using Type = Platform::Gl::Program::ComponentType;
    if (input.type == Type::Other) return DXGI_FORMAT_UNKNOWN;
    const int kind = input.type == Type::Uint ? 0 : input.type == Type::Int ? 1 : 2;
    static const int one[] = {DXGI_FORMAT_R32_UINT, DXGI_FORMAT_R32_SINT, DXGI_FORMAT_R32_FLOAT};
    static const int two[] = {DXGI_FORMAT_R32G32_UINT, DXGI_FORMAT_R32G32_SINT,
                              DXGI_FORMAT_R32G32_FLOAT};
    static const int three[] = {DXGI_FORMAT_R32G32B32_UINT, DXGI_FORMAT_R32G32B32_SINT,
                                DXGI_FORMAT_R32G32B32_FLOAT};
    static const int four[] = {DXGI_FORMAT_R32G32B32A32_UINT, DXGI_FORMAT_R32G32B32A32_SINT,
                               DXGI_FORMAT_R32G32B32A32_FLOAT};
    switch (input.components) {
        case 1: return one[kind];
        case 2: return two[kind];
        case 3: return three[kind];
        default:
            return startsWith(input.name, "POSITION") || startsWith(input.name, "NORMAL")
                       ? three[kind]
                       : four[kind];
    }
}

void VertexShader::loadFromMemory(const char* code, std::size_t size) {
    layout_.reset();
    program_.reset();
    program_ = std::make_unique<Platform::Gl::Program>(
        *service_->device, Platform::Gl::Stage::Vertex, std::string_view(code, size),
        "glCreateShaderProgramv", "Media::VertexShader::loadFromMemory");
    try {
        createInputLayout(code, size);
    } catch (...) {
        program_.reset();
        throw;
    }
}

void VertexShader::createInputLayout(const char* code, std::size_t size) {
    auto layout = std::make_unique<Platform::Gl::InputLayout>();
    for (const auto& input : Platform::Gl::Program::parseInputs(std::string_view(code, size))) {
        layout->elements.push_back(elementOf(input));
        // A layout with an element no vertex can hold is refused, as D3D does.
        if (layout->elements.back().format == DXGI_FORMAT_UNKNOWN)
            throw System::makeHResultException("Direct3D.device->CreateInputLayout",
                                               "Media::VertexShader::createInputLayout",
                                               kInvalidArgument);
    }
    layout_ = std::move(layout);
}

void VertexShader::bind(Platform::Gl::Context& context) const {
    if (!program_) return;
    Platform::Gl::BindingCache& cache = context.bindings();
    if (cache.vertexShader == program_->id()) return;
    Platform::Gl::useProgram(context, *program_);
    if (layout_) Platform::Gl::applyInputLayout(context, *layout_);
    cache.vertexShader = program_->id();
}

}  // namespace Media
