#pragma once
// シーンチェンジ: over its length the layers above it blend from the picture
// they showed just before the object starts (the before picture, rendered
// on the walk's thread as the object is met) to the picture they show now.
// Thirteen built-in transitions and every wipe of the transition list are
// offered under 種類.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemSelect.h"
#include "effects/base/BuiltinClass.h"
#include "media/resource/TransitionList.h"
#include "render/output/OutputShaderEffect.h"

#include <array>
#include <functional>
#include <memory>

namespace Media {
class PixelShader;
class RenderBuffer;
class ResourceBuffer;
}  // namespace Media

namespace Effect {

class SceneChange : public SharedResourceEffect<SceneChange>, public Resource::TransitionResource {
public:
    static constexpr const wchar_t* Name = L"シーンチェンジ";

    // The transitions' own passes; each reads its source by whole pixels and
    // leaves the frame where the source position falls outside.
    struct CommonResource {
        CommonResource();
        ~CommonResource();
        std::unique_ptr<Media::PixelShader> slice;
        std::unique_ptr<Media::PixelShader> offset;
        std::unique_ptr<Media::PixelShader> random;
        std::unique_ptr<Media::PixelShader> dualOutput;
    };

    // What one frame's transition works with.
    struct Params {
        SceneChange* effect = nullptr;
        CommonResource* common = nullptr;
        Media::ResourceBuffer* before = nullptr;
        Media::RenderBuffer* frame = nullptr;
        Render::ObjectContext* context = nullptr;
        float progress = 0.0f;
        int angle = 0;
        int divisions = 0;
        int blur = 0;
        bool vertical = false;
        bool invert = false;
        bool keepAspect = false;
    };

    // Item flags: which of the items a transition shows.
    enum ItemFlag : int {
        ShowInvert = 1,
        ShowAngle = 2,
        ShowDivisions = 4,
        ShowBlur = 8,
        ShowKeepAspect = 16,
        ShowVertical = 32,
    };
    struct SceneChangeDefine {
        const wchar_t* name;
        std::function<void(Params&, const SceneChangeDefine&)> draw;
        int flags;
    };
    static constexpr int builtinCount = 13;
    static const std::array<SceneChangeDefine, builtinCount>& defines();
    // Flags of the wipe rows: 反転, ぼかし and 縦横比固定 (ぼかし is the
    // softness the masks use, so it is shown).
    static constexpr int wipeFlags = ShowInvert | ShowBlur | ShowKeepAspect;

    SceneChange();
    // Asks the render side for the before picture of this frame.
    void preloadVideo(Render::ObjectContext& context) override;
    void controlVideo(Render::ObjectContext& context) override;
    bool effectEvent(EffectEvent& event) override;
    void updateItemVisible() override;

    // Progress of the frame through the object: 1 / length at its first
    // frame, exactly 1 at its last.
    static float progressAt(int frame, int start, int end);

    EffectItemSelect type;
    EffectItemNumber angle;
    EffectItemNumber divisions;
    EffectItemNumber blur;
    EffectItemCheck vertical;
    EffectItemCheck invert;
    EffectItemCheck keepAspect;
    std::shared_ptr<CommonResource> common;
    OutputShaderEffect drawing;

private:
    void wipe(Params& params, int index);
};

}  // namespace Effect
