// The object position anchors: outline, flags, boundaries and path of the
// focus object, and a drag that moves the object and snaps it to another.
#include "render/anchor/AnchorTestSupport.h"

#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "effect/anchor/AnchorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Anchor::AnchorItem;
using Anchor::Float2;
using AnchorTest::outputOf;

void expectPoints(const std::vector<Float2>& actual, const std::vector<Float2>& expected, float tolerance = 1e-5f) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i].x, expected[i].x, tolerance);
        EXPECT_NEAR(actual[i].y, expected[i].y, tolerance);
    }
}

std::vector<const AnchorItem*> ofType(const Anchor::AnchorList& list, std::int32_t type) {
    std::vector<const AnchorItem*> found;
    for (const AnchorItem& item : list.items)
        if (item.type == type) found.push_back(&item);
    return found;
}

// Stored values of an item with step 0.1.
std::vector<std::int32_t> tenths(std::initializer_list<double> values) {
    std::vector<std::int32_t> stored;
    for (double v : values) stored.push_back(static_cast<std::int32_t>(std::lround(v * 10)));
    return stored;
}

class MoveEffectTest : public AnchorTest::AnchorFixture {};

TEST_F(MoveEffectTest, CurrentAnchorIsTheOutlineOfThePicture) {
    Edit::ObjectPointer object = place(0, 0, 20);
    outputOf(*object).x.values = tenths({30});
    outputOf(*object).y.values = tenths({-10});
    drawOutput(object, 5, 40, 20);

    // 200 × 100 scene: (X, Y) lands on (X / 100, −Y / 50).
    ASSERT_EQ(list.items.size(), 1u);
    const AnchorItem& item = list.items[0];
    EXPECT_EQ(item.type, AnchorItem::Polygon);
    EXPECT_EQ(item.index, 100000000);
    // Snapping outside any group or camera; not drawn without the focus.
    EXPECT_EQ(item.flags, 0x6010000u | 0x8000u | 0x20000000u);
    // Corners (−w/2, h/2) first; y grows down in the scene, up on the picture.
    expectPoints(item.points, {{0.1f, 0.0f}, {0.1f, 0.4f}, {0.5f, 0.4f}, {0.5f, 0.0f}});
    expectPoints(item.snapPoints, item.points);
    EXPECT_EQ(item.payload[0].x, 30);
    EXPECT_EQ(item.payload[0].y, -10);
    EXPECT_EQ(item.payload[1].x, 30);
    EXPECT_EQ(item.payload[4].x, 200);
    EXPECT_EQ(item.payload[4].y, 100);
    // The kept matrix places the position on the picture.
    const Float2 seen = Anchor::toNormalised(Anchor::transform(item.payload[0], item.matrix));
    EXPECT_NEAR(seen.x, 0.3f, 1e-5);
    EXPECT_NEAR(seen.y, 0.2f, 1e-5);

    // With the focus it is drawn, and a cross marks its centre.
    list.clear();
    scene.focusObject = object;
    drawOutput(object, 5, 40, 20);
    EXPECT_EQ(list.items[0].flags, 0x6018000u);
    ASSERT_EQ(ofType(list, AnchorItem::Cross).size(), 1u);
    expectPoints(ofType(list, AnchorItem::Cross)[0]->points, {{0.3f, 0.2f}});

    // Drawn differently (a model, particles): a large circle at the origin.
    list.clear();
    Render::ObjectContext context = contextFor(object, 5);
    context.drawnDifferently = 1;
    context.drawOutputAnchor(40, 20);
    EXPECT_EQ(list.items[0].type, AnchorItem::LargeCircle);
    expectPoints(list.items[0].points, {{0.3f, 0.2f}});
}

TEST_F(MoveEffectTest, NothingForALockedEffectOrLayer) {
    Edit::ObjectPointer object = place(2, 0, 20);
    outputOf(*object).lock = true;
    drawOutput(object, 5, 40, 20);
    EXPECT_TRUE(list.items.empty());

    outputOf(*object).lock = false;
    scene.getLayerObjectListGrow(2).layer->lock = true;
    drawOutput(object, 5, 40, 20);
    EXPECT_TRUE(list.items.empty());

    // A layer outside the table is an unlocked default one.
    scene.getLayerObjectListGrow(2).layer->lock = false;
    drawOutput(object, 5, 40, 20);
    EXPECT_EQ(list.items.size(), 1u);
}

