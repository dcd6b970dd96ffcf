#include "render/output/TempDraw.h"

#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/context/ObjectContext.h"

namespace Effect {

void TempDraw::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                           std::unique_ptr<Media::ResourceBuffer> input) {
    // A second off-screen drawing finds the picture baked already.
    if (context.flat || !context.view.target) {
        result = std::move(input);
        return;
    }
    const Media::RenderBuffer& frame = *context.view.target;
    auto baked = std::make_unique<Media::ResourceBuffer>(static_cast<UINT>(frame.getWidth()),
                                                         static_cast<UINT>(frame.getHeight()));
    const float transparent[4] = {0, 0, 0, 0};
    baked->clear(transparent);
    drawObjectToBuffer(context, *baked, input.get());

    context.flat = 1;
    context.drawnDifferently = 1;
    OutputView& view = context.view;
    view.x = view.y = view.z = 0.0f;
    view.rotationX = view.rotationY = view.rotationZ = 0.0f;
    view.centerX = view.centerY = view.centerZ = 0.0f;
    view.scaleX = view.scaleY = view.scaleZ = 1.0f;
    input.reset();
    result = std::move(baked);
}

}  // namespace Effect
