#include "effects/light/CameraLightAmbient.h"

#include "effects/light/LightCategory.h"
#include "media/gpu/RenderBuffer.h"
#include "render/context/ObjectContext.h"

namespace Effect {

CameraLightAmbient::CameraLightAmbient()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Camera, MediaKind::Camera, cameraCategory),
      brightness(items, L"明るさ", 50, 0, 200, 0.01),
      color(items, L"色", 255, 255, 255) {}

Media::LightSource CameraLightAmbient::record(float brightness, const float rgb[3]) {
    Media::LightSource light{};
    light.type = Media::LightSource::Ambient;
    for (int c = 0; c < 3; ++c) light.col[c] = rgb[c] * brightness * 0.01f;
    return light;
}

void CameraLightAmbient::preloadVideo(Render::ObjectContext& context) {
    if (!context.view.target) return;
    const float rgb[3] = {color.red / 255.0f, color.green / 255.0f, color.blue / 255.0f};
    context.view.target->addLight(record(static_cast<float>(brightness.getValue(context)), rgb));
}

}  // namespace Effect
