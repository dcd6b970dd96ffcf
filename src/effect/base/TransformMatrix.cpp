#include "effect/base/TransformMatrix.h"

#include <cmath>
#include <utility>

namespace Effect::Transform {

namespace {

// Degrees to radians with the single-precision factor, so every matrix of
// an angle comes out the same wherever it is built.
float radians(float degrees) { return degrees * 0.017453292f; }

}  // namespace

Matrix4 identity() { return scaling(1.0f, 1.0f, 1.0f); }

Matrix4 translation(float x, float y, float z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

Matrix4 scaling(float x, float y, float z) {
    return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
}

Matrix4 rotationX(float degrees) {
    const float c = std::cos(radians(degrees));
    const float s = std::sin(radians(degrees));
    return {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1};
}

Matrix4 rotationY(float degrees) {
    const float c = std::cos(radians(degrees));
    const float s = std::sin(radians(degrees));
    return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
}

Matrix4 rotationZ(float degrees) {
    const float c = std::cos(radians(degrees));
    const float s = std::sin(radians(degrees));
    return {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[i * 4 + k] * b[k * 4 + j];
            r[i * 4 + j] = sum;
        }
    return r;
}

Float4 transform(const Float4& p, const Matrix4& m) {
    float out[4];
    for (int j = 0; j < 4; ++j) out[j] = p.x * m[j] + p.y * m[4 + j] + p.z * m[8 + j] + p.w * m[12 + j];
    return {out[0], out[1], out[2], out[3]};
}

Matrix4 inverse(const Matrix4& m) {
    // Gauss-Jordan with partial pivoting, in double for the camera's
    // projection, whose entries span several orders of magnitude.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 8; ++j) a[i][j] = j < 4 ? m[i * 4 + j] : (j - 4 == i ? 1.0 : 0.0);
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row)
            if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
        if (a[pivot][column] == 0.0) return Matrix4{};
        std::swap(a[pivot], a[column]);
        const double scale = 1.0 / a[column][column];
        for (double& x : a[column]) x *= scale;
        for (int row = 0; row < 4; ++row) {
            if (row == column) continue;
            const double factor = a[row][column];
            for (int j = 0; j < 8; ++j) a[row][j] -= factor * a[column][j];
        }
    }
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r[i * 4 + j] = static_cast<float>(a[i][j + 4]);
    return r;
}

}  // namespace Effect::Transform
