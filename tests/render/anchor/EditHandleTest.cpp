// The edit handles of the focus object: scale corners and their drag,
// axis handles under a camera.
#include "render/anchor/AnchorTestSupport.h"

#include "effect/anchor/AnchorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Anchor::AnchorItem;
using AnchorTest::outputOf;

std::vector<const AnchorItem*> ofType(const Anchor::AnchorList& list, std::int32_t type) {
    std::vector<const AnchorItem*> found;
    for (const AnchorItem& item : list.items)
        if (item.type == type) found.push_back(&item);
    return found;
}

Anchor::AnchorEvent dragRecord(Anchor::AnchorControlData& control, const AnchorItem& item, int x, int y) {
    Anchor::AnchorEvent event;
    event.control = &control;
    event.object = item.object;
    event.effect = item.effect;
    event.index = item.index;
    event.flags = item.flags;
    event.kind = Anchor::AnchorEvent::Drag;
    event.matrix = item.matrix;
    event.payload = item.payload;
    event.x = x;
    event.y = y;
    return event;
}

class EditHandleTest : public AnchorTest::AnchorFixture {
protected:
    // A focused 40 × 20 object at (30, −10).
    Edit::ObjectPointer focused() {
        Edit::ObjectPointer object = place(0, 0, 20);
        outputOf(*object).x.values = {300};
        outputOf(*object).y.values = {-100};
        scene.focusObject = object;
        return object;
    }
};

TEST_F(EditHandleTest, ScaleCornersSitOnTheScaledBox) {
    Edit::ObjectPointer object = focused();
    outputOf(*object).zoom.values = {5000};  // 50 %
    drawOutput(object, 5, 40, 20);
    const auto squares = ofType(list, AnchorItem::Square);
    ASSERT_EQ(squares.size(), 4u);
    // Half size: corners (30 ∓ 10, −10 ∓ 5); between key frames the handles
    // change every section.
    const float xs[4] = {20, 40, 40, 20}, ys[4] = {-15, -15, -5, -5};
    const std::uint32_t bits[4] = {0x2080a0, 0x2080c0, 0x208120, 0x208140};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(squares[i]->index, 100000000);
        EXPECT_EQ(squares[i]->flags, bits[i]);  // the effect's own scale: no ResizeSize
        EXPECT_NEAR(squares[i]->points[0].x, xs[i] / 100, 1e-5);
        EXPECT_NEAR(squares[i]->points[0].y, -ys[i] / 50, 1e-5);
    }
    // No handles when the object is drawn as a centre point.
    list.clear();
    Render::ObjectContext context = contextFor(object, 5);
    context.drawnDifferently = 1;
    context.drawOutputAnchor(40, 20);
    EXPECT_TRUE(ofType(list, AnchorItem::Square).empty());
}

TEST_F(EditHandleTest, ScaleDragKeepsTheOppositeCorner) {
    struct Case {
        const char* name;
        int x, y;
        double zoom;
        double centreX, centreY;
    };
    // Corner C2 (50, 0) is 40 × 20 preview pixels from the centre on a
    // picture shown at twice its size; C0 (10, −20) stays.
    const double through = 16 / std::hypot(40.0, 20.0);
    const Case cases[] = {
        {"twice as far", 40, 20, 200, 50, 0},
        {"back to the start", 0, 0, 100, 30, -10},
        {"through the centre", -80, -40, 100 * through, 10 + 20 * through, -20 + 10 * through},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.clear();
        scene.clearLayer();
        Edit::ObjectPointer object = focused();
        drawOutput(object, 5, 40, 20);
        AnchorTest::Control control(0, 0, 400, 200);
        control.layout(list.items);
        const auto squares = ofType(list, AnchorItem::Square);
        ASSERT_EQ(squares.size(), 4u);
        Anchor::AnchorEvent event = dragRecord(control, *squares[2], c.x, c.y);
        EXPECT_TRUE(event.effect->anchorEvent(event));
        const AnchorTest::PlaceOutput& output = outputOf(*object);
        EXPECT_NEAR(output.zoom.values[0] / 100.0, c.zoom, 0.01);
        EXPECT_NEAR(output.x.values[0] / 10.0, c.centreX, 0.1);
        EXPECT_NEAR(output.y.values[0] / 10.0, c.centreY, 0.1);
    }
}

TEST_F(EditHandleTest, AxisHandlesUnderACamera) {
    Edit::ObjectPointer object = focused();
    auto camera = std::make_shared<Edit::Object>();
    auto cameraEffect = std::make_shared<AnchorTest::Camera>();
    // The flat view of the 200 × 100 scene turned 30° about Y (a handle
    // along the line of sight would have no length on the picture).
    const float c = std::cos(0.5235988f), s = std::sin(0.5235988f);
    const Media::Matrix4 flat = {10.24f, 0, 0, 0, 0, -20.48f, 0, 0, 0, 0, 0, 1, 0, 0, 51.2f, 1024};
    const Media::Matrix4 turned = {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
    cameraEffect->viewProjectionMatrix = Effect::Transform::multiply(turned, flat);
    camera->effectList.push_back(cameraEffect);

    Render::ObjectContext context = contextFor(object, 5);
    context.view.cameraControl = camera;
    context.drawOutputAnchor(40, 20);

    // Under a camera the object does not snap.
    EXPECT_EQ(list.items[0].flags, 0x18000u);
    const auto handles = ofType(list, AnchorItem::Handle);
    ASSERT_EQ(handles.size(), 3u);
    const std::uint32_t flags[3] = {0x100004, 0x100008, 0x100010};
    // From the position to 40 scene pixels back along each axis.
    const float ends[3][3] = {{-10, -10, 0}, {30, -50, 0}, {30, -10, -40}};
    const auto seen = [&](float x, float y, float z) {
        return Anchor::toNormalised(Anchor::transformPosition(x, y, z, cameraEffect->viewProjectionMatrix));
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(handles[i]->flags, flags[i]);
        EXPECT_NEAR(handles[i]->points[0].x, seen(30, -10, 0).x, 1e-5);
        EXPECT_NEAR(handles[i]->points[0].y, seen(30, -10, 0).y, 1e-5);
        EXPECT_NEAR(handles[i]->points[1].x, seen(ends[i][0], ends[i][1], ends[i][2]).x, 1e-5);
        EXPECT_NEAR(handles[i]->points[1].y, seen(ends[i][0], ends[i][1], ends[i][2]).y, 1e-5);
    }

    // The control scales drags along a handle by P2.x; only its axis moves.
    AnchorTest::Control control(0, 0, 200, 100);
    Anchor::AnchorEvent event = dragRecord(control, *handles[0], 20, 10);
    event.payload[2].x = 0.5f;
    const Anchor::Float4 moved = Anchor::unprojectScreenDelta(event, event.payload[0], event.matrix, 20, 10);
    EXPECT_TRUE(event.effect->anchorEvent(event));
    EXPECT_NEAR(outputOf(*object).x.values[0] / 10.0, 30 + 0.5 * (moved.x - 30), 0.1);
    EXPECT_EQ(outputOf(*object).y.values, (std::vector<std::int32_t>{-100}));
    EXPECT_EQ(outputOf(*object).z.values, (std::vector<std::int32_t>{0}));
}

}  // namespace
