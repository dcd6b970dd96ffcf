#include "render/output/BasicOutput.h"

#include "render/context/ObjectContext.h"
#include "render/output/BlendMode.h"
#include "render/output/BlendModeList.h"

namespace Effect {

BasicOutput::BasicOutput(const wchar_t* name, std::uint8_t media)
    : MoveEffect(name, EffectKind::Output, media, media, L""), blend(items, L"合成モード", 0, blendModeList()) {
    anchorItems = &position;
    zoomItem = &scale;
}

void applyTransparencyAndBlend(OutputView& view, float transparency, int blendMode) {
    view.alpha *= 1.0f - transparency * 0.01f;
    // 0 keeps what an enclosing group gave the object.
    if (blendMode != 0) view.blendMode = BlendMode::clampToView(blendMode);
}

OutputView BasicOutput::getOutputView(Render::ObjectContext& context) {
    OutputView view = context.view;
    auto value = [&](const EffectItemNumber& item) { return static_cast<float>(item.getValue(context)); };
    if (!context.keepPosition) {
        view.x += value(x);
        view.y += value(y);
        view.z += value(z);
    }
    if (!context.keepRotation) {
        view.rotationX += value(rotationX);
        view.rotationY += value(rotationY);
        view.rotationZ += value(rotationZ);
        view.centerX += value(centerX);
        view.centerY += value(centerY);
        view.centerZ += value(centerZ);
        const float s = value(scale) * 0.01f;
        if (s != 1.0f) {
            view.scaleX *= s;
            view.scaleY *= s;
            view.scaleZ *= s;
        }
        const float a = value(aspect);
        if (a > 0.0f) view.scaleX *= (100.0f - a) * 0.01f;
        if (a < 0.0f) view.scaleY *= (100.0f + a) * 0.01f;
    }
    applyTransparencyAndBlend(view, value(transparency), blend.value);
    return view;
}

void BasicOutput::outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                              std::unique_ptr<Media::ResourceBuffer>& image) {
    if (context.flat) {
        if (image) drawObjectFlat(context, target, *image);
        return;
    }
    drawObject(context, target, image.get());
}

}  // namespace Effect
