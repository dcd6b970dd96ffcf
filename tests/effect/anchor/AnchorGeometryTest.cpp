// Turning a drag on the preview back into an effect's space, and the
// matrix arithmetic under it.
#include "effect/anchor/AnchorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Anchor::AnchorEvent;
using Anchor::Float4;

const Media::Matrix4 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The flat view of a width × height frame seen from its centre: the eye
// 1024 pixels in front of z = 0, so (X, Y, 0) lands on (2X / width,
// −2Y / height) and depth is perspective.
Media::Matrix4 screen(float width, float height) {
    return {2048 / width, 0, 0, 0,  //
            0, -2048 / height, 0, 0,  //
            0, 0, 0, 1,  //
            0, 0, 51.2f, 1024};
}

Media::Matrix4 rotationY(float degrees) {
    const float r = degrees * 0.017453292f;
    const float c = std::cos(r), s = std::sin(r);
    return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
}

Media::Matrix4 rotationX(float degrees) {
    const float r = degrees * 0.017453292f;
    const float c = std::cos(r), s = std::sin(r);
    return {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1};
}

// A control whose picture rectangle the test sets.
struct Control : Anchor::AnchorControlData {
    Control(float left, float top, float right, float bottom) { pictureRect = {left, top, right, bottom}; }
};

void expectNear(const Float4& actual, const Float4& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

TEST(AnchorGeometryTest, InverseUndoesAViewMatrixAndASingularOneIsNotFinite) {
    const Media::Matrix4 view = Effect::Transform::multiply(Effect::Transform::multiply(rotationY(35), rotationX(-20)), screen(1920, 1080));
    const Media::Matrix4 product = Effect::Transform::multiply(view, Anchor::inverse(view));
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(product[i], identity[i], 1e-4) << i;

    const Media::Matrix4 flat = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_FALSE(std::isfinite(Anchor::inverse(flat)[0]));
}

TEST(AnchorGeometryTest, UnprojectMovesThroughClipSpace) {
    struct Case {
        const char* name;
        Control control;
        Media::Matrix4 m;
        Float4 p;
        float dx, dy;
        Float4 expected;
    };
    const Media::Matrix4 smallW = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.25f};
    const Case cases[] = {
        {"identity", {0, 0, 200, 200}, identity, {0, 0, 0, 1}, 50, 50, {0.5f, -0.5f, 0, 1}},
        // The offset of the rectangle does not matter, only its size.
        {"offset picture", {100, 40, 300, 240}, identity, {0, 0, 0, 1}, 50, 50, {0.5f, -0.5f, 0, 1}},
        // Zero width counts as one pixel: 2 · 1 / 1.
        {"zero width", {10, 0, 10, 200}, identity, {0, 0, 0, 1}, 1, 0, {2, 0, 0, 1}},
        // Clip w 0.25 counts as 1: x moves 0.5 in clip space, then ×4.
        {"small w", {0, 0, 200, 200}, smallW, {0, 0, 0, 1}, 50, 0, {0.5f, 0, 0, 1}},
        // Flat view of 200 × 100 shown at its own size: one pixel is one
        // scene pixel at z = 0, y down in both.
        {"flat", {0, 0, 200, 100}, screen(200, 100), {0, 0, 0, 1}, 10, -20, {10, -20, 0, 1}},
        // Turned 60° about Y, the picture's x axis lies along (cos, 0, sin).
        {"tilted about y", {0, 0, 200, 100}, Effect::Transform::multiply(rotationY(60), screen(200, 100)), {0, 0, 0, 1}, 10, 0,
         {5, 0, 8.660254f, 1}},
        // Turned 30° about X, the picture's y axis lies along (0, cos, −sin).
        {"tilted about x", {0, 0, 200, 100}, Effect::Transform::multiply(rotationX(30), screen(200, 100)), {0, 0, 0, 1}, 0, 10,
         {0, 8.660254f, -5, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnchorEvent event;
        Control control = c.control;
        event.control = &control;
        expectNear(Anchor::unprojectScreenDelta(event, c.p, c.m, c.dx, c.dy), c.expected, 1e-4f);
    }
}

// Where a position is seen on a picture rectangle, in its pixels.
Anchor::Float2 pixelOf(const Float4& p, const Media::Matrix4& m, const Anchor::AnchorControlData::Rect& r) {
    const Anchor::Float2 n = Anchor::toNormalised(Anchor::transform(p, m));
    return {(r.left + r.right) / 2 + n.x * (r.right - r.left) / 2, (r.top + r.bottom) / 2 - n.y * (r.bottom - r.top) / 2};
}

TEST(AnchorGeometryTest, DragLandsTheGivenPixelsAway) {
    // Perspective through a camera: eye at (100, −50, −800) looking at the
    // origin, 60° field of view, depth 1 to 10000.
    const float f = 1.0f / std::tan(0.5235988f);
    const Media::Matrix4 projection = {f / (16.0f / 9), 0, 0, 0,  //
                                       0, f, 0, 0,  //
                                       0, 0, 10000.0f / 9999, 1,  //
                                       0, 0, -10000.0f / 9999, 0};
    const Media::Matrix4 camera =
        Effect::Transform::multiply(Media::lookToMatrix({100, -50, -800}, {-100, 50, 800}, {0, 1, 0}), projection);
    struct Case {
        const char* name;
        Media::Matrix4 m;
        Float4 p;
    };
    const Case cases[] = {
        {"flat", screen(1920, 1080), {300, -200, 0, 1}},
        {"flat, deeper", screen(1920, 1080), {300, -200, 500, 1}},
        {"camera", camera, {40, 30, 20, 1}},
        {"tilted camera", Effect::Transform::multiply(rotationY(40), camera), {40, 30, 20, 1}},
    };
    Control control(12, 7, 972, 547);  // 960 × 540
    AnchorEvent event;
    event.control = &control;
    for (const Case& c : cases) {
        for (const auto& [dx, dy] : {std::pair{25.0f, -40.0f}, {-3.0f, 0.0f}, {0.0f, 17.0f}}) {
            SCOPED_TRACE(testing::Message() << c.name << " " << dx << "," << dy);
            const Float4 moved = Anchor::unprojectScreenDelta(event, c.p, c.m, dx, dy);
            const Anchor::Float2 from = pixelOf(c.p, c.m, control.pictureRect);
            const Anchor::Float2 to = pixelOf(moved, c.m, control.pictureRect);
            EXPECT_NEAR(to.x - from.x, dx, 2e-3);
            EXPECT_NEAR(to.y - from.y, dy, 2e-3);
        }
    }
}

}  // namespace
