#pragma once
// The projective arithmetic of anchors: row vectors (x, y, z, w) times a
// 4 × 4 matrix stored row by row, the test that keeps a clip point, and the
// general inverse through which a drag goes back into an effect's space.
#include "effect/base/TransformMatrix.h"

namespace Anchor {

struct Float2 {
    float x = 0.0f;
    float y = 0.0f;

    friend bool operator==(const Float2&, const Float2&) = default;
};

// A row vector (x, y, z, w); p × M is Effect::Transform::transform.
using Effect::Transform::Float4;
using Effect::Transform::transform;
// (x, y, z, 1) × M.
Float4 transformPosition(float x, float y, float z, const Media::Matrix4& m);

// The value whose sign decides a clip point: w / z − 1.
float nearPlaneDistance(const Float4& clip);
// A clip point is kept when w / z − 1 > 0. A point where that is not a
// number (w and z both 0) is dropped too: it has no place on the picture.
bool isInFront(const Float4& clip);
// (x / w, y / w).
Float2 toNormalised(const Float4& clip);

// The adjugate over the determinant; a singular matrix gives non-finite
// values, which the caller must not hand on.
Media::Matrix4 inverse(const Media::Matrix4& m);
// p × M⁻¹, the inverse kept in double on the way.
Float4 transformByInverse(const Float4& p, const Media::Matrix4& m);

}  // namespace Anchor
