#include "effects/camera/CameraDrag.h"

#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"

#include <algorithm>
#include <cmath>

namespace Effect {

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kMinimumPitch = 0.001f;
constexpr float kMaximumPitch = 3.1405928f;
constexpr float kFreeViewDistance = 256.0f;
constexpr int kEveryValue = 100000000;

float length(Media::Float3 v) { return std::sqrt(Media::dot(v, v)); }

}  // namespace

CameraOrbit orbitOf(Media::Float3 eye, Media::Float3 target) {
    const Media::Float3 l = eye - target;
    CameraOrbit orbit;
    orbit.pitch = std::atan2(std::sqrt(l.x * l.x + l.z * l.z), l.y);
    orbit.yaw = std::atan2(l.x, l.z);
    orbit.distance = length(l);
    return orbit;
}

Media::Float3 orbitEye(const CameraOrbit& orbit, Media::Float3 target) {
    const float s = std::sin(orbit.pitch) * orbit.distance;
    return {s * std::sin(orbit.yaw) + target.x, std::cos(orbit.pitch) * orbit.distance + target.y,
            s * std::cos(orbit.yaw) + target.z};
}

CameraOrbit dragOrbit(CameraOrbit orbit, int dx, int dy, bool dolly) {
    if (dolly) {
        orbit.distance = std::max(4.0f, orbit.distance + 8.0f * static_cast<float>(dy));
        return orbit;
    }
    orbit.yaw += static_cast<float>(dx) * kTwoPi * 0.0005f;
    orbit.pitch = std::clamp(orbit.pitch + static_cast<float>(dy) * kTwoPi * 0.0005f, kMinimumPitch, kMaximumPitch);
    return orbit;
}

Media::Float3 freeViewTarget(Media::Float3 eye, Media::Float3 target) {
    if (target.x == eye.x && target.y == eye.y && target.z == eye.z) target.z += 1.0f;
    const Media::Float3 way = target - eye;
    if (length(way) >= kFreeViewDistance) return target;
    const Media::Float3 n = Media::normalise(way);
    return {eye.x + n.x * kFreeViewDistance, eye.y + n.y * kFreeViewDistance, eye.z + n.z * kFreeViewDistance};
}

bool cameraDragAllowed(int index, int midPoints, const std::vector<const EffectItemNumberGroup*>& groups) {
    if (index == kEveryValue) {
        for (const EffectItemNumberGroup* group : groups)
            for (const EffectItemNumber* member : group->members)
                if (member->values.size() != 1) return false;
        return true;
    }
    if (index > 0 && index < midPoints + 1) {
        for (const EffectItemNumberGroup* group : groups) {
            std::size_t most = 0;
            for (const EffectItemNumber* member : group->members) most = std::max(most, member->values.size());
            if (most > 1 && most != static_cast<std::size_t>(midPoints) + 2) return false;
        }
    }
    return true;
}

}  // namespace Effect
