#include "effect/anchor/AnchorList.h"

#include <utility>

namespace Anchor {

namespace {

// One per thread: two renders that reject at once never share it.
AnchorItem& rejected() {
    thread_local AnchorItem scratch;
    scratch = AnchorItem();
    return scratch;
}

Float4 homogeneous(const Media::Float3& p) { return {p.x, p.y, p.z, 1.0f}; }

}  // namespace

AnchorItem& AnchorList::addPointKind(std::int32_t type, const ObjectPointer& object, const EffectPointer& effect,
                                     int index, float x, float y, float z, const Media::Matrix4& m,
                                     std::uint32_t flags) {
    const Float4 clip = transformPosition(x, y, z, m);
    if (!isInFront(clip)) return rejected();
    AnchorItem& item = items.emplace_back(type, flags | AnchorItem::Owned, object, effect, index);
    item.points.push_back(toNormalised(clip));
    return item;
}

AnchorItem& AnchorList::addLargeCircle(const ObjectPointer& object, const EffectPointer& effect, int index,
                                       float x, float y, float z, const Media::Matrix4& m, std::uint32_t flags) {
    return addPointKind(AnchorItem::LargeCircle, object, effect, index, x, y, z, m, flags);
}

AnchorItem& AnchorList::addCircle(const ObjectPointer& object, const EffectPointer& effect, int index, float x,
                                  float y, float z, const Media::Matrix4& m, std::uint32_t flags) {
    return addPointKind(AnchorItem::Circle, object, effect, index, x, y, z, m, flags);
}

AnchorItem& AnchorList::addSmallCircle(const ObjectPointer& object, const EffectPointer& effect, int index,
                                       float x, float y, float z, const Media::Matrix4& m, std::uint32_t flags) {
    return addPointKind(AnchorItem::SmallCircle, object, effect, index, x, y, z, m, flags);
}

AnchorItem& AnchorList::addRectangle(const ObjectPointer& object, const EffectPointer& effect, int index,
                                     int width, int height, const Media::Matrix4& m, std::uint32_t flags) {
    const float halfWidth = static_cast<float>(width) / 2.0f;
    const float halfHeight = static_cast<float>(height) / 2.0f;
    const Float4 corners[4] = {
        transformPosition(-halfWidth, halfHeight, 0.0f, m),
        transformPosition(-halfWidth, -halfHeight, 0.0f, m),
        transformPosition(halfWidth, -halfHeight, 0.0f, m),
        transformPosition(halfWidth, halfHeight, 0.0f, m),
    };

    // Each edge keeps its front part; where it crosses the near plane the
    // crossing point (interpolated on all four components) is emitted.
    Float4 kept[8];
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        const Float4& a = corners[i];
        const Float4& b = corners[(i + 1) % 4];
        const float sa = nearPlaneDistance(a);
        const float sb = nearPlaneDistance(b);
        const bool frontA = sa > 0.0f;
        const bool frontB = sb > 0.0f;
        if (!frontA && !frontB) continue;
        if (frontA) kept[count++] = a;
        if (frontA != frontB) {
            const float t = sa / (sa - sb);
            kept[count++] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z),
                             a.w + t * (b.w - a.w)};
        }
    }
    if (count < 3) return rejected();

    AnchorItem& item = items.emplace_back(AnchorItem::Polygon, flags | AnchorItem::Owned, object, effect, index);
    item.points.reserve(count);
    for (int i = 0; i < count; ++i) item.points.push_back(toNormalised(kept[i]));

    if (flags & (AnchorItem::SnapMove | AnchorItem::SnapSource)) {
        // Only a rectangle level with its origin's depth offers its corners.
        const float depth = m[14];
        item.snapPoints.reserve(4);
        for (const Float4& corner : corners)
            if (corner.z == depth && isInFront(corner)) item.snapPoints.push_back(toNormalised(corner));
    }
    return item;
}

AnchorItem& AnchorList::addHandle(const Float4& a, const Float4& b, const ObjectPointer& object,
                                  const EffectPointer& effect, int index, float x, float y, float z,
                                  const Media::Matrix4& m, std::uint32_t flags) {
    if (!isInFront(a) || !isInFront(b) || (a.x == b.x && a.y == b.y)) return rejected();
    AnchorItem& item = items.emplace_back(AnchorItem::Handle, flags, object, effect, index);
    const Float2 origin = toNormalised(a);
    // The third point measures one unit at the origin in picture units.
    item.points = {origin, toNormalised(b), {origin.x + 1.0f / a.w, origin.y}};
    item.matrix = m;
    item.payload[0] = item.payload[1] = {x, y, z, 1.0f};
    return item;
}

