#include "media/gpu/VertexListMath.h"

#include <cmath>
#include <limits>

namespace Media {

Float3 normalise(Float3 v) {
    const float length = std::sqrt(dot(v, v));
    if (length == 0.0f) return {0.0f, 0.0f, 0.0f};
    if (std::isinf(length)) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        return {nan, nan, nan};
    }
    return {v.x / length, v.y / length, v.z / length};
}

Float3 transformPoint(const Matrix4& m, Float3 p) {
    float out[4];
    for (int j = 0; j < 4; ++j) out[j] = p.x * m[j] + p.y * m[4 + j] + p.z * m[8 + j] + m[12 + j];
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

Matrix4 lookToMatrix(Float3 eye, Float3 direction, Float3 up) {
    const Float3 z = normalise(direction);
    const Float3 x = normalise(cross(up, z));
    const Float3 y = cross(z, x);
    return {x.x, y.x, z.x, 0.0f,
            x.y, y.y, z.y, 0.0f,
            x.z, y.z, z.z, 0.0f,
            -dot(x, eye), -dot(y, eye), -dot(z, eye), 1.0f};
}

}  // namespace Media
