#pragma once
// The anchor kin of filters with a 2D point (gradation, mask, ripple,
// displacement map, line and angle clipping, part filter): X and Y are
// placed in the object's own space, seen through its world and view.
#include "effect/anchor/AnchorEffectBase.h"

namespace Effect {

class MoveXYAnchorEffect : public AnchorEffectBase {
public:
    void drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int width,
                         int height) override;
    // The position keeps its z; X and Y take the differences.
    void dragAnchor(Anchor::AnchorEvent& event) override;
    void setCurrentAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                          std::uint32_t flags) override;
    void setSectionAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary,
                          std::uint32_t flags) override;
    Anchor::Float4 getAnchorPosition(Render::ObjectContext& context, double time) override;

protected:
    using AnchorEffectBase::AnchorEffectBase;

    // World × view of the object's output view, its centre set to 0.
    static Media::Matrix4 getAnchorMatrix(Render::ObjectContext& context);
};

}  // namespace Effect
