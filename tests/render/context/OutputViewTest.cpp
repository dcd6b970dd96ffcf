// The object, screen, world, view and light matrices against points worked
// out by hand.
#include "edit/model/Object.h"
#include "effect/base/ControlState.h"
#include "effect/base/EffectBase.h"
#include "effect/base/OutputView.h"
#include "media/gpu/LightSource.h"
#include "media/gpu/RenderBuffer.h"

#include "media/GpuFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using Effect::OutputView;
using Effect::Transform::Float4;
using Media::Matrix4;

constexpr float kTolerance = 1e-4f;

// (x, y, z, 1) × M, divided by w.
Float4 project(const Matrix4& m, float x, float y, float z) {
    const Float4 p = Effect::Transform::transform({x, y, z, 1.0f}, m);
    return {p.x / p.w, p.y / p.w, p.z / p.w, p.w};
}

void expectPoint(const Float4& actual, float x, float y, float z) {
    EXPECT_NEAR(actual.x, x, kTolerance);
    EXPECT_NEAR(actual.y, y, kTolerance);
    EXPECT_NEAR(actual.z, z, kTolerance);
}

struct PointCase {
    const char* what;
    std::function<void(OutputView&)> setUp;
    float in[3];
    float out[3];
};

TEST(OutputViewTest, ObjectMatrixPivotsScalesTurnsThenMoves) {
    const PointCase cases[] = {
        {"defaults leave a point", [](OutputView&) {}, {3, 4, 5}, {3, 4, 5}},
        {"position moves", [](OutputView& v) { v.x = 10, v.y = -20, v.z = 30; }, {1, 2, 3}, {11, -18, 33}},
        // y grows downwards on the screen, so a turn about z takes x to y.
        {"rotation z 90", [](OutputView& v) { v.rotationZ = 90; }, {1, 0, 0}, {0, 1, 0}},
        {"rotation y 90", [](OutputView& v) { v.rotationY = 90; }, {1, 0, 0}, {0, 0, -1}},
        {"rotation x 90", [](OutputView& v) { v.rotationX = 90; }, {0, 1, 0}, {0, 0, 1}},
        // z first, then x: (1,0,0) -> (0,1,0) -> (0,0,1).
        {"rotation z then x", [](OutputView& v) { v.rotationZ = 90, v.rotationX = 90; }, {1, 0, 0}, {0, 0, 1}},
        {"centre stays at the origin", [](OutputView& v) { v.centerX = 10, v.rotationZ = 90; }, {10, 0, 0}, {0, 0, 0}},
        {"turn about the centre", [](OutputView& v) { v.centerX = 10, v.rotationZ = 90, v.x = 5, v.y = 6, v.z = 7; },
         {20, 0, 0}, {5, 16, 7}},
        // The centre is removed before scaling and not scaled back.
        {"scale about the centre", [](OutputView& v) { v.scaleX = 2, v.centerX = 5, v.x = 30, v.y = 40; },
         {5, 0, 0}, {30, 40, 0}},
        {"scale doubles the distance", [](OutputView& v) { v.scaleX = 2, v.centerX = 5, v.x = 30, v.y = 40; },
         {6, 0, 0}, {32, 40, 0}},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(c.what);
        OutputView view;
        c.setUp(view);
        expectPoint(project(view.getObjectMatrix(), c.in[0], c.in[1], c.in[2]), c.out[0], c.out[1], c.out[2]);
    }
}

TEST(OutputViewTest, RotationMatrixHasNoCentreOrPosition) {
    OutputView view;
    view.scaleX = 3;
    view.rotationZ = 90;
    view.centerX = 100;
    view.x = 50;
    expectPoint(project(view.getRotationMatrix(), 1, 0, 0), 0, 3, 0);
}

TEST(OutputViewTest, ScreenMatrixPutsTheVanishingPointAtThePosition) {
    const PointCase cases[] = {
        {"top right corner", [](OutputView&) {}, {960, -540, 0}, {1, 1, 0.05f}},
        {"bottom left corner", [](OutputView&) {}, {-960, 540, 0}, {-1, -1, 0.05f}},
        {"centre", [](OutputView&) {}, {0, 0, 0}, {0, 0, 0.05f}},
        {"own position at z 0", [](OutputView& v) { v.x = 96, v.y = 54; }, {96, 54, 0}, {0.1f, -0.1f, 0.05f}},
        // Deeper points shrink towards the view's own position, not the
        // frame centre; depth halves at twice the eye distance.
        {"own position deeper", [](OutputView& v) { v.x = 96, v.y = 54; }, {96, 54, 1024}, {0.1f, -0.1f, 0.025f}},
        {"off position deeper", [](OutputView& v) { v.x = 96, v.y = 54; }, {96 + 192, 54, 1024}, {0.2f, -0.1f, 0.025f}},
        {"nearer grows", [](OutputView&) {}, {480, 0, -512}, {1, 0, 0.1f}},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(c.what);
        OutputView view;
        c.setUp(view);
        expectPoint(project(view.getScreenMatrix(1920, 1080), c.in[0], c.in[1], c.in[2]), c.out[0], c.out[1],
                    c.out[2]);
    }
}

