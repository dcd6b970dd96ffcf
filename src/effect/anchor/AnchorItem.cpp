#include "effect/anchor/AnchorItem.h"

#include <utility>

namespace Anchor {

AnchorItem::AnchorItem(std::int32_t type, std::uint32_t flags, std::shared_ptr<Edit::Object> object,
                       std::shared_ptr<Effect::EffectBase> effect, std::int32_t index)
    : type(type), object(std::move(object)), effect(std::move(effect)), index(index), flags(flags) {
    owner = this->effect.get();
}

AnchorItem::AnchorItem(AnchorItem&& other) noexcept { *this = std::move(other); }

AnchorItem& AnchorItem::operator=(AnchorItem&& other) noexcept {
    if (this == &other) return *this;
    type = other.type;
    object = std::move(other.object);
    effect = std::move(other.effect);
    index = other.index;
    flags = other.flags;
    owner = other.owner;
    color = other.color;
    image = other.image;
    // The standard leaves moved-from strings and vectors merely valid; the
    // source is promised empty.
    points = std::exchange(other.points, {});
    snapPoints = std::exchange(other.snapPoints, {});
    matrix = other.matrix;
    payload = other.payload;
    label = std::exchange(other.label, {});
    tag = other.tag;
    screenPoints = std::exchange(other.screenPoints, {});
    center = other.center;
    radius = other.radius;
    other.object.reset();
    other.effect.reset();
    return *this;
}

AnchorItem::~AnchorItem() = default;

}  // namespace Anchor
