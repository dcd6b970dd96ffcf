#pragma once
// カメラ制御オプション: under a camera control the object may always face
// the camera and hide its back. It only sets the object's draw state; the
// picture passes unchanged.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemSelect.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class CameraOption : public BuiltinClass<CameraOption> {
public:
    static constexpr const wchar_t* Name = L"カメラ制御オプション";
    CameraOption();

    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;

    // "標準" (0) and "カメラの方を向く" (3).
    static EffectItemSelect::SharedList& facingList();

    EffectItemSelect facing;
    EffectItemCheck hideBack;
};

}  // namespace Effect
