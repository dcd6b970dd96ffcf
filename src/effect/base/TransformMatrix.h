#pragma once
// The 4 × 4 matrices objects are placed with: 16 floats stored row by row
// for row vectors, so p' = p × M and A × B applies A first. Angles are
// degrees, turned into single-precision radians before sine and cosine.
#include "media/gpu/VertexListMath.h"

namespace Effect::Transform {

using Media::Matrix4;

Matrix4 identity();
Matrix4 translation(float x, float y, float z);
Matrix4 scaling(float x, float y, float z);
Matrix4 rotationX(float degrees);
Matrix4 rotationY(float degrees);
Matrix4 rotationZ(float degrees);
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
// The inverse; a singular matrix gives all zeros.
Matrix4 inverse(const Matrix4& m);

// The row vector (x, y, z, w) × M, without the divide by w.
struct Float4 {
    float x, y, z, w;
};
Float4 transform(const Float4& p, const Matrix4& m);

}  // namespace Effect::Transform
