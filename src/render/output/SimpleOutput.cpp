#include "render/output/SimpleOutput.h"

#include "render/context/ObjectContext.h"
#include "render/output/BasicOutput.h"
#include "render/output/BlendModeList.h"

#include <cmath>

namespace Effect {

namespace {

bool whole(float v) { return std::floor(v) == v; }

}  // namespace

SimpleOutput::SimpleOutput()
    : EffectBase(Name, EffectKind::Output, MediaKind::Video, MediaKind::Video, L""),
      blend(items, L"合成モード", 0, blendModeList()) {}

OutputView SimpleOutput::getOutputView(Render::ObjectContext& context) {
    OutputView view = context.view;
    if (!context.keepPosition) {
        view.x += static_cast<float>(std::round(x.getValue(context)));
        view.y += static_cast<float>(std::round(y.getValue(context)));
    }
    if (!context.keepRotation) {
        const float s = static_cast<float>(scale.getValue(context)) * 0.01f;
        if (s != 1.0f) {
            view.scaleX *= s;
            view.scaleY *= s;
            view.scaleZ *= s;
        }
    }
    applyTransparencyAndBlend(view, static_cast<float>(transparency.getValue(context)), blend.value);
    return view;
}

void SimpleOutput::outputVideo(Render::ObjectContext& context, Media::RenderBuffer& target,
                               std::unique_ptr<Media::ResourceBuffer>& image) {
    OutputView& view = context.view;
    const float s = static_cast<float>(scale.getValue(context)) * 0.01f;
    const bool flatPath = s == 1.0f && view.scaleX == 1.0f && view.scaleY == 1.0f && view.scaleZ == 1.0f &&
                          view.rotationX == 0.0f && view.rotationY == 0.0f && view.rotationZ == 0.0f &&
                          whole(view.x) && whole(view.y) && whole(view.z) && whole(view.centerX) &&
                          whole(view.centerY) && whole(view.centerZ);
    if (flatPath) {
        if (!image) return;
        if (!context.keepPosition) {
            view.x += static_cast<float>(std::round(x.getValue(context)));
            view.y += static_cast<float>(std::round(y.getValue(context)));
        }
        if (!context.keepRotation && s != 1.0f) {
            view.scaleX *= s;
            view.scaleY *= s;
            view.scaleZ *= s;
        }
        drawObjectFlat(context, target, *image);
        return;
    }
    view.cameraControl.reset();
    view.groupControl.reset();
    drawObject(context, target, image.get());
}

}  // namespace Effect
