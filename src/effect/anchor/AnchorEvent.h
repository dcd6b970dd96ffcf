#pragma once
// What an effect receives when one of its anchors is clicked or dragged,
// and the part of the preview's anchor control it may read while it
// handles a drag step: the picture rectangle, the anchors it can be hit
// on and the snapping vectors. The control itself lives with the preview
// and derives from AnchorControlData.
#include "effect/anchor/AnchorItem.h"

namespace Anchor {

struct SnapTarget {
    // Null for the picture corners.
    const Edit::Object* object = nullptr;
    float x = 0.0f;
    float y = 0.0f;
};

class AnchorControlData {
public:
    struct Rect {
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
    };

    // Where the frame is drawn, in the control's pixels.
    Rect pictureRect;
    // Every shown item with an effect, in list order.
    std::vector<AnchorItem*> hitList;
    // Normalised points of the snap-source anchors, then the picture
    // corners (1, 1) and (−1, −1).
    std::vector<SnapTarget> snapTargets;
    // Filled by a dragging effect with its moving points during one step.
    std::vector<Float2> snapWork;

protected:
    AnchorControlData() = default;
    ~AnchorControlData() = default;
};

struct AnchorEvent {
    enum Kind : std::int32_t {
        Drag = 1,
        Click = 2,
        DoubleClick = 3,
        RightDrag = 4,
    };

    AnchorControlData* control = nullptr;
    std::shared_ptr<Edit::Object> object;
    std::shared_ptr<Effect::EffectBase> effect;
    std::int32_t index = 0;
    std::uint32_t flags = 0;
    std::int32_t kind = 0;
    Media::Matrix4 matrix{};
    // Effects may keep their own state here between the steps of a drag.
    AnchorItem::Payload payload{};
    std::string label;
    std::int32_t tag = 0;
    // Offset from the press point that this step applies, and its change
    // since the previous step, in the control's pixels.
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    // Set by an effect that refused this step: the preview shows so.
    bool refused = false;

    // The first hit-list item with this event's object, effect, index and
    // flags, or null (also without a control).
    const AnchorItem* findItem() const;
};

}  // namespace Anchor
