// The camera control in an editing preview: its guides (grid, frustum in
// free view) appear only there, never in an export of the same frame; its
// handle carries the orbit of the camera; drags orbit the free-view camera
// no nearer than 256 to its target, refuse to edit an animated camera
// between its boundaries, and are one undo step each.
#include "effects/camera/CameraDrag.h"

#include "core/base/Singleton.h"
#include "edit/undo/UndoService.h"
#include "panels/anchor/AnchorControl.h"
#include "window/WindowControlOwner.h"

#include "effects/camera/CameraTestSupport.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <numbers>

namespace {

using Anchor::AnchorItem;
using CameraTest::Rgba;

float totalAlpha(const std::vector<Rgba>& pixels) {
    float sum = 0.0f;
    for (const Rgba& pixel : pixels) sum += pixel[3];
    return sum;
}

const AnchorItem* findType(const std::vector<AnchorItem>& items, std::int32_t type) {
    for (const AnchorItem& item : items)
        if (item.type == type) return &item;
    return nullptr;
}

class CameraPreviewWalk : public CameraTest::CameraWalk {};

TEST_F(CameraPreviewWalk, InFreeViewTheFrustumIsDrawnAndAnExportHasNoGuidePixels) {
    placeCamera();
    worker.cameraGrid = 0;
    worker.cameraFreeView = 1;
    // The free-view camera looks from the right at the camera's line of
    // sight (z from -1024 to 0), which crosses the whole frame on the
    // middle row: view x = world z, 2048 away, so ±512 land ±256 pixels out.
    scene().camera = {2048, 0, -512, 1, 0, 0, -512, 1, 0, 1, 0, 0, 0, 1024};
    const auto preview = renderPreview(3);
    EXPECT_GT(rowCoverage(preview, 18), 20.0f);
    for (int x : {2, 32, 61}) EXPECT_GT(at(preview, x, 18)[3], 0.2f) << x;
    EXPECT_EQ(totalAlpha(render(3)), 0.0f);
    // Without free view the camera's own frustum is not drawn.
    worker.cameraFreeView = 0;
    EXPECT_EQ(totalAlpha(renderPreview(3)), 0.0f);
}

TEST_F(CameraPreviewWalk, TheGridLiesOnTheGroundOnlyInThePreview) {
    Effect::CameraControl& camera = placeCamera();
    // Looking down from above at 45°: the grid lines of the plane y = 0
    // cover the picture.
    camera.y.setValue(-1024, 0);
    worker.cameraGrid = 1;
    const auto withGrid = renderPreview(3);
    EXPECT_GT(totalAlpha(withGrid), 50.0f);
    EXPECT_EQ(totalAlpha(render(3)), 0.0f);
    worker.cameraGrid = 0;
    EXPECT_EQ(totalAlpha(renderPreview(3)), 0.0f);
    // A step the grid dialog would never give draws no grid.
    worker.cameraGrid = 1;
    scene().gridStep = 0.0f;
    EXPECT_EQ(totalAlpha(renderPreview(3)), 0.0f);
}

TEST_F(CameraPreviewWalk, GridLinesBehindAnObjectAreHidden) {
    scene().width = 128;
    scene().height = 72;
    Effect::CameraControl& camera = placeCamera();
    camera.y.setValue(-1024, 0);
    worker.cameraGrid = 1;
    const auto gridOnly = renderPreview(3);
    // An opaque square standing across the ground at the origin: its upper
    // half hides the ground behind it (z > 0).
    placeSquare(1, 40);
    const auto exported = render(3);
    const auto preview = renderPreview(3);
    int top = -1, bottom = -1;
    for (int y = 0; y < 72; ++y)
        if (at(exported, 64, y)[3] > 0.99f) {
            if (top < 0) top = y;
            bottom = y;
        }
    ASSERT_GT(bottom - top, 12);
    float gridThere = 0.0f;
    for (int y = top + 1; y < top + (bottom - top) / 3; ++y)
        for (int x = 0; x < 128; ++x) {
            if (at(exported, x, y)[3] < 0.999f) continue;
            gridThere += at(gridOnly, x, y)[3];
            MediaTest::expectNear(at(preview, x, y), at(exported, x, y), 0.002f);
        }
    EXPECT_GT(gridThere, 1.0f);
}

TEST_F(CameraPreviewWalk, TheFocusAxesGoThroughTheFocusedObjectOrTheTarget) {
    Effect::CameraControl& camera = placeCamera();
    camera.targetX.setValue(7, 0);
    Edit::ObjectPointer square = placeSquare(1, 8);
    outputOf(square).x.setValue(100, 0);
    outputOf(square).z.setValue(50, 0);
    renderPreview(3);
    EXPECT_EQ(camera.focusMarker[3], 0.0f);  // nothing in focus
    scene().focusObject = square;
    renderPreview(3);
    EXPECT_EQ(camera.focusMarker, (std::array<float, 4>{100, 0, 50, 1}));
    scene().focusObject = objectAt(0, 3);
    renderPreview(3);
    EXPECT_EQ(camera.focusMarker, (std::array<float, 4>{7, 0, 0, 1}));
    // An export draws no handles and leaves no marker.
    render(3);
    EXPECT_EQ(camera.focusMarker[3], 0.0f);
}

TEST_F(CameraPreviewWalk, TheCameraHandleCarriesTheOrbitAndTheIcon) {
    Effect::CameraControl& camera = placeCamera();
    camera.y.setValue(-1024, 0);
    camera.targetX.setValue(10, 0);
    std::vector<AnchorItem> anchors;
    renderPreview(3, &anchors);
    const AnchorItem* handle = findType(anchors, AnchorItem::CameraView);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->flags, 0x40000000u);
    EXPECT_EQ(handle->index, 100000000);
    EXPECT_EQ(handle->payload[0].x, 10.0f);
    EXPECT_EQ(handle->payload[1].x, 10.0f);
    // Eye (0, -1024, -1024) about target (10, 0, 0).
    const float l[3] = {-10.0f, -1024.0f, -1024.0f};
    EXPECT_NEAR(handle->payload[2].x, std::atan2(std::hypot(l[0], l[2]), l[1]), 1e-5);
    EXPECT_NEAR(handle->payload[2].y, std::atan2(l[0], l[2]), 1e-5);
    EXPECT_NEAR(handle->payload[2].z, std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]), 1e-2);
    EXPECT_EQ(handle->payload[2].w, 0.0f);
    const AnchorItem* icon = findType(anchors, AnchorItem::Image);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->index, 200000001);
    EXPECT_EQ(icon->image, 1);  // both groups hold one value: editable
}

