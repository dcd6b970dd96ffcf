#include "effects/light/CameraLightBloom.h"

#include "core/base/Singleton.h"
#include "embedded/embedded_LightBloomBox_frag.h"
#include "effects/light/LightCategory.h"
#include "media/gpu/BlendStateList.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ShaderList.h"
#include "render/context/ObjectContext.h"

#include <cmath>
#include <cstring>
#include <string>

namespace Effect {

namespace {

// colour: frame + A × f; alpha: A.alpha × f + frame.alpha × (1 - A.alpha).
constexpr int kBlendAddByFactor = 14;

std::unique_ptr<Media::PixelShader> boxShader(bool vertical) {
    auto shader = std::make_unique<Media::PixelShader>(&Media::Direct3DService::Get());
    const std::string text = std::string(vertical ? "#define VERTICAL 1\n" : "") + embedded_LightBloomBox_frag;
    shader->loadFromMemory(text.data(), text.size());
    return shader;
}

}  // namespace

CameraLightBloom::CommonResource::CommonResource() {
    // Registries made without a GPU (file tools, tests) draw nothing.
    if (!System::Singleton<Media::Direct3DService>::getInstance()) return;
    horizontal = boxShader(false);
    vertical = boxShader(true);
}

CameraLightBloom::CommonResource::~CommonResource() = default;

CameraLightBloom::CameraLightBloom()
    : SharedResourceEffect(Name, EffectKind::Filter, MediaKind::Camera, MediaKind::Camera, cameraCategory),
      strength(items, L"強さ", 100, 0, 500, 0.1),
      spread(items, L"拡散", 400, 0, 2000, 1) {}

void CameraLightBloom::controlVideo(Render::ObjectContext& context) {
    if (!context.view.target) return;
    bloom(*context.view.target, static_cast<float>(strength.getValue(context)),
          static_cast<float>(spread.getValue(context)));
}

void CameraLightBloom::boxBlur(Media::ResourceBuffer& a, Media::ResourceBuffer& b, int radius) {
    if (radius <= 0) return;
    Media::Direct3DService& service = Media::Direct3DService::Get();
    const Constant constant{radius, 1.0f / static_cast<float>(2 * radius + 1), {0.0f, 0.0f}};
    Platform::Gl::Buffer& constants = common->constants.set(&constant);
    Platform::Gl::Texture* fromA[] = {&a.getShaderResourceView()};
    service.setRenderTarget(b);
    common->horizontal->drawPass(fromA, 1, &constants, nullptr, nullptr);
    Platform::Gl::Texture* fromB[] = {&b.getShaderResourceView()};
    service.setRenderTarget(a);
    common->vertical->drawPass(fromB, 1, &constants, nullptr, nullptr);
}

void CameraLightBloom::bloom(Media::RenderBuffer& frame, float strengthValue, float spreadValue) {
    const float k = strengthValue * 0.01f;
    const int r = static_cast<int>(std::round(spreadValue));
    if (!(k > 0.0f) || r <= 0 || !common || !common->horizontal || frame.getWidth() <= 0 || frame.getHeight() <= 0) return;
    Media::Direct3DService& service = Media::Direct3DService::Get();
    const UINT width = static_cast<UINT>(frame.getWidth()), height = static_cast<UINT>(frame.getHeight());

    Media::ResourceBuffer a(width, height);
    shaderList->setConstant(Resource::ShaderList::BrightPassConstant{1.0f, 1.0f, 1.0f, 0.0f});
    Platform::Gl::Texture* source[] = {&frame.createShaderResourceView()};
    service.setRenderTarget(a);
    shaderList->general(Resource::ShaderList::BrightPass)
        .drawPass(source, 1, shaderList->getConstantBuffer(), nullptr, nullptr);

    Media::ResourceBuffer b(width, height);
    const float f = static_cast<float>(r) * k / 800.0f;
    const float factor[4] = {f, f, f, f};
    const auto add = [&] {
        Platform::Gl::Texture* layer[] = {&a.getShaderResourceView()};
        service.setRenderTarget(frame);
        shaderList->general(Resource::ShaderList::Copy)
            .drawPass(layer, 1, nullptr, blendStateList->get(kBlendAddByFactor), factor);
    };
    boxBlur(a, b, r / 16);
    boxBlur(a, b, r / 16);
    add();
    boxBlur(a, b, r / 8);
    add();
    boxBlur(a, b, r / 4);
    add();
    boxBlur(a, b, r / 2);
    add();
    service.unsetRenderTargets();
}

}  // namespace Effect
