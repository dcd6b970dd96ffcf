#pragma once
// The small vector and matrix arithmetic of polygon lists, cameras and
// shadows. Matrices are 16 floats in rows for row vectors: p' = p × M.
#include <array>

namespace Media {

struct Float3 {
    float x, y, z;
};

using Matrix4 = std::array<float, 16>;

inline Float3 operator+(Float3 a, Float3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Float3 operator-(Float3 a, Float3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline float dot(Float3 a, Float3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Float3 cross(Float3 a, Float3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A vector of length 0 stays (0, 0, 0); one of infinite length becomes NaN
// in every component.
Float3 normalise(Float3 v);

// (p, 1) × M, divided by the result's w.
Float3 transformPoint(const Matrix4& m, Float3 p);

// The left-handed look-to view matrix: from the eye along the direction,
// with up as near to up as the direction allows.
Matrix4 lookToMatrix(Float3 eye, Float3 direction, Float3 up);

}  // namespace Media
