#pragma once
// The anchor kin of 座標: a 3D handle at the point where the effect's X, Y
// and Z offsets put the object, dragged in the picture's plane through the
// object's parent space; with animated offsets the focused object shows a
// handle per section boundary and the movement path between them.
#include "effect/anchor/AnchorEffectBase.h"

namespace Effect {

struct OutputView;

class MoveXYZAnchorEffect : public AnchorEffectBase {
public:
    void drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int width,
                         int height) override;
    void dragAnchor(Anchor::AnchorEvent& event) override;
    void setCurrentAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                          std::uint32_t flags) override;
    void setSectionAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary,
                          std::uint32_t flags) override;
    Anchor::Float4 getAnchorPosition(Render::ObjectContext& context, double time) override;

protected:
    using AnchorEffectBase::AnchorEffectBase;

    // The object's output view with its centre at 0 and its position moved
    // by the offsets.
    static OutputView getMovedView(Render::ObjectContext& context, const Anchor::Float4& offsets);
    // The large circle at the moved origin, keeping the parent space and the
    // moved position for the drag.
    void addMovedAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                        const Anchor::Float4& offsets, std::uint32_t flags);
    // X, Y, Z at the context's time.
    Anchor::Float4 getOffsets(const Render::ObjectContext& context) const;
};

}  // namespace Effect
