#pragma once
// Drawing tests of the output effects: a frame target on the headless GPU,
// pictures filled per pixel, and the matrices that put a picture's pixels
// onto frame pixels one to one.
#include "media/GpuFixture.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexListMath.h"
#include "platform/gl/DxgiFormat.h"

#include <cmath>
#include <memory>

namespace OutputTest {

using MediaTest::Rgba;

class OutputTest : public MediaTest::GpuTest {
protected:
    template <class F>
    static std::unique_ptr<Media::RenderBuffer> frame(int width, int height, F f) {
        auto made = std::make_unique<Media::RenderBuffer>(DXGI_FORMAT_R16G16B16A16_FLOAT);
        made->createTexture2D(width, height);
        auto source = picture(static_cast<UINT>(width), static_cast<UINT>(height), f);
        resources().shaderList.general(Resource::ShaderList::Copy).draw(*made, *source);
        return made;
    }
    static std::vector<Rgba> read(Media::RenderBuffer& target) {
        return GpuTest::read(*target.getTexture());
    }
    using GpuTest::read;
};

inline Media::Matrix4 translation(float x, float y, float z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}
// Frame-centred pixels (y down) to clip space, depth = z.
inline Media::Matrix4 pixelsToClip(int width, int height) {
    return {2.0f / static_cast<float>(width), 0, 0, 0, 0, -2.0f / static_cast<float>(height), 0, 0,
            0, 0, 1, 0, 0, 0, 0, 1};
}

// One step of a half float at the value's magnitude.
inline float halfStep(float value) {
    const float magnitude = std::fabs(value);
    if (magnitude < 6.1035e-5f) return 5.97e-8f * 2.0f;
    int exponent;
    std::frexp(magnitude, &exponent);
    return std::ldexp(1.0f, exponent - 11);
}

}  // namespace OutputTest
