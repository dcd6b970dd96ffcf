#include "effects/light/CameraLight.h"

#include "edit/scope/EditScope.h"
#include "effect/base/EffectEvent.h"
#include "effect/base/TransformMatrix.h"
#include "effects/light/LightCategory.h"
#include "media/gpu/RenderBuffer.h"
#include "render/context/ObjectContext.h"

#include <algorithm>

namespace Effect {

CameraLight::CameraLight()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Camera, MediaKind::Camera, cameraCategory),
      latitude(items, L"緯度", 0, -3600, 3600, 0.01),
      longitude(items, L"経度", 0, -3600, 3600, 0.01),
      tilt(items, L"傾き", 0, -3600, 3600, 0.01),
      brightness(items, L"明るさ", 50, 0, 200, 0.01),
      color(items, L"色", 255, 255, 255),
      shadow(items, L"影を付ける", true),
      shadowRange(items, L"影の範囲", 20000, 20000, 1000, 100000) {
    shadow.notifyChange = true;
}

Media::Float3 CameraLight::direction(float latitude, float longitude, float tilt) {
    using namespace Transform;
    const Matrix4 m = multiply(multiply(rotationX(-latitude), rotationY(-longitude)), rotationZ(tilt));
    const Float4 p = transform({0.0f, 0.0f, -1.0f, 1.0f}, m);
    return Media::normalise({p.x, p.y, p.z});
}

Media::LightSource CameraLight::record(const Media::Float3& direction, float brightness, const float rgb[3],
                                       bool shadow, int range) {
    const float b = brightness * 0.01f;
    Media::LightSource light{};
    light.type = shadow ? Media::LightSource::ShadowLight : Media::LightSource::Light;
    light.pos[0] = direction.x;
    light.pos[1] = direction.y;
    light.pos[2] = direction.z;
    for (int c = 0; c < 3; ++c) light.col[c] = rgb[c] * b;
    light.col[3] = std::max(1.0f - b, 0.0f);
    light.range = static_cast<float>(range);
    light.depth = static_cast<float>(range);
    return light;
}

void CameraLight::preloadVideo(Render::ObjectContext& context) {
    if (!context.view.target) return;
    auto value = [&](const EffectItemNumber& item) { return static_cast<float>(item.getValue(context)); };
    const float rgb[3] = {color.red / 255.0f, color.green / 255.0f, color.blue / 255.0f};
    context.view.target->addLight(record(direction(value(latitude), value(longitude), value(tilt)),
                                         value(brightness), rgb, shadow.value, shadowRange.value));
}

bool CameraLight::effectEvent(EffectEvent& event) {
    if (event.code != EffectEvent::ItemChanged) return false;
    if (event.scope)
        event.scope->rebuildSetting = event.scope->refreshTimeSetting = event.scope->refreshColorSetting =
            event.scope->refreshTextSetting = true;
    return true;
}

void CameraLight::updateItemVisible() { shadowRange.visible = shadow.value; }

}  // namespace Effect
