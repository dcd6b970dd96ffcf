#pragma once
// One handle on the preview picture: its kind, the object and effect it
// belongs to, which values it addresses, its behaviour bits, its vertices in
// normalised picture coordinates ((−1, −1) and (1, 1) are opposite corners,
// y up), and the drag data the adding effect gets back in every event.
//
// An item owns its vectors and label and shares the object and effect, so
// an object dropped from the project lives on while the preview shows one
// of its anchors. A moved-from item is empty.
#include "effect/anchor/AnchorMath.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Edit {
class Object;
}
namespace Effect {
class EffectBase;
}

namespace Anchor {

// Index values an anchor may carry besides a section boundary (0 .. 99 999 999).
namespace AnchorIndex {
inline constexpr int AllSections = 100000000;      // the whole object at once
inline constexpr int ClippingView = 200000000;     // the clipping-visualisation button
inline constexpr int CameraViewMode = 200000001;   // the camera's view-mode button
}  // namespace AnchorIndex

struct AnchorItem {
    enum Type : std::int32_t {
        Image = 1,
        Cross = 2,
        ColorPoint = 3,
        Handle = 4,
        Square = 5,
        Circle = 6,
        SmallCircle = 7,
        LargeCircle = 8,
        Polygon = 9,
        ColorLine = 10,
        Line = 11,
        Dot = 12,
        GuideLine = 13,
        CameraView = 14,
    };

    enum Flag : std::uint32_t {
        HandleX = 0x4,
        HandleY = 0x8,
        HandleZ = 0x10,
        CornerMask = 0x1E0,
        Owned = 0x8000,
        SelectObject = 0x10000,
        Docked = 0x20000,
        ClickOnly = 0x40000,
        SectionJump = 0x80000,
        AxisDrag = 0x100000,
        Resize = 0x200000,
        ResizeSize = 0x400000,
        ScriptPoint2 = 0x800000,
        ScriptPoint3 = 0x1000000,
        SnapMove = 0x2000000,
        SnapSource = 0x4000000,
        NotDrawn = 0x8000000,
        NotHit = 0x10000000,
        HiddenUnlessSelected = 0x20000000,
        RawDrag = 0x40000000,
    };

    using Payload = std::array<Float4, 5>;

    AnchorItem() = default;
    // The adders' form: owner is the effect's address.
    AnchorItem(std::int32_t type, std::uint32_t flags, std::shared_ptr<Edit::Object> object,
               std::shared_ptr<Effect::EffectBase> effect, std::int32_t index);
    AnchorItem(AnchorItem&& other) noexcept;
    AnchorItem& operator=(AnchorItem&& other) noexcept;
    AnchorItem(const AnchorItem&) = default;
    AnchorItem& operator=(const AnchorItem&) = default;
    ~AnchorItem();

    std::int32_t type = 0;
    std::shared_ptr<Edit::Object> object;
    std::shared_ptr<Effect::EffectBase> effect;
    std::int32_t index = 0;
    std::uint32_t flags = 0;
    // Compared only: anchors with one owner belong together.
    const void* owner = nullptr;
    std::array<float, 4> color{};
    std::int32_t image = 0;
    std::vector<Float2> points;
    std::vector<Float2> snapPoints;
    Media::Matrix4 matrix{};
    Payload payload{};
    std::string label;
    std::int32_t tag = 0;
    // Written by the preview control when it lays the anchors out.
    std::vector<Float2> screenPoints;
    Float2 center;
    float radius = 0.0f;
};

}  // namespace Anchor