void AnchorList::addCornerHandle(const ObjectPointer& object, const EffectPointer& effect, int index,
                                 const Float4& corner, const Float4& first, const Float4& second,
                                 const AnchorItem::Payload& payload, const Media::Matrix4& m,
                                 std::uint32_t flags) {
    if (!isInFront(corner) || !isInFront(first) || !isInFront(second)) return;
    if ((corner.x == first.x && corner.y == first.y) || (corner.x == second.x && corner.y == second.y)) return;
    AnchorItem& item = items.emplace_back(AnchorItem::Square, flags, object, effect, index);
    item.points = {toNormalised(corner), toNormalised(first), toNormalised(second)};
    item.matrix = m;
    item.payload = payload;
}

void AnchorList::addResizeHandles(const ObjectPointer& object, const EffectPointer& effect, int index, int width,
                                  int height, const Media::Float3& position, const Float4& vector,
                                  const Media::Matrix4& mu, const Media::Matrix4& mt, const Media::Matrix4& m,
                                  std::uint32_t flags) {
    const float halfWidth = static_cast<float>(width) / 2.0f;
    const float halfHeight = static_cast<float>(height) / 2.0f;
    const Float4 corners[4] = {{-halfWidth, -halfHeight, 0.0f, 1.0f},
                               {halfWidth, -halfHeight, 0.0f, 1.0f},
                               {halfWidth, halfHeight, 0.0f, 1.0f},
                               {-halfWidth, halfHeight, 0.0f, 1.0f}};
    Float4 clip[4];
    Float4 space[4];
    for (int i = 0; i < 4; ++i) {
        clip[i] = transform(corners[i], mt);
        space[i] = transform(corners[i], mu);
    }
    // Owned | Resize | the corner's two bits; P2 is the opposite corner, the
    // fixed point of a scale.
    static constexpr std::uint32_t cornerFlags[4] = {0x2080a0, 0x2080c0, 0x208120, 0x208140};
    for (int i = 0; i < 4; ++i) {
        AnchorItem::Payload payload{};
        payload[0] = payload[1] = space[i];
        payload[2] = space[(i + 2) % 4];
        payload[3] = vector;
        payload[4] = homogeneous(position);
        addCornerHandle(object, effect, index, clip[i], clip[(i + 3) % 4], clip[(i + 1) % 4], payload, m,
                        flags | cornerFlags[i]);
    }
}

void AnchorList::addPolyline(const void* owner, const Float4* points, int count, const Color* color) {
    int runStart = 0;
    for (int i = 0; i <= count; ++i) {
        // A point behind the near plane ends the run without joining it.
        if (i < count && isInFront(points[i])) continue;
        if (i - runStart >= 2) {
            AnchorItem& item = items.emplace_back();
            item.type = color ? AnchorItem::ColorLine : AnchorItem::Line;
            item.owner = owner;
            if (color) item.color = *color;
            item.points.reserve(i - runStart);
            for (int j = runStart; j < i; ++j) item.points.push_back(toNormalised(points[j]));
        }
        runStart = i + 1;
    }
}

AnchorItem& AnchorList::addDrawingPoint(std::int32_t type, const void* owner, const Float4& point) {
    if (!isInFront(point)) return rejected();
    AnchorItem& item = items.emplace_back();
    item.type = type;
    item.owner = owner;
    item.points.push_back(toNormalised(point));
    return item;
}

AnchorItem& AnchorList::addPoint(const void* owner, const Float4& point, const Color* color) {
    AnchorItem& item = addDrawingPoint(color ? AnchorItem::ColorPoint : AnchorItem::Cross, owner, point);
    if (color && item.type != 0) item.color = *color;
    return item;
}

AnchorItem& AnchorList::addDot(const void* owner, const Float4& point) {
    return addDrawingPoint(AnchorItem::Dot, owner, point);
}

AnchorItem& AnchorList::addImage(const ObjectPointer& object, const EffectPointer& effect, int index, int icon) {
    AnchorItem& item = items.emplace_back(AnchorItem::Image,
                                          AnchorItem::Owned | AnchorItem::Docked | AnchorItem::ClickOnly, object,
                                          effect, index);
    item.image = icon;
    item.points = {{0.0f, 0.0f}, {32.0f, 32.0f}};
    return item;
}

void AnchorList::clear() { items.clear(); }

void AnchorList::handOver(AnchorList& pending) {
    std::lock_guard lock(pending.mutex);
    pending.items.clear();
    pending.items.swap(items);
    pending.ready = true;
}

bool AnchorList::takeOver(std::vector<AnchorItem>& shown) {
    std::lock_guard lock(mutex);
    if (!ready) return false;
    shown.swap(items);
    items.clear();
    ready = false;
    return true;
}

}  // namespace Anchor
