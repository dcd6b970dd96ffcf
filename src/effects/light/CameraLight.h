#pragma once
// 並行光源(カメラ制御): a parallel light over the 3D scene of the camera
// control above it, optionally casting shadows. Its record joins the
// frame's light list when the camera sets up its view; the lighting pass
// reads the first eight records.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "media/gpu/LightSource.h"

namespace Effect {

class CameraLight : public BuiltinClass<CameraLight> {
public:
    static constexpr const wchar_t* Name = L"並行光源(カメラ制御)";
    CameraLight();

    // Appends the light's record (and its empty shadow map) to the frame.
    void preloadVideo(Render::ObjectContext& context) override;
    bool effectEvent(EffectEvent& event) override;
    void updateItemVisible() override;

    // The direction towards the light: (0, 0, -1) turned by the latitude,
    // the longitude and the tilt (degrees).
    static Media::Float3 direction(float latitude, float longitude, float tilt);
    // brightness in percent, colour channels 0 to 1.
    static Media::LightSource record(const Media::Float3& direction, float brightness, const float rgb[3],
                                     bool shadow, int range);

    EffectItemNumber latitude;
    EffectItemNumber longitude;
    EffectItemNumber tilt;
    EffectItemNumber brightness;
    EffectItemColor color;
    EffectItemCheck shadow;
    EffectItemInteger shadowRange;
};

}  // namespace Effect
