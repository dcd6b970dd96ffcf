#pragma once
// 環境光(カメラ制御): light from every side over the 3D scene of the camera
// control above it. Its record replaces the lighting pass's default
// ambient share.
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "media/gpu/LightSource.h"

namespace Effect {

class CameraLightAmbient : public BuiltinClass<CameraLightAmbient> {
public:
    static constexpr const wchar_t* Name = L"環境光(カメラ制御)";
    CameraLightAmbient();

    void preloadVideo(Render::ObjectContext& context) override;

    // brightness in percent, colour channels 0 to 1.
    static Media::LightSource record(float brightness, const float rgb[3]);

    EffectItemNumber brightness;
    EffectItemColor color;
};

}  // namespace Effect
