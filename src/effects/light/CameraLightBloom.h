#pragma once
// ライトブルーム(カメラ制御): a glow around the parts of the camera's lit
// frame brighter than white. After the camera composited its pass, the
// over-bright share is extracted and added back four times, blurred wider
// each time.
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "media/gpu/ContextConstantBuffer.h"
#include "media/gpu/ShaderResource.h"
#include "media/gpu/ShaderStateResource.h"

#include <cstdint>
#include <memory>

namespace Media {
class PixelShader;
class RenderBuffer;
class ResourceBuffer;
}  // namespace Media

namespace Effect {

class CameraLightBloom : public SharedResourceEffect<CameraLightBloom>,
                         public Resource::ShaderStateResource,
                         public Resource::ShaderResource {
public:
    static constexpr const wchar_t* Name = L"ライトブルーム(カメラ制御)";

    // b0 of the box passes.
    struct Constant {
        std::int32_t range;
        float divive;
        float unused[2];
    };

    class CommonResource {
    public:
        CommonResource();
        ~CommonResource();
        std::unique_ptr<Media::PixelShader> horizontal;
        std::unique_ptr<Media::PixelShader> vertical;
        Media::ContextConstantBuffer constants{sizeof(Constant)};
    };

    CameraLightBloom();

    void controlVideo(Render::ObjectContext& context) override;
    // strength and spread as the items hold them.
    void bloom(Media::RenderBuffer& frame, float strength, float spread);

    EffectItemNumber strength;
    EffectItemNumber spread;

    std::shared_ptr<CommonResource> common;

private:
    void boxBlur(Media::ResourceBuffer& a, Media::ResourceBuffer& b, int radius);
};

}  // namespace Effect