TEST_F(MoveEffectTest, ClippingObjectOffersTheViewButtonOnce) {
    Edit::ObjectPointer object = place(0, 0, 20);
    object->clipping = true;
    Render::ObjectContext context = contextFor(object, 5);
    context.firstClippingObject = 1;
    context.drawOutputAnchor(40, 20);
    const auto images = ofType(list, AnchorItem::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->index, 200000000);
    EXPECT_EQ(images[0]->image, 4);  // the view is off

    list.clear();
    context.firstClippingObject = 0;
    context.drawOutputAnchor(40, 20);
    EXPECT_TRUE(ofType(list, AnchorItem::Image).empty());
}

TEST_F(MoveEffectTest, BoundariesAndMovementPathOfTheFocusObject) {
    // Two sections over frames 0 .. 20: X linear 0 → 100 → 40, Y
    // interpolated 0 → 50 → 0.
    Edit::ObjectPointer object = place(0, 0, 20);
    object->boundaries = {10};
    AnchorTest::PlaceOutput& output = outputOf(*object);
    output.x.movement = movements->linear;
    output.x.values = tenths({0, 100, 40});
    output.y.movement = movements->interpolation;
    output.y.values = tenths({0, 50, 0});
    scene.focusObject = object;
    drawOutput(object, 0, 40, 20);

    const auto polygons = ofType(list, AnchorItem::Polygon);
    ASSERT_EQ(polygons.size(), 4u);
    // The current anchor is hidden (several values) but draggable.
    EXPECT_EQ(polygons[0]->index, 100000000);
    EXPECT_TRUE(polygons[0]->flags & 0x20000000u);
    // One outline per boundary at its stored values.
    const float boundaryX[3] = {0, 100, 40}, boundaryY[3] = {0, 50, 0};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const AnchorItem& boundary = *polygons[i + 1];
        EXPECT_EQ(boundary.index, i);
        EXPECT_EQ(boundary.flags, 0x2080000u | 0x8000u);
        EXPECT_EQ(boundary.payload[0].x, boundaryX[i]);
        EXPECT_EQ(boundary.payload[0].y, boundaryY[i]);
        const float cx = boundaryX[i] / 100, cy = -boundaryY[i] / 50;
        expectPoints(boundary.points, {{cx - 0.2f, cy - 0.2f}, {cx - 0.2f, cy + 0.2f}, {cx + 0.2f, cy + 0.2f},
                                       {cx + 0.2f, cy - 0.2f}});
    }

    // 32 segments per section: 65 even samples, and the exact mid-point
    // after the sample at 31 · 20 / 64 (the next one reaches frame 10).
    const auto lines = ofType(list, AnchorItem::Line);
    ASSERT_EQ(lines.size(), 1u);
    std::vector<double> times;
    for (int j = 0; j <= 64; ++j) {
        times.push_back(j * 20.0 / 64);
        if (j == 31) times.push_back(10.0);
    }
    Render::ObjectContext context = contextFor(object, 0);
    std::vector<Float2> expected;
    for (const double t : times) {
        const double x = t <= 10 ? 10 * t : 100 - 6 * (t - 10);
        const double y = output.y.getValueAtTime(context, t);
        expected.push_back({static_cast<float>(x / 100), static_cast<float>(-y / 50)});
    }
    expectPoints(lines[0]->points, expected, 1e-4f);
    EXPECT_EQ(lines[0]->owner, &output);
    // A dot on every fourth even sample.
    EXPECT_EQ(ofType(list, AnchorItem::Dot).size(), 17u);
    expectPoints({ofType(list, AnchorItem::Dot)[1]->points[0]}, {expected[4]}, 1e-4f);
}

TEST_F(MoveEffectTest, PathSampleCounts) {
    struct Case {
        const char* name;
        bool ignoreMidPoints;
        bool randomY;
        std::size_t points;
    };
    const Case cases[] = {
        {"three sections", false, false, 97 + 2},
        {"all items ignore mid-points", true, false, 65 + 2},
        {"one item without a path", false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.clear();
        scene.clearLayer();
        Edit::ObjectPointer object = place(0, 0, 24);
        object->boundaries = {6, 12};
        AnchorTest::PlaceOutput& output = outputOf(*object);
        for (Effect::EffectItemNumber* item : {&output.x, &output.y, &output.z}) {
            item->movement = movements->linear;
            item->values = c.ignoreMidPoints ? tenths({0, 60}) : tenths({0, 20, 40, 60});
            item->flags = c.ignoreMidPoints ? Effect::EffectItemNumber::IgnoreMidPoints : 0;
        }
        if (c.randomY) output.y.movement = movements->random;
        scene.focusObject = object;
        drawOutput(object, 0, 40, 20);
        const auto lines = ofType(list, AnchorItem::Line);
        if (!c.points) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0]->points.size(), c.points);
    }
}