// Control records as the control effects keep them.
class GroupRecord : public Effect::EffectBase, public Effect::GroupControlState {
public:
    GroupRecord() : EffectBase(L"グループ制御", Effect::EffectKind::Control, Effect::MediaKind::Video, 1, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<GroupRecord>(); }
};
class CameraRecord : public Effect::EffectBase, public Effect::CameraControlState {
public:
    CameraRecord() : EffectBase(L"カメラ制御", Effect::EffectKind::Control, Effect::MediaKind::Camera, 4, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<CameraRecord>(); }
};

template <class Record>
std::shared_ptr<Edit::Object> controlObject(std::shared_ptr<Record>& record) {
    auto object = std::make_shared<Edit::Object>();
    record = std::make_shared<Record>();
    object->effectList.push_back(record);
    return object;
}

TEST(OutputViewTest, WorldAndViewFollowTheControlsInForce) {
    OutputView view;
    view.x = 10;

    std::shared_ptr<GroupRecord> group;
    view.groupControl = controlObject(group);
    group->worldMatrix = Effect::Transform::translation(100, 0, 0);
    group->viewMatrix = Effect::Transform::scaling(0.5f, 0.5f, 1);
    expectPoint(project(view.getWorldMatrix(), 0, 0, 0), 110, 0, 0);
    expectPoint(project(view.getViewMatrix(), 8, 6, 4), 4, 3, 4);
    expectPoint(project(view.getWorldViewMatrix(), 0, 0, 0), 55, 0, 0);
    // The parent's space: group world, then the group's view.
    expectPoint(project(view.getGroupViewMatrix(), 0, 0, 0), 50, 0, 0);

    std::shared_ptr<CameraRecord> camera;
    view.cameraControl = controlObject(camera);
    camera->viewProjectionMatrix = Effect::Transform::translation(0, 0, 7);
    expectPoint(project(view.getViewMatrix(), 1, 2, 3), 1, 2, 10);
    expectPoint(project(view.getGroupViewMatrix(), 0, 0, 0), 100, 0, 7);
    view.groupControl.reset();
    expectPoint(project(view.getWorldViewMatrix(), 0, 0, 0), 10, 0, 7);
    expectPoint(project(view.getGroupViewMatrix(), 0, 0, 0), 0, 0, 7);

}

using OutputViewScreenTest = MediaTest::GpuTest;

TEST_F(OutputViewScreenTest, WithoutControlsTheFrameTargetSizesTheScreen) {
    Media::RenderBuffer target(service().pixelFormat);
    target.createTexture2D(200, 100);
    OutputView view;
    view.target = &target;
    view.x = 20;
    view.z = 512;
    expectPoint(project(view.getViewMatrix(), 20, -10, 0), 0.2f, 0.2f, 0.05f);
    expectPoint(project(view.getWorldViewMatrix(), 0, 0, 0), 0.2f, 0, 51.2f / 1536);
    // The parent's space is the screen seen from the object's own depth.
    expectPoint(project(view.getGroupViewMatrix(), 20, 0, 512), 0.2f, 0, 0.05f);
}

TEST(OutputViewTest, LightViewLooksFromTheLightAtTheCameraTarget) {
    OutputView view;
    std::shared_ptr<CameraRecord> camera;
    view.cameraControl = controlObject(camera);
    camera->target = {10, 20, 30};
    Media::LightSource light{};
    light.pos[2] = -100;  // 100 pixels in front of the target
    light.range = 200;
    light.depth = 400;
    const Matrix4 m = view.getLightViewMatrix(light);
    // The target sits 100 along the light's view: depth 100 / 400 + 0.5.
    expectPoint(project(m, 10, 20, 30), 0, 0, 0.75f);
    expectPoint(project(m, 60, 20, 30), 0.5f, 0, 0.75f);
    expectPoint(project(m, 10, 70, 30), 0, -0.5f, 0.75f);
    expectPoint(project(m, 10, 20, 130), 0, 0, 1.0f);
}

}  // namespace
