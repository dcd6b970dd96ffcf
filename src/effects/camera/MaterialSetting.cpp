#include "effects/camera/MaterialSetting.h"

#include "effects/light/LightCategory.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/context/ObjectContext.h"

namespace Effect {

MaterialSetting::MaterialSetting()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, cameraCategory),
      glossiness(items, L"光沢度", 70, 0, 100, 1) {}

void MaterialSetting::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                                  std::unique_ptr<Media::ResourceBuffer> input) {
    context.view.shine = static_cast<float>(glossiness.getValue(context) * 0.01);
    result = std::move(input);
}

}  // namespace Effect
