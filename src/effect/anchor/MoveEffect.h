#pragma once
// The anchor kin of the effects that place a whole object (the output
// effects, the group control and the camera control): the object's outline
// or centre, its section boundaries and movement path, the clipping-view
// button, and drags that move the object and snap it to other objects.
//
// The current and boundary anchors keep the space the object's parent lives
// in (the group-view matrix) and the object's position as their start and
// current position, and the scene size in P4 for the snapping of their
// drags.
#include "effect/anchor/AnchorEffectBase.h"

namespace Effect {

class MoveEffect : public AnchorEffectBase {
public:
    void drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int width,
                         int height) override;
    void dragAnchor(Anchor::AnchorEvent& event) override;
    Anchor::Float4 getAnchorPosition(Render::ObjectContext& context, double time) override;

    // Recomputed by every drawAnchorItems: the object has no flat outline,
    // or the handles show object centres.
    bool noOutline = false;
    // The effect's own scale, for scale handles without an input size.
    EffectItemNumber* zoomItem = nullptr;

protected:
    using AnchorEffectBase::AnchorEffectBase;

    void setObjectAnchor(Render::ObjectContext& context, const EffectPointer& entry, int width, int height,
                         std::uint32_t flags);
    void setBoundaryAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary, int width,
                           int height, std::uint32_t flags);
    // Axis handles under a camera and scale handles at the settings
    // window's current section.
    void setEditHandles(Render::ObjectContext& context, const EffectPointer& entry, int width, int height);
    // The input's "サイズ" while it does not move, for an output over a
    // video input; else the effect's own scale.
    EffectItemNumber* getSizeItem(const Edit::Object& object) const;
    // Every anchored item and the size item reach their stored values at
    // the boundary frames.
    bool valuesReachBoundaries(const EffectItemNumber* size) const;
    void scaleDrag(Anchor::AnchorEvent& event);
    // Moves the new position so that a dragged point meets another
    // object's snap point within 8 preview pixels.
    static void snapToObjects(Anchor::AnchorEvent& event, Anchor::Float4& position);
};

}  // namespace Effect
