#include "effects/basic/BasicTransform.h"

#include "media/gpu/ResourceBuffer.h"
#include "render/context/ObjectContext.h"

namespace Effect {

namespace {

constexpr const wchar_t* kCategory = L"基本効果";

float valueOf(const EffectItemNumber& item, const Render::ObjectContext& context) {
    return static_cast<float>(item.getValue(context));
}

}  // namespace

BasicMove::BasicMove()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, kCategory),
      x(items, L"X", 0, -100000, 100000, 0.01),
      y(items, L"Y", 0, -100000, 100000, 0.01),
      z(items, L"Z", 0, -100000, 100000, 0.01),
      group(items, L"Group", {&x, &y, &z}, true) {
    anchorItems = &group;
}

void BasicMove::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                            std::unique_ptr<Media::ResourceBuffer> input) {
    context.view.x += valueOf(x, context);
    context.view.y += valueOf(y, context);
    context.view.z += valueOf(z, context);
    result = std::move(input);
}

BasicScale::BasicScale()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, kCategory),
      scale(items, L"拡大率", 100, 0, 10000, 0.001),
      x(items, L"X", 100, 0, 10000, 0.001),
      y(items, L"Y", 100, 0, 10000, 0.001),
      z(items, L"Z", 100, 0, 10000, 0.001) {}

void BasicScale::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                             std::unique_ptr<Media::ResourceBuffer> input) {
    const float s = static_cast<float>(scale.getValue(context) * 0.01);
    Effect::OutputView& view = context.view;
    view.scaleX *= s;
    view.scaleY *= s;
    view.scaleZ *= s;
    view.scaleX *= static_cast<float>(x.getValue(context) * 0.01);
    view.scaleY *= static_cast<float>(y.getValue(context) * 0.01);
    view.scaleZ *= static_cast<float>(z.getValue(context) * 0.01);
    result = std::move(input);
}

BasicAlpha::BasicAlpha()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, kCategory),
      transparency(items, L"透明度", 0, 0, 100, 0.01) {}

void BasicAlpha::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                             std::unique_ptr<Media::ResourceBuffer> input) {
    context.view.alpha *= 1.0f - static_cast<float>(transparency.getValue(context) * 0.01);
    result = std::move(input);
}

BasicAngle::BasicAngle()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, kCategory),
      x(items, L"X", 0, -3600, 3600, 0.01),
      y(items, L"Y", 0, -3600, 3600, 0.01),
      z(items, L"Z", 0, -3600, 3600, 0.01) {}

void BasicAngle::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                             std::unique_ptr<Media::ResourceBuffer> input) {
    context.view.rotationX += valueOf(x, context);
    context.view.rotationY += valueOf(y, context);
    context.view.rotationZ += valueOf(z, context);
    result = std::move(input);
}

}  // namespace Effect