// A press on an object's anchor, steps and a release, as the preview's
// control runs them.
class Drag {
public:
    Drag(AnchorTest::Control& control, const AnchorItem& item) {
        record.control = &control;
        record.object = item.object;
        record.effect = item.effect;
        record.index = item.index;
        record.flags = item.flags;
        record.kind = Anchor::AnchorEvent::Drag;
        record.matrix = item.matrix;
        record.payload = item.payload;
    }
    void step(int x, int y) {
        record.dx = x - record.x;
        record.dy = y - record.y;
        record.x = x;
        record.y = y;
        EXPECT_TRUE(record.effect->anchorEvent(record));
    }

    Anchor::AnchorEvent record;
};

TEST_F(MoveEffectTest, DragMovesEverySectionAndSnapsWithinEightPixels) {
    // The dragged object (40 × 20) moves linearly over two sections; the
    // other one's left edge is at x = 40 (normalised 0.4).
    Edit::ObjectPointer dragged = place(0, 0, 20);
    dragged->boundaries = {10};
    AnchorTest::PlaceOutput& output = outputOf(*dragged);
    output.x.movement = movements->linear;
    output.x.values = tenths({0, 50, 100});
    Edit::ObjectPointer other = place(1, 0, 20);
    outputOf(*other).x.values = tenths({60});
    outputOf(*other).y.values = tenths({30});
    scene.focusObject = dragged;
    dragged->selected = true;  // the press selects the object it starts on
    drawOutput(dragged, 0, 40, 20);
    drawOutput(other, 0, 40, 20);

    // The picture is shown at twice its size: 8 preview pixels are 4 scene
    // pixels, 0.04 in normalised units.
    AnchorTest::Control control(0, 0, 400, 200);
    control.layout(list.items);
    // Both objects' outlines, the focus object's boundaries and corners.
    ASSERT_EQ(control.hitList.size(), 2u + 3u + 4u);
    Drag drag(control, *control.hitList[0]);

    // (10, 4) preview pixels are (5, 2) scene pixels: the right edge at 25
    // is 15 pixels from the other's left edge.
    drag.step(10, 4);
    EXPECT_EQ(output.x.values, tenths({5, 55, 105}));
    EXPECT_EQ(output.y.values, tenths({2}));
    ASSERT_EQ(control.snapWork.size(), 4u);  // the selected object's corners, moved
    EXPECT_NEAR(control.snapWork[2].x, 0.25f, 1e-5);

    // At 17 the right edge (37) is 3 pixels away: it snaps onto 40.
    drag.step(34, 4);
    EXPECT_EQ(output.x.values, tenths({20, 70, 120}));
    EXPECT_EQ(output.y.values, tenths({2}));

    // Back to 10: 10 pixels away, no snap; the step is taken from where
    // the snap left the object.
    drag.step(20, 4);
    EXPECT_EQ(output.x.values, tenths({10, 60, 110}));

    // 4.5 scene pixels (9 preview pixels) away does not snap.
    drag.step(31, 4);
    EXPECT_EQ(output.x.values, tenths({15.5, 65.5, 115.5}));
    EXPECT_EQ(outputOf(*other).x.values, tenths({60}));
}

TEST_F(MoveEffectTest, BoundaryDragSnapsToAnotherObject) {
    // The dragged object's start is at x = 0 (right edge 20); the other
    // one's left edge is at 40.
    Edit::ObjectPointer dragged = place(0, 0, 20);
    AnchorTest::PlaceOutput& output = outputOf(*dragged);
    output.x.movement = movements->linear;
    output.x.values = tenths({0, 100});
    Edit::ObjectPointer other = place(1, 0, 20);
    outputOf(*other).x.values = tenths({60});
    scene.focusObject = dragged;
    drawOutput(dragged, 0, 40, 20);
    drawOutput(other, 0, 40, 20);
    AnchorTest::Control control(0, 0, 400, 200);
    control.layout(list.items);
    const AnchorItem* start = nullptr;
    for (const AnchorItem* item : control.hitList)
        if (item->object == dragged && item->index == 0) start = item;
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(start->flags & Effect::AnchorFlag::Snap);

    // 17 scene pixels bring the right edge to 37, 3 from the other's edge.
    Drag drag(control, *start);
    drag.step(34, 0);
    EXPECT_EQ(output.x.values, tenths({20, 100}));
}

