#pragma once
// 材質設定(カメラ制御): how glossy the object looks under a camera's lights.
// It only sets the object's draw state; the picture passes unchanged.
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"

namespace Effect {

class MaterialSetting : public BuiltinClass<MaterialSetting> {
public:
    static constexpr const wchar_t* Name = L"材質設定(カメラ制御)";
    MaterialSetting();

    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override;

    EffectItemNumber glossiness;
};

}  // namespace Effect
