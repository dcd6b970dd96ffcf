#include "effects/clip/AngleClipFilter.h"

#include "embedded/embedded_AngleClip_frag.h"
#include "effects/base/HeldPrototype.h"
#include "effects/base/ItemValues.h"
#include "effects/clip/ClipCategory.h"
#include "effects/clip/ClipCoverage.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/TransitionList.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>

namespace Effect {

namespace {

void setDirection(float (&direction)[2], float degrees) {
    const float a = Clip::radians(degrees);
    direction[0] = -std::sin(a);
    direction[1] = std::cos(a);
}

}  // namespace

AngleClipFilter::Plan AngleClipFilter::plan(int width, int height, float base, float range, float centerX,
                                            float centerY, int blur, bool centerBase) {
    Plan plan;
    if (centerBase) {
        if (range < 0.0f) base += 180.0f;
        base -= range * 0.5f;
    }
    if (range < 0.0f) {
        base += range;
        range = -range;
    }
    plan.base = base;
    plan.range = range;
    if (range <= 0.0f) return plan;
    if (range >= 360.0f) {
        plan.action = Action::Clear;
        return plan;
    }
    plan.action = range < 180.0f ? Action::Narrow : Action::Wide;
    Constant& c = plan.constant;
    c.offset[0] = -(static_cast<float>(width) * 0.5f + centerX);
    c.offset[1] = -(static_cast<float>(height) * 0.5f + centerY);
    setDirection(c.directionS, base);
    setDirection(c.directionE, base + range + 180.0f);
    setDirection(c.directionL, base + range / 2.0f - 90.0f);
    const float ramp = static_cast<float>(blur + 1) * 0.5f;
    c.range = ramp;
    c.limit = (std::max(90.0f - std::fabs(range - 180.0f), 0.0f) / 45.0f +
               std::sin(Clip::radians(range / 2.0f)) * 0.5f + 1.0f) *
              ramp;
    return plan;
}

AngleClipFilter::CommonResource::CommonResource()
    : narrow(Clip::loadVariant(embedded_AngleClip_frag, sizeof embedded_AngleClip_frag - 1, "")),
      wide(Clip::loadVariant(embedded_AngleClip_frag, sizeof embedded_AngleClip_frag - 1, "#define WIDE 1\n")) {}

AngleClipFilter::CommonResource::~CommonResource() = default;

void AngleClipFilter::installTransitionClip(EffectService& service) {
    Resource::TransitionEffects effects = Resource::TransitionEffects::installed();
    effects.angleClip = [prototype = HeldPrototype<AngleClipFilter>(service)](
                            Image& image, float base, float range, float x, float y, int blur, bool centre) {
        prototype.lock()->clip(image, base, range, x, y, blur, centre);
    };
    Resource::TransitionEffects::install(std::move(effects));
}

AngleClipFilter::AngleClipFilter()
    : SharedResourceEffect(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, ClipCategory),
      centerX(items, L"中心X", 0, -5000, 5000, 0.1),
      centerY(items, L"中心Y", 0, -5000, 5000, 0.1),
      group(items, L"Group", {&centerX, &centerY}, false),
      baseAngle(items, L"基準角", 0, -3600, 3600, 0.01),
      rangeAngle(items, L"範囲角", 90, -360, 360, 0.01),
      blur(items, L"ぼかし", 1, 0, 2000, 1),
      centerBase(items, L"基準角を中央にする") {
    anchorItems = &group;
}

void AngleClipFilter::clip(Image& image, float base, float range, float x, float y, int blurValue,
                           bool centre) {
    const Plan p = plan(static_cast<int>(image->getWidth()), static_cast<int>(image->getHeight()), base, range, x,
                        y, blurValue, centre);
    if (p.action == Action::None) return;
    if (p.action == Action::Clear) {
        const float transparent[4] = {0, 0, 0, 0};
        image->clear(transparent);
        return;
    }
    Clip::multiplyByCoverage(p.action == Action::Narrow ? *common->narrow : *common->wide, *image,
                             common->constants.set(&p.constant));
}

void AngleClipFilter::filterVideo(Image& result, Render::ObjectContext& context, Image input) {
    if (input)
        clip(input, static_cast<float>(baseAngle.getValue(context)), static_cast<float>(rangeAngle.getValue(context)),
             static_cast<float>(centerX.getValue(context)), static_cast<float>(centerY.getValue(context)),
             roundToInt(blur.getValue(context)), centerBase.value);
    result = std::move(input);
}

}  // namespace Effect
