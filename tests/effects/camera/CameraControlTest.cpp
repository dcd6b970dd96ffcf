// The camera control through the real walk and the program's drawing,
// against projections worked out by hand: the defaults keep an object at
// z = 0 at its own pixel size, a field of view shortens the focal distance,
// the roll turns the picture, and the target follows a layer's object or
// travels with the eye.
#include "effects/camera/CameraTestSupport.h"

#include <cmath>

namespace {

using CameraTest::Rgba;

class CameraControlWalk : public CameraTest::CameraWalk {};

TEST_F(CameraControlWalk, AtItsDefaultsAFlatObjectKeepsItsPixelSize) {
    placeSquare(1, 8);
    Effect::CameraControl& camera = placeCamera();
    const auto pixels = render(3);
    // Eye (0, 0, -1024), d = 1024: the 8 pixels of the square lie on
    // columns 28 to 35 and rows 14 to 21 about the centre (32, 18).
    for (int x : {28, 35}) MediaTest::expectNear(at(pixels, x, 18), {1, 0, 0, 1}, 0.01f);
    for (int y : {14, 21}) MediaTest::expectNear(at(pixels, 32, y), {1, 0, 0, 1}, 0.01f);
    EXPECT_LT(at(pixels, 27, 18)[3], 0.01f);
    EXPECT_LT(at(pixels, 36, 18)[3], 0.01f);
    EXPECT_LT(at(pixels, 32, 13)[3], 0.01f);
    EXPECT_LT(at(pixels, 32, 22)[3], 0.01f);
    EXPECT_NEAR(rowCoverage(pixels, 18), 8.0f, 0.05f);
    EXPECT_EQ(camera.block.focal, 1024.0f);
    EXPECT_EQ(camera.block.eye.z, -1024.0f);
}

TEST_F(CameraControlWalk, ASixtyDegreeFieldOfViewOnA1080HighFrameShortensTheFocalDistance) {
    scene().width = 1200;
    scene().height = 1080;
    placeSquare(1, 1000);
    Effect::CameraControl& camera = placeCamera();
    camera.fieldOfView.setValue(60, 0);
    const auto pixels = render(3);
    // d = 540 / tan(30°) = 935.307; the square of 1000 at distance 1024
    // shows d / 1024 of its size.
    const float measured = rowCoverage(pixels, 540) * 1024.0f / 1000.0f;
    EXPECT_NEAR(measured, 935.307f, 1.5f);
    EXPECT_NEAR(columnCoverage(pixels, 600) * 1024.0f / 1000.0f, 935.307f, 1.5f);
}

TEST_F(CameraControlWalk, ARollOfNinetyDegreesTurnsThePicture) {
    Edit::ObjectPointer square = placeSquare(1, 8);
    outputOf(square).x.setValue(10, 0);
    Effect::CameraControl& camera = placeCamera();
    const auto straight = render(3);
    MediaTest::expectNear(at(straight, 42, 18), {1, 0, 0, 1}, 0.01f);
    camera.tilt.setValue(90, 0);
    const auto rolled = render(3);
    // View (10, 0) rolled: (0, 10), ten pixels below the centre: columns
    // 28 to 35, rows 24 to 31.
    EXPECT_LT(at(rolled, 42, 18)[3], 0.01f);
    MediaTest::expectNear(at(rolled, 32, 24), {1, 0, 0, 1}, 0.01f);
    MediaTest::expectNear(at(rolled, 32, 31), {1, 0, 0, 1}, 0.01f);
    EXPECT_LT(at(rolled, 32, 23)[3], 0.01f);
    EXPECT_NEAR(rowCoverage(rolled, 28), 8.0f, 0.05f);
}

TEST_F(CameraControlWalk, ATargetLayerMakesTheCameraFollowItsObject) {
    Edit::ObjectPointer square = placeSquare(1, 8);
    outputOf(square).x.setValue(300, 0);
    outputOf(square).y.setValue(-40, 0);
    Effect::CameraControl& camera = placeCamera();
    // Far outside the 64 × 36 frame while the camera looks at the origin.
    for (const Rgba& pixel : render(3)) ASSERT_LT(pixel[3], 0.01f);

    camera.targetLayer.setValue(2, 0);  // layer 1, counted from 1
    const auto pixels = render(3);
    EXPECT_FLOAT_EQ(camera.block.target.x, 300.0f);
    EXPECT_FLOAT_EQ(camera.block.target.y, -40.0f);
    EXPECT_FLOAT_EQ(camera.block.target.z, 0.0f);
    EXPECT_NEAR(at(pixels, 32, 18)[0], 1.0f, 0.01f);
    EXPECT_NEAR(at(pixels, 32, 18)[3], 1.0f, 0.01f);

    // The object moves: the camera goes on looking at it.
    outputOf(square).x.setValue(-300, 0);
    const auto moved = render(3);
    EXPECT_FLOAT_EQ(camera.block.target.x, -300.0f);
    EXPECT_NEAR(at(moved, 32, 18)[3], 1.0f, 0.01f);
}

TEST_F(CameraControlWalk, ATargetOnAHiddenOrEmptyLayerIsTheOffsetAlone) {
    Edit::ObjectPointer square = placeSquare(1, 8);
    outputOf(square).x.setValue(300, 0);
    Effect::CameraControl& camera = placeCamera();
    camera.targetX.setValue(5, 0);
    camera.targetZ.setValue(7, 0);
    struct Case {
        const char* name;
        int layer;
        bool hide;
    };
    for (const Case& test : {Case{"hidden layer", 2, true}, Case{"empty layer", 5, false},
                             Case{"beyond the last layer", 1000, false}}) {
        SCOPED_TRACE(test.name);
        camera.targetLayer.setValue(test.layer, 0);
        scene().getLayerObjectList(1).layer->hide = test.hide;
        render(3);
        EXPECT_FLOAT_EQ(camera.block.target.x, 5.0f);
        EXPECT_FLOAT_EQ(camera.block.target.y, 0.0f);
        EXPECT_FLOAT_EQ(camera.block.target.z, 7.0f);
    }
}

TEST_F(CameraControlWalk, TheOwnLayerAsTargetMovesTheTargetWithTheEye) {
    Edit::ObjectPointer square = placeSquare(1, 8);
    outputOf(square).x.setValue(50, 0);
    Effect::CameraControl& camera = placeCamera();
    camera.targetLayer.setValue(1, 0);  // the camera's own layer, 0
    camera.x.setValue(50, 0);
    const auto pixels = render(3);
    // Target = eye + (0, 0, 0): on the eye, so the camera looks along +z
    // from x = 50, and the square at x = 50 is in the middle.
    EXPECT_FLOAT_EQ(camera.block.target.x, 50.0f);
    EXPECT_FLOAT_EQ(camera.block.target.z, -1024.0f);
    EXPECT_NEAR(rowCoverage(pixels, 18), 8.0f, 0.05f);
    MediaTest::expectNear(at(pixels, 28, 18), {1, 0, 0, 1}, 0.01f);
    MediaTest::expectNear(at(pixels, 35, 18), {1, 0, 0, 1}, 0.01f);
}

TEST(CameraControlMath, TheProjectionPutsAViewPointAtDOverZPixels) {
    // (x, y, z) lands x·d/z and y·d/z pixels from the centre, y down, with
    // depth d / (20 z).
    const Media::Matrix4 p = Effect::CameraControl::projectionMatrix(1000.0f, 200.0f, 100.0f);
    const auto clip = Effect::Transform::transform({40.0f, -20.0f, 2000.0f, 1.0f}, p);
    const float px = clip.x / clip.w * 100.0f, py = -clip.y / clip.w * 50.0f;
    EXPECT_NEAR(px, 20.0f, 1e-4);
    EXPECT_NEAR(py, -10.0f, 1e-4);
    EXPECT_NEAR(clip.z / clip.w, 1000.0f / (20.0f * 2000.0f), 1e-7);
    EXPECT_NEAR(Effect::CameraControl::focalDistance(60.0f, 1080.0f), 935.307f, 0.01f);
    EXPECT_EQ(Effect::CameraControl::focalDistance(0.0f, 1080.0f), 1024.0f);
}

}  // namespace
