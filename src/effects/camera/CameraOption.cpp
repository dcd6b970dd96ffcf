#include "effects/camera/CameraOption.h"

#include "effect/base/OutputView.h"
#include "effects/light/LightCategory.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/context/ObjectContext.h"

namespace Effect {

namespace {

// The rasterizer entry that culls back faces.
constexpr std::uint8_t kCullBack = 1;

}  // namespace

EffectItemSelect::SharedList& CameraOption::facingList() {
    static EffectItemSelect::SharedList list = [] {
        EffectItemSelect::SharedList made;
        made.setItem(0, L"標準");
        made.setItem(OutputView::Billboard, L"カメラの方を向く");
        made.rebuildIndex();
        return made;
    }();
    return list;
}

CameraOption::CameraOption()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, cameraCategory),
      facing(items, L"オブジェクトの向き", 0, facingList()),
      hideBack(items, L"裏面を表示しない") {}

void CameraOption::filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                               std::unique_ptr<Media::ResourceBuffer> input) {
    context.view.rasterizer = hideBack.value ? kCullBack : 0;
    context.view.cameraMode = facing.value;
    result = std::move(input);
}

}  // namespace Effect
