#include "effects/clip/ClipCoverage.h"

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

void multiplyByCoverage(Media::PixelShader& shader, Media::ResourceBuffer& image, Platform::Gl::Buffer& constants) {
    shader.draw(image, &constants, Resource::ResourceService::Get().blendStateList.get(kMultiplyAlpha));
}

}  // namespace Effect::Clip