TEST_F(MoveEffectTest, DragWithoutSnapFlagsOrSnapOptionMovesFreely) {
    Edit::ObjectPointer dragged = place(0, 0, 20);
    Edit::ObjectPointer other = place(1, 0, 20);
    outputOf(*other).x.values = tenths({60});
    dragged->selected = true;
    drawOutput(dragged, 0, 40, 20);
    drawOutput(other, 0, 40, 20);
    AnchorTest::Control control(0, 0, 400, 200);
    control.layout(list.items);

    System::Singleton<Edit::EditService> edit;
    edit.getInstance()->anchorObjectMoveSnap = 0;
    Drag drag(control, *control.hitList[0]);
    drag.step(34, 0);
    EXPECT_EQ(outputOf(*dragged).x.values, tenths({17}));

    edit.getInstance()->anchorObjectMoveSnap = 1;
    Drag unflagged(control, *control.hitList[0]);
    unflagged.record.flags &= ~Effect::AnchorFlag::Snap;
    unflagged.step(34, 0);
    EXPECT_EQ(outputOf(*dragged).x.values, tenths({34}));
}

TEST_F(MoveEffectTest, CenterAnchorOptionDrawsCirclesAtBoundaries) {
    System::Singleton<Edit::EditService> edit;
    edit.getInstance()->displayObjectCenterAnchor = 1;
    Edit::ObjectPointer object = place(0, 0, 20);
    outputOf(*object).x.movement = movements->linear;
    outputOf(*object).x.values = tenths({0, 100});
    scene.focusObject = object;
    drawOutput(object, 0, 40, 20);
    // The current anchor keeps its outline; the boundaries are circles.
    EXPECT_EQ(ofType(list, AnchorItem::Polygon).size(), 1u);
    EXPECT_EQ(ofType(list, AnchorItem::LargeCircle).size(), 2u);
}

TEST_F(MoveEffectTest, EventsOtherThanDragsAreHandledWithoutChanges) {
    Edit::ObjectPointer object = place(0, 0, 20);
    object->boundaries = {8};
    outputOf(*object).x.movement = movements->linear;
    outputOf(*object).x.values = tenths({0, 50, 100});
    System::Singleton<Edit::EditService> edit;
    std::vector<int> selected;
    edit.getInstance()->hooks.getSettingObject = [&] { return object; };
    edit.getInstance()->hooks.setSettingFrame = [&](int frame) { selected.push_back(frame); };

    Anchor::AnchorEvent event;
    event.object = object;
    event.effect = object->effectList[1];
    event.kind = Anchor::AnchorEvent::Click;
    event.index = 100000000;
    EXPECT_TRUE(event.effect->anchorEvent(event));
    event.index = 1;
    EXPECT_TRUE(event.effect->anchorEvent(event));
    event.index = 2;
    EXPECT_TRUE(event.effect->anchorEvent(event));
    EXPECT_EQ(selected, (std::vector<int>{8, 20}));

    event.index = 200000000;
    EXPECT_TRUE(event.effect->anchorEvent(event));
    EXPECT_TRUE(edit.getInstance()->visibleClippingObject);

    // A double click on a boundary moves the edit cursor there.
    edit.getInstance()->getCurrentScene()->totalLength = 100;
    event.kind = Anchor::AnchorEvent::DoubleClick;
    event.index = 1;
    event.flags = Effect::AnchorFlag::Boundary;
    EXPECT_TRUE(event.effect->anchorEvent(event));
    EXPECT_EQ(edit.getInstance()->getCurrentScene()->cursorFrame, 8);
    event.index = 100000000;
    event.flags = 0;
    EXPECT_TRUE(event.effect->anchorEvent(event));
    EXPECT_EQ(edit.getInstance()->getCurrentScene()->cursorFrame, 8);

    event.kind = Anchor::AnchorEvent::RightDrag;
    EXPECT_FALSE(event.effect->anchorEvent(event));
    EXPECT_EQ(outputOf(*object).x.values, tenths({0, 50, 100}));
}

}  // namespace
