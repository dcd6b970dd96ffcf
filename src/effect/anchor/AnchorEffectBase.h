#pragma once
// The base of effects whose parameters place something on the picture: it
// adds the handle slots to the effect's virtual interface and implements
// drawing the handles of a preview frame and reacting to their events.
//
// Handles are added on the render worker while a preview frame renders
// (shared project lock); events arrive on the user-interface thread inside
// the preview's edit scope. The bodies read the render context and the
// project, so they are built with the render context (src/render/anchor).
#include "effect/anchor/AnchorEvent.h"
#include "effect/base/EffectBase.h"

#include <cstdint>
#include <vector>

namespace Anchor {
class AnchorList;
}

namespace Effect {

class EffectItemNumber;
class EffectItemNumberGroup;

// Behaviour bits the anchor effects set (the preview's names in AnchorItem).
namespace AnchorFlag {
inline constexpr std::uint32_t NotFilter = 0x10000;
inline constexpr std::uint32_t Boundary = 0x80000;
inline constexpr std::uint32_t AxisHandle = 0x100000;
inline constexpr std::uint32_t ScaleHandle = 0x200000;
inline constexpr std::uint32_t InputSize = 0x400000;
inline constexpr std::uint32_t Snap = 0x2000000;
inline constexpr std::uint32_t SnapSelected = 0x4000000;
inline constexpr std::uint32_t Hidden = 0x20000000;
}  // namespace AnchorFlag

class AnchorEffectBase : public EffectBase {
public:
    using EffectPointer = std::shared_ptr<EffectBase>;
    using ObjectPointer = std::shared_ptr<Edit::Object>;

    // Nothing for a locked effect or layer, an effect outside the object's
    // chain, or a filter of an object without the focus. The context's
    // time and view position are put back afterwards.
    void drawAnchor(Render::ObjectContext& context, int width, int height) override;
    // 1 drag, 2 click, 3 double click; true when handled.
    bool anchorEvent(Anchor::AnchorEvent& event) override;

    virtual void drawAnchorItems(Render::ObjectContext& context, const EffectPointer& entry, int width,
                                 int height);
    virtual void dragAnchor(Anchor::AnchorEvent& event);
    // A circle for filters, a large circle for the other kinds.
    virtual Anchor::AnchorItem& addAnchor(Anchor::AnchorList& list, const ObjectPointer& object,
                                          const EffectPointer& entry, int index, const Anchor::Float4& position,
                                          const Media::Matrix4& m, std::uint32_t flags);
    virtual void setCurrentAnchor(Render::ObjectContext& context, const EffectPointer& entry, int index,
                                  std::uint32_t flags);
    virtual void setSectionAnchor(Render::ObjectContext& context, const EffectPointer& entry, int boundary,
                                  std::uint32_t flags);
    // The anchored position at a time of the object, in clip space.
    virtual Anchor::Float4 getAnchorPosition(Render::ObjectContext& context, double time);
    // A point at (x, y, 0, 1) × m: coloured "Anchor" for filters, a cross
    // for the other kinds.
    virtual void addAnchorPoint(Anchor::AnchorList& list, const EffectPointer& entry,
                                const Anchor::Float4& position, const Media::Matrix4& m);

    // The anchored numbers, X, Y (and Z).
    EffectItemNumberGroup* anchorItems = nullptr;

protected:
    using EffectBase::EffectBase;

    const std::vector<EffectItemNumber*>& anchored() const;
    // Some anchored item holds more than one value.
    bool holdsSeveralValues() const;
    // Whether the anchor of a boundary is drawn, and the value index each
    // anchored item keeps there (section-boundary rules).
    bool getBoundaryValueIndices(int boundary, int midPoints, std::vector<int>& indices) const;
    // The boundary's stored values over their scales, with zeros after the
    // anchored items.
    Anchor::Float4 getBoundaryPosition(const std::vector<int>& indices) const;
    // Moves the context to a time of its object: the frame is the integer
    // part, the section position follows.
    static void moveContextTo(Render::ObjectContext& context, double time);
    // The frame of boundary i: start, start + i-th mid-point, end.
    static int getBoundaryFrame(const Edit::Object& object, int boundary);
    // The polyline of the anchored position over the object's length.
    void drawMovementPath(Render::ObjectContext& context, const EffectPointer& entry);
    // The common drag step: the start position moved by the event's offset
    // on the picture and brought back through the anchor's matrix. False,
    // and nothing to apply, when the matrix cannot be inverted (a view
    // scaled to nothing): the values must not run to their limits.
    static bool getDragPosition(const Anchor::AnchorEvent& event, Anchor::Float4& position);
    // Adds the differences to the values the anchor's index addresses;
    // `deltas` holds one per anchored item.
    void moveAnchoredValues(const Anchor::AnchorEvent& event, const float* deltas) const;
};

}  // namespace Effect