TEST(CameraDragMath, OrbitsKeepTheirLimits) {
    const Media::Float3 target = {10, 20, 30};
    const Effect::CameraOrbit orbit = Effect::orbitOf({10, 20, -994}, target);
    EXPECT_NEAR(orbit.pitch, std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(std::fabs(orbit.yaw), std::numbers::pi, 1e-6);
    EXPECT_NEAR(orbit.distance, 1024.0f, 1e-3);
    const Media::Float3 eye = Effect::orbitEye(orbit, target);
    EXPECT_NEAR(eye.x, 10.0f, 1e-3);
    EXPECT_NEAR(eye.y, 20.0f, 1e-3);
    EXPECT_NEAR(eye.z, -994.0f, 1e-3);
    // 1000 pixels turn a half turn; the pitch stops short of the poles.
    EXPECT_NEAR(Effect::dragOrbit(orbit, 1000, 0, false).yaw - orbit.yaw, std::numbers::pi, 1e-4);
    EXPECT_FLOAT_EQ(Effect::dragOrbit(orbit, 0, 5000, false).pitch, 3.1405928f);
    EXPECT_FLOAT_EQ(Effect::dragOrbit(orbit, 0, -5000, false).pitch, 0.001f);
    EXPECT_FLOAT_EQ(Effect::dragOrbit(orbit, 0, -1000, true).distance, 4.0f);
    EXPECT_FLOAT_EQ(Effect::dragOrbit(orbit, 0, 10, true).distance, 1024.0f + 80.0f);
    // The free view's target stays 256 away along its way.
    const Media::Float3 near = Effect::freeViewTarget({0, 0, 0}, {0, 30, 40});
    EXPECT_NEAR(near.y, 256.0f * 0.6f, 1e-3);
    EXPECT_NEAR(near.z, 256.0f * 0.8f, 1e-3);
    const Media::Float3 on = Effect::freeViewTarget({5, 5, 5}, {5, 5, 5});
    EXPECT_NEAR(on.z, 5.0f + 256.0f, 1e-3);
    const Media::Float3 far = Effect::freeViewTarget({0, 0, 0}, {0, 0, 300});
    EXPECT_EQ(far.z, 300.0f);
}

// The real preview handle driven through the preview's anchor control.
struct UndoFirst {
    System::Singleton<Undo::UndoService> undoHolder;
};

class CameraDragWalk : public UndoFirst, public CameraTest::CameraWalk {
protected:
    CameraDragWalk() {
        owner.updateLayout();
        control.pictureRect = {0, 0, 64, 36};
        control.isKeyHeld = [](int) { return false; };
        control.isDoubleClick = [] { return false; };
        control.use(&edit, undoHolder.getInstance());
    }
    // A right drag on the picture through the given steps (offsets from
    // the press), with the handles of a preview of the frame.
    void rightDrag(int frame, std::initializer_list<std::pair<int, int>> steps) {
        std::vector<AnchorItem> anchors;
        renderPreview(frame, &anchors);
        control.setItems(std::move(anchors));
        control.beginAnchorDrag(32, 18, Anchor::AnchorControl::RightButton, control.findCameraView());
        for (const auto& [x, y] : steps) control.moveAnchorDrag(x, y);
        control.endAnchorDrag();
    }

    // The project as saved, byte for byte.
    std::string savedBytes() {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("camera-drag-" + std::to_string(::getpid()) + ".mvp2");
        EXPECT_TRUE(edit.saveProject(path.wstring(), true));
        std::ifstream file(path, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        std::filesystem::remove(path);
        return bytes.str();
    }

    Window::Rect clip{0, 0, 64, 36};
    Window::Rect source{0, 0, 64, 36};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &clip, &source};
    // The control on the walk's own edit service.
    struct Control : Anchor::AnchorControl {
        using AnchorControl::AnchorControl;
        void use(Edit::EditService* edit, Undo::UndoService* undo) {
            editService = edit;
            undoService = undo;
        }
    };
    Control control{owner, 0, 0, 0, 0};
};

TEST_F(CameraDragWalk, AFreeViewDragOrbitsTheSceneCameraNoNearerThan256) {
    placeCamera();
    worker.cameraFreeView = 1;
    scene().camera = {0, 0, -100, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1024};
    // 500 pixels turn the yaw by a quarter: from π (eye on -z) to 3π/2,
    // the eye at (-100, 0, 0); the target is pushed to 256 beyond it.
    rightDrag(3, {{500, 0}});
    const Edit::Scene::CameraView& view = scene().camera;
    EXPECT_NEAR(view[0], -100.0f, 0.01f);
    EXPECT_NEAR(view[1], 0.0f, 0.01f);
    EXPECT_NEAR(view[2], 0.0f, 0.01f);
    EXPECT_NEAR(view[4], 156.0f, 0.01f);
    EXPECT_NEAR(view[6], 0.0f, 0.01f);
    // The camera object itself is untouched.
    EXPECT_FALSE(undoHolder.getInstance()->canUndo());
}

TEST_F(CameraDragWalk, ADragIsOneUndoStepAndBetweenBoundariesOfAnAnimatedCameraChangesNothing) {
    Effect::CameraControl& camera = placeCamera();
    Edit::ObjectPointer object = objectAt(0, 0);
    const std::string saved = savedBytes();

    rightDrag(3, {{200, 0}, {500, 0}});
    // A quarter turn of the eye about the origin at 1024: (-1024, 0, 0).
    EXPECT_NEAR(camera.x.values[0] / 100.0, -1024.0, 0.02);
    EXPECT_NEAR(camera.z.values[0] / 100.0, 0.0, 0.02);
    EXPECT_NE(savedBytes(), saved);
    undoHolder.getInstance()->undo();
    EXPECT_EQ(savedBytes(), saved);
    EXPECT_FALSE(undoHolder.getInstance()->canUndo());

    // Two sections, X moving from 0 to 100 to 200.
    object->boundaries = {10};
    camera.x.setMovement(*service.findMovement(L"直線移動").prototype);
    camera.x.values = {0, 10000, 20000};
    const std::vector<std::int32_t> before = camera.x.values;
    rightDrag(5, {{500, 0}});
    EXPECT_EQ(camera.x.values, before);
    EXPECT_EQ(camera.z.values, std::vector<std::int32_t>{-102400});
    // On a boundary only that boundary's values change.
    rightDrag(10, {{500, 0}});
    EXPECT_EQ(camera.x.values[0], 0);
    EXPECT_NE(camera.x.values[1], 10000);
    EXPECT_EQ(camera.x.values[2], 20000);
}

}  // namespace

namespace {

TEST_F(CameraDragWalk, WithATargetOnItsOwnLayerADragPansTheCamera) {
    Effect::CameraControl& camera = placeCamera();
    camera.targetLayer.setValue(1, 0);
    // One preview pixel is one unit at the target's distance: the camera
    // moves against the pointer, so the scene follows it.
    rightDrag(3, {{6, 0}, {10, -4}});
    EXPECT_EQ(camera.x.values, std::vector<std::int32_t>{-1000});
    EXPECT_EQ(camera.y.values, std::vector<std::int32_t>{400});
    EXPECT_EQ(camera.z.values, std::vector<std::int32_t>{-102400});
    EXPECT_EQ(camera.targetX.values, std::vector<std::int32_t>{0});
}

}  // namespace
