#include "effect/anchor/AnchorMath.h"

#include <array>

namespace Anchor {

Float4 transformPosition(float x, float y, float z, const Media::Matrix4& m) {
    return transform({x, y, z, 1.0f}, m);
}

float nearPlaneDistance(const Float4& clip) { return clip.w / clip.z - 1.0f; }

bool isInFront(const Float4& clip) { return nearPlaneDistance(clip) > 0.0f; }

Float2 toNormalised(const Float4& clip) { return {clip.x / clip.w, clip.y / clip.w}; }

namespace {

using Matrix4d = std::array<double, 16>;

// Cofactors in double: a camera's projection has nearly parallel depth
// columns, and its float inverse would move a drag by a visible fraction
// of a pixel.
Matrix4d inverseDouble(const Media::Matrix4& m) {
    double a[16];
    for (int i = 0; i < 16; ++i) a[i] = m[i];
    double c[16];
    c[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    c[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
           a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    c[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    c[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
            a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    c[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
           a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    c[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    c[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    c[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    c[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    c[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    c[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    c[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    c[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    c[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    c[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    c[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
    const double determinant = a[0] * c[0] + a[1] * c[4] + a[2] * c[8] + a[3] * c[12];
    Matrix4d result;
    for (int i = 0; i < 16; ++i) result[i] = c[i] / determinant;
    return result;
}

}  // namespace

Media::Matrix4 inverse(const Media::Matrix4& m) {
    const Matrix4d d = inverseDouble(m);
    Media::Matrix4 result;
    for (int i = 0; i < 16; ++i) result[i] = static_cast<float>(d[i]);
    return result;
}

Float4 transformByInverse(const Float4& p, const Media::Matrix4& m) {
    const Matrix4d d = inverseDouble(m);
    double out[4];
    for (int j = 0; j < 4; ++j)
        out[j] = p.x * d[j] + p.y * d[4 + j] + p.z * d[8 + j] + static_cast<double>(p.w) * d[12 + j];
    return {static_cast<float>(out[0]), static_cast<float>(out[1]), static_cast<float>(out[2]),
            static_cast<float>(out[3])};
}

}  // namespace Anchor
