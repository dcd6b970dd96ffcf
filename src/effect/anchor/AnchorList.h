#pragma once
// The anchors of one preview frame. Effects add them while the frame
// renders: each adder projects positions through the effect's matrix,
// drops what lies behind the near plane and appends one item (or a few).
//
// Adding and clearing take no lock: one render task fills a list at a
// time. The mutex and `ready` serve only the hand-over of a finished list
// from the render thread to the preview on the user-interface thread.
#include "effect/anchor/AnchorItem.h"

#include <mutex>

namespace Anchor {

class AnchorList {
public:
    using ObjectPointer = std::shared_ptr<Edit::Object>;
    using EffectPointer = std::shared_ptr<Effect::EffectBase>;
    using Color = std::array<float, 4>;

    // A rejected add appends nothing and returns this thread's scratch item
    // (type 0, in no list), reset before it is returned; writing into it has
    // no effect. References to items stay valid until the next add.

    // The width × height rectangle centred on the origin in the z = 0
    // plane, clipped at the near plane.
    AnchorItem& addRectangle(const ObjectPointer& object, const EffectPointer& effect, int index, int width,
                             int height, const Media::Matrix4& m, std::uint32_t flags);
    AnchorItem& addLargeCircle(const ObjectPointer& object, const EffectPointer& effect, int index, float x,
                               float y, float z, const Media::Matrix4& m, std::uint32_t flags);
    AnchorItem& addCircle(const ObjectPointer& object, const EffectPointer& effect, int index, float x, float y,
                          float z, const Media::Matrix4& m, std::uint32_t flags);
    AnchorItem& addSmallCircle(const ObjectPointer& object, const EffectPointer& effect, int index, float x,
                               float y, float z, const Media::Matrix4& m, std::uint32_t flags);
    // An axis handle from clip point a to clip point b; the axis position
    // is the drag's start and current position.
    AnchorItem& addHandle(const Float4& a, const Float4& b, const ObjectPointer& object,
                          const EffectPointer& effect, int index, float x, float y, float z,
                          const Media::Matrix4& m, std::uint32_t flags);
    // The four corner squares of the width × height rectangle: corners
    // through mt into clip space, through mu into the effect's space.
    void addResizeHandles(const ObjectPointer& object, const EffectPointer& effect, int index, int width,
                          int height, const Media::Float3& position, const Float4& vector,
                          const Media::Matrix4& mu, const Media::Matrix4& mt, const Media::Matrix4& m,
                          std::uint32_t flags);
    // Drawing-only anchors; owner is compared only. One line per run of
    // consecutive points in front of the near plane.
    void addPolyline(const void* owner, const Float4* points, int count, const Color* color);
    AnchorItem& addPoint(const void* owner, const Float4& point, const Color* color);
    AnchorItem& addDot(const void* owner, const Float4& point);
    // A docked icon button; never rejected.
    AnchorItem& addImage(const ObjectPointer& object, const EffectPointer& effect, int index, int icon);

    // Destroys every item; the capacity stays for the next frame.
    void clear();

    // Render side: moves the finished items into the preview's pending
    // list under its mutex and marks it ready; this list is left empty.
    void handOver(AnchorList& pending);
    // User-interface side, on the pending list: when a list is ready,
    // swaps it into `shown`, destroys the replaced items and returns true.
    bool takeOver(std::vector<AnchorItem>& shown);

    std::vector<AnchorItem> items;
    std::mutex mutex;
    bool ready = false;

private:
    AnchorItem& addPointKind(std::int32_t type, const ObjectPointer& object, const EffectPointer& effect,
                             int index, float x, float y, float z, const Media::Matrix4& m, std::uint32_t flags);
    AnchorItem& addDrawingPoint(std::int32_t type, const void* owner, const Float4& point);
    void addCornerHandle(const ObjectPointer& object, const EffectPointer& effect, int index,
                         const Float4& corner, const Float4& first, const Float4& second,
                         const AnchorItem::Payload& payload, const Media::Matrix4& m, std::uint32_t flags);
};

}  // namespace Anchor
