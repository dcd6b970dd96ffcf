#include "effects/clip/LineClipFilter.h"

#include "embedded/embedded_LineClip_frag.h"
#include "effects/base/HeldPrototype.h"
#include "effects/base/ItemValues.h"
#include "effects/clip/ClipCategory.h"
#include "effects/clip/ClipCoverage.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/TransitionList.h"
#include "render/context/ObjectContext.h"

#include <cmath>

namespace Effect {

LineClipFilter::Constant LineClipFilter::constantFor(int width, int height, float angle, int bandWidth,
                                                     float centerX, float centerY, int blur) {
    const float a = Clip::radians(angle);
    Constant constant{};
    constant.offset[0] = -(static_cast<float>(width) * 0.5f + centerX);
    constant.offset[1] = -(static_cast<float>(height) * 0.5f + centerY);
    constant.direction[0] = std::sin(a);
    constant.direction[1] = -std::cos(a);
    constant.length = static_cast<float>(blur + 1);
    constant.range = static_cast<float>(bandWidth) * 0.5f;
    return constant;
}

LineClipFilter::CommonResource::CommonResource()
    : halfPlane(Clip::loadVariant(embedded_LineClip_frag, sizeof embedded_LineClip_frag - 1, "")),
      band(Clip::loadVariant(embedded_LineClip_frag, sizeof embedded_LineClip_frag - 1, "#define BAND 1\n")) {}

LineClipFilter::CommonResource::~CommonResource() = default;

void LineClipFilter::installTransitionClip(EffectService& service) {
    Resource::TransitionEffects effects = Resource::TransitionEffects::installed();
    effects.lineClip = [prototype = HeldPrototype<LineClipFilter>(service)](
                           Image& image, float angle, int width, float x, float y, int blur) {
        prototype.lock()->clip(image, angle, width, x, y, blur);
    };
    Resource::TransitionEffects::install(std::move(effects));
}

LineClipFilter::LineClipFilter()
    : SharedResourceEffect(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, ClipCategory),
      centerX(items, L"中心X", 0, -5000, 5000, 0.1),
      centerY(items, L"中心Y", 0, -5000, 5000, 0.1),
      group(items, L"Group", {&centerX, &centerY}, false),
      angle(items, L"角度", 0, -3600, 3600, 0.01),
      blur(items, L"ぼかし", 1, 0, 2000, 1),
      width(items, L"幅", 0, -2000, 2000, 1) {
    anchorItems = &group;
}

void LineClipFilter::clip(Image& image, float angleValue, int bandWidth, float x, float y, int blurValue) {
    const Constant constant = constantFor(static_cast<int>(image->getWidth()), static_cast<int>(image->getHeight()),
                                          angleValue, bandWidth, x, y, blurValue);
    Clip::multiplyByCoverage(bandWidth == 0 ? *common->halfPlane : *common->band, *image,
                             common->constants.set(&constant));
}

void LineClipFilter::filterVideo(Image& result, Render::ObjectContext& context, Image input) {
    if (input)
        clip(input, static_cast<float>(angle.getValue(context)), roundToInt(width.getValue(context)),
             static_cast<float>(centerX.getValue(context)), static_cast<float>(centerY.getValue(context)),
             roundToInt(blur.getValue(context)));
    result = std::move(input);
}

}  // namespace Effect
