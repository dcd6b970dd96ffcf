#include "effects/clip/ClipCoverage.h"

#include "media/gpu/ConstantBufferCommon.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/ResourceService.h"

#include <string>

namespace Effect::Clip {

namespace {

// Target × source alpha, colour and alpha alike.
constexpr int kMultiplyAlpha = 8;

}  // namespace

std::unique_ptr<Media::PixelShader> loadVariant(const char* code, std::size_t size, const char* define) {
    const std::string text = std::string(define) + std::string(code, size);
    auto shader = std::make_unique<Media::PixelShader>(&Media::Direct3DService::Get());
    shader->loadFromMemory(text.data(), text.size());
    return shader;
}

void multiplyByCoverage(Media::PixelShader& shader, Media::ResourceBuffer& image, const void* constants,
                        UINT size) {
    // Each call uploads its own block, so render threads never share one.
    std::unique_ptr<Platform::Gl::Buffer> buffer;
    Media::ConstantBufferCommon::create(buffer, constants, size);
    shader.draw(image, buffer.get(), Resource::ResourceService::Get().blendStateList.get(kMultiplyAlpha));
}

}  // namespace Effect::Clip
