#include "effects/blur/BokashiFilter.h"

#include "embedded/embedded_BoxBlurPass_comp.h"
#include "embedded/embedded_BoxBlurPass_frag.h"
#include "core/base/Exception.h"
#include "effect/registry/EffectService.h"
#include "effects/base/HeldPrototype.h"
#include "effects/base/ItemValues.h"
#include "media/gpu/ComputeShader.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/resource/ResourceService.h"
#include "media/resource/TransitionList.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlFormat.h"
#include "render/context/ObjectContext.h"

#include <string>

namespace Effect {

namespace {

const char* const kModeDefines[3] = {"#define GROW 1\n", "#define KEEP 1\n", "#define CLAMP 1\n"};

std::string variant(int index, const char* code, const std::string& head = {}) {
    return head + kModeDefines[index / 2] + (index % 2 ? "#define VERTICAL 1\n" : "") + code;
}

// Compute passes write pictures of the working format through an image
// unit, whose declared format must be the texture's.
std::string imageFormatDefine(const Media::Direct3DService& service) {
    const Platform::Gl::Format* format = Platform::Gl::findFormat(service.pixelFormat);
    return std::string("#define PIXEL_IMAGE_FORMAT ") +
           (format && format->imageQualifier ? format->imageQualifier : "rgba16f") + "\n";
}

int modeOf(int mode) { return mode == BokashiFilter::Keep || mode == BokashiFilter::Clamp ? mode : 0; }

}  // namespace

BokashiFilter::CommonResource::CommonResource() {
    Media::Direct3DService& service = Media::Direct3DService::Get();
    const std::string format = imageFormatDefine(service);
    for (int index = 0; index < 6; ++index) {
        const std::string pixel = variant(index, embedded_BoxBlurPass_frag);
        pixelShaders[static_cast<std::size_t>(index)] = std::make_unique<Media::PixelShader>(&service);
        pixelShaders[static_cast<std::size_t>(index)]->loadFromMemory(pixel.data(), pixel.size());
    }
    for (int index = 0; index < 6; ++index) {
        const std::string compute = variant(index, embedded_BoxBlurPass_comp, format);
        computeShaders[static_cast<std::size_t>(index)] = std::make_unique<Media::ComputeShader>(&service);
        computeShaders[static_cast<std::size_t>(index)]->loadFromMemory(compute.data(), compute.size());
    }
}

BokashiFilter::CommonResource::~CommonResource() = default;

void BokashiFilter::installTransitionBlur(EffectService& service) {
    Resource::TransitionEffects effects = Resource::TransitionEffects::installed();
    effects.blur = [prototype = HeldPrototype<BokashiFilter>(service)](Image image, int radius, float aspect,
                                                                         int mode) {
        Image result;
        prototype.lock()->blur(result, std::move(image), radius, aspect, mode);
        return result;
    };
    Resource::TransitionEffects::install(std::move(effects));
}

BokashiFilter::BokashiFilter()
    : SharedResourceEffect(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, L"ぼかし"),
      range(items, L"範囲", 5, 0, 1000, 1),
      aspect(items, L"縦横比", 0, -100, 100, 0.01),
      lightStrength(items, L"光の強さ", 0, 0, 60, 0.1),
      fixedSize(items, L"サイズ固定") {}

void BokashiFilter::boxBlurPass(Image& result, Image input, Media::PixelShader& shader, int width,
                                int height, int radius) {
    if (radius == 0) {
        result = std::move(input);
        return;
    }
    // Every pixel is written by the pass.
    auto output = std::make_unique<Media::ResourceBuffer>(static_cast<UINT>(width), static_cast<UINT>(height),
                                                          Media::Direct3DService::Get().pixelFormat,
                                                          Media::ResourceBuffer::Contents::Undefined);
    Platform::Gl::Buffer& constants =
        common->setConstant({width, height, radius, 1.0f / static_cast<float>(2 * radius + 1)});
    shader.draw(*output, *input, &constants, nullptr);
    input.reset();
    result = std::move(output);
}

void BokashiFilter::boxBlurPassCompute(Image& result, Image input, Media::ComputeShader& shader,
                                       int width, int height, int radius, UINT groupsX, UINT groupsY) {
    if (radius == 0) {
        result = std::move(input);
        return;
    }
    Media::Direct3DService& service = Media::Direct3DService::Get();
    // Every pixel is written by the kernel.
    auto output = std::make_unique<Media::ResourceBuffer>(static_cast<UINT>(width), static_cast<UINT>(height),
                                                          service.pixelFormat,
                                                          Media::ResourceBuffer::Contents::Undefined);
    Platform::Gl::Context& context = service.context();
    using Platform::Gl::Stage;
    Platform::Gl::Buffer& constants =
        common->setConstant({width, height, radius, 1.0f / static_cast<float>(2 * radius + 1)});
    Platform::Gl::bindConstantBuffer(context, Stage::Compute, 0, &constants);
    Platform::Gl::bindTexture(context, Stage::Compute, 0, &input->getShaderResourceView());
    service.setComputeUnorderedAccessView(0, *output);
    // Groups of eight lines; the other axis is always 1.
    shader.dispatch((groupsX + linesPerGroup - 1) / linesPerGroup, (groupsY + linesPerGroup - 1) / linesPerGroup,
                    1);
    Platform::Gl::bindTexture(context, Stage::Compute, 0, nullptr);
    Platform::Gl::bindImage(context, 0, nullptr, Platform::Gl::ImageStage::Compute);
    input.reset();
    result = std::move(output);
}

void BokashiFilter::pass(Image& image, bool compute, int mode, bool vertical, int width, int height,
                         int radius) {
    const std::size_t index = static_cast<std::size_t>(mode * 2 + (vertical ? 1 : 0));
    Image output;
    if (compute)
        boxBlurPassCompute(output, std::move(image), *common->computeShaders[index], width, height, radius,
                           vertical ? static_cast<UINT>(width) : 1u,
                           vertical ? 1u : static_cast<UINT>(height));
    else
        boxBlurPass(output, std::move(image), *common->pixelShaders[index], width, height, radius);
    image = std::move(output);
}

namespace {

// The radii of the two axes for a radius and an aspect.
void splitRadius(int radius, float aspect, int& vertical, int& horizontal) {
    vertical = horizontal = radius;
    if (aspect > 0.0f) {
        vertical = static_cast<int>((1.0f - aspect) * static_cast<float>(radius));
        if (vertical < 1) vertical = 0;
    } else if (aspect < 0.0f) {
        horizontal = static_cast<int>((1.0f + aspect) * static_cast<float>(radius));
        if (horizontal < 1) horizontal = 0;
    }
}

}  // namespace

void BokashiFilter::blur(Image& result, Image input, int radius, float aspectValue, int mode) {
    int vertical = 0, horizontal = 0;
    splitRadius(radius, aspectValue, vertical, horizontal);
    blur(result, std::move(input), radius, aspectValue, mode, vertical + horizontal >= computeThreshold);
}

void BokashiFilter::blur(Image& result, Image input, int radius, float aspectValue, int mode, bool compute) {
    if (radius == 0 || !input) {
        result = std::move(input);
        return;
    }
    int vertical = 0, horizontal = 0;
    splitRadius(radius, aspectValue, vertical, horizontal);
    mode = modeOf(mode);
    const int v1 = vertical - vertical / 2, v2 = vertical / 2;
    const int h1 = horizontal - horizontal / 2, h2 = horizontal / 2;
    int width = static_cast<int>(input->getWidth());
    int height = static_cast<int>(input->getHeight());
    const bool grow = mode == Grow;
    Image image = std::move(input);
    if (grow) height += 2 * v1;
    pass(image, compute, mode, true, width, height, v1);
    if (grow) width += 2 * h1;
    pass(image, compute, mode, false, width, height, h1);
    if (grow) height += 2 * v2;
    pass(image, compute, mode, true, width, height, v2);
    if (grow) width += 2 * h2;
    pass(image, compute, mode, false, width, height, h2);
    result = std::move(image);
}

void BokashiFilter::blurOnce(Image& result, Image input, int radius) {
    if (radius == 0 || !input) {
        result = std::move(input);
        return;
    }
    const bool compute = radius >= computeThreshold;
    const int width = static_cast<int>(input->getWidth()) + 2 * radius;
    const int height = static_cast<int>(input->getHeight()) + 2 * radius;
    Image image = std::move(input);
    pass(image, compute, Grow, true, width - 2 * radius, height, radius);
    pass(image, compute, Grow, false, width, height, radius);
    result = std::move(image);
}

void BokashiFilter::filterVideo(Image& result, Render::ObjectContext& context, Image input) {
    const int strength = roundToInt(lightStrength.getValue(context));
    const int mode = fixedSize.value ? Clamp : Grow;
    const float aspectValue = static_cast<float>(aspect.getValue(context) * 0.01);
    const int radius = roundToInt(range.getValue(context));
    if (strength <= 0 || !input) {
        blur(result, std::move(input), radius, aspectValue, mode);
        return;
    }
    Resource::ShaderList& shaders = Resource::ResourceService::Get().shaderList;
    const float base = static_cast<float>(strength) * 0.15f + 1.0f;
    auto light = std::make_unique<Media::ResourceBuffer>(input->getWidth(), input->getHeight());
    shaders.setConstant(Resource::ShaderList::FloatConstant{base, {}});
    shaders.general(Resource::ShaderList::ToLightSpace).draw(*light, *input, shaders.getConstantBuffer(), nullptr);
    input.reset();
    Image blurred;
    blur(blurred, std::move(light), radius, aspectValue, mode);
    auto output = std::make_unique<Media::ResourceBuffer>(blurred->getWidth(), blurred->getHeight());
    shaders.setConstant(Resource::ShaderList::FloatConstant{1.0f / base, {}});
    shaders.general(Resource::ShaderList::FromLightSpace)
        .draw(*output, *blurred, shaders.getConstantBuffer(), nullptr);
    result = std::move(output);
}

}  // namespace Effect
