#include "media/gpu/ShaderCompile.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "media/gpu/Direct3DService.h"
#include "platform/gl/GlFormat.h"

#include <cstring>
#include <string_view>

namespace Media {

namespace {

constexpr const char* kCompilePlace = "Media::ShaderCompile::compileFromMemory";
constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);

bool stageOf(std::string_view profile, Platform::Gl::Stage& stage) {
    const bool model = profile.ends_with("_5_0") || profile.ends_with("_4_0") ||
                       profile.ends_with("_4_1");
    if (!model) return false;
    if (profile.starts_with("ps_")) stage = Platform::Gl::Stage::Pixel;
    else if (profile.starts_with("cs_")) stage = Platform::Gl::Stage::Compute;
    else if (profile.starts_with("vs_")) stage = Platform::Gl::Stage::Vertex;
    else return false;
    return true;
}

// Storage images take the qualifier of the working pixel format.
const char* storageImageFormat() {
    auto* service = System::Singleton<Direct3DService>::getInstance();
    const Platform::Gl::Format* format =
        service ? Platform::Gl::findFormat(service->pixelFormat) : nullptr;
    return format && format->imageQualifier ? format->imageQualifier : "rgba16f";
}

}  // namespace

std::string ShaderCompile::compileFromMemory(const char* sourceName, const char* sourceText,
                                             const char* entryPoint, const char* profile) {
    if (!sourceText || !entryPoint || !profile)
        throw System::makeHResultException("D3DCompile", kCompilePlace, kInvalidArgument);
    Platform::Gl::Stage stage;
    if (!stageOf(profile, stage))
        throw System::makeException(kCompilePlace, "D3DCompile() failed",
                                    (std::string("unsupported profile ") + profile).c_str());
    try {
        Platform::Gl::HlslOptions options;
        options.storageImageFormat = storageImageFormat();
        return Platform::Gl::compileHlsl(sourceName, std::string_view(sourceText, std::strlen(sourceText)),
                                         entryPoint, stage, options);
    } catch (const Platform::Gl::HlslCompileError& error) {
        if (!*error.what()) throw System::makeHResultException("D3DCompile", kCompilePlace, kFail);
        throw System::makeException(kCompilePlace, "D3DCompile() failed", error.what());
    }
}

std::shared_ptr<const ShaderReflection> ShaderCompile::getShaderReflection(const void* bytecode,
                                                                           std::size_t size) {
    auto reflection = std::make_shared<ShaderReflection>();
    if (!bytecode ||
        !Platform::Gl::readReflection(std::string_view(static_cast<const char*>(bytecode), size),
                                      *reflection))
        throw System::makeHResultException("D3DReflect", "Media::ShaderCompile::getShaderReflection",
                                           kInvalidArgument);
    return reflection;
}

}  // namespace Media
