// The handle of 座標 on the preview: one circle where its offsets put the
// object, circles at the section boundaries and the path between them when
// an offset is animated, and drags through the preview's anchor control
// that change X, Y and Z by the unprojected pointer offset, one undo step
// each.
#include "effects/basic/BasicTransform.h"

#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "media/gpu/ResourceBuffer.h"
#include "panels/anchor/AnchorControl.h"
#include "window/WindowControlOwner.h"

#include "render/anchor/AnchorTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Anchor::AnchorItem;
using Anchor::Float2;

// Stored values of the 座標 items (hundredths).
std::vector<std::int32_t> hundredths(std::initializer_list<double> values) {
    std::vector<std::int32_t> stored;
    for (double v : values) stored.push_back(static_cast<std::int32_t>(std::lround(v * 100)));
    return stored;
}

class CoordinateHandleTest : public AnchorTest::AnchorFixture {
protected:
    CoordinateHandleTest() { service.registerEffect<Effect::BasicMove>(); }

    Effect::BasicMove& moveOn(const Edit::ObjectPointer& object) {
        object->addEffect(Effect::BasicMove::Name, object->getMidPointCount(), nullptr);
        return dynamic_cast<Effect::BasicMove&>(*object->effectList.back());
    }
    // The frame as the walk draws it: the filters move the view, then the
    // handles are collected.
    void drawFilters(const Edit::ObjectPointer& object, int at) {
        Render::ObjectContext context = contextFor(object, at);
        context.filterVideo(nullptr);
        context.drawFilterAnchor(40, 20);
    }
    std::vector<std::int32_t> types() const {
        std::vector<std::int32_t> result;
        for (const AnchorItem& item : list.items) result.push_back(item.type);
        return result;
    }
};

TEST_F(CoordinateHandleTest, StaticOffsetsShowOneCircleOnTheFocusObjectOnly) {
    Edit::ObjectPointer object = place(0, 0, 20);
    Effect::BasicMove& move = moveOn(object);
    move.x.values = hundredths({30});
    move.y.values = hundredths({-10});
    drawFilters(object, 5);
    EXPECT_TRUE(list.items.empty());

    scene.focusObject = object;
    drawFilters(object, 5);
    ASSERT_EQ(types(), (std::vector<std::int32_t>{AnchorItem::LargeCircle}));
    const AnchorItem& item = list.items[0];
    EXPECT_EQ(item.index, 100000000);
    EXPECT_EQ(item.flags, 0x8000u);
    // (30, −10) in a 200 × 100 scene.
    EXPECT_NEAR(item.points[0].x, 0.3f, 1e-5);
    EXPECT_NEAR(item.points[0].y, 0.2f, 1e-5);
    EXPECT_EQ(item.payload[0].x, 30.0f);
    EXPECT_EQ(item.payload[0].y, -10.0f);
    EXPECT_EQ(item.payload[1].x, 30.0f);
}

TEST_F(CoordinateHandleTest, AnimatedOffsetsShowTheBoundariesAndThePath) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> x, z;
        // Boundary index → (x, z) of its circle.
        std::vector<std::pair<int, std::pair<float, float>>> circles;
        std::size_t pathPoints;
    };
    const Case cases[] = {
        {"X with one value per boundary",
         hundredths({0, 20, 40, 60}),
         hundredths({0}),
         {{0, {0, 0}}, {1, {20, 0}}, {2, {40, 0}}, {3, {60, 0}}},
         97 + 2},
        {"X with values that do not follow the boundaries: start and end only",
         hundredths({0, 30, 60}),
         hundredths({0}),
         {{0, {0, 0}}, {3, {60, 0}}},
         97 + 2},
        {"Z with one value per boundary", hundredths({0}), hundredths({0, 50, 100, 150}),
         {{0, {0, 0}}, {1, {0, 50}}, {2, {0, 100}}, {3, {0, 150}}}, 97 + 2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        list.clear();
        scene.clearLayer();
        Edit::ObjectPointer object = place(0, 0, 30);
        object->boundaries = {10, 20};
        Effect::BasicMove& move = moveOn(object);
        move.x.movement = move.z.movement = movements->linear;
        move.x.values = test.x;
        move.y.values = hundredths({-10});
        move.z.values = test.z;
        scene.focusObject = object;
        drawFilters(object, 0);

        // The current handle is listed for dragging, not drawn; a point
        // marks where the object is now.
        ASSERT_GE(list.items.size(), 2u);
        EXPECT_EQ(list.items[0].type, AnchorItem::LargeCircle);
        EXPECT_EQ(list.items[0].index, 100000000);
        EXPECT_EQ(list.items[0].flags, 0x20008000u);
        EXPECT_EQ(list.items[1].type, AnchorItem::ColorPoint);
        std::vector<std::pair<int, std::pair<float, float>>> circles;
        std::size_t lines = 0, pathPoints = 0;
        for (std::size_t i = 2; i < list.items.size(); ++i) {
            const AnchorItem& item = list.items[i];
            if (item.type == AnchorItem::LargeCircle) {
                EXPECT_EQ(item.flags, 0x88000u);
                EXPECT_EQ(item.payload[0].y, -10.0f);
                circles.push_back({item.index, {item.payload[0].x, item.payload[0].z}});
            } else if (item.type == AnchorItem::Line) {
                ++lines;
                pathPoints = item.points.size();
            }
        }
        EXPECT_EQ(circles, test.circles);
        EXPECT_EQ(lines, 1u);
        EXPECT_EQ(pathPoints, test.pathPoints);
    }
}

TEST_F(CoordinateHandleTest, ThePathEndsOnTheLastKey) {
    // 100 frames, one section: 32 segments of 3.125 frames, and nothing
    // sampled past the end.
    Edit::ObjectPointer object = place(0, 0, 100);
    Effect::BasicMove& move = moveOn(object);
    move.x.movement = movements->linear;
    move.x.values = hundredths({-50, 50});
    scene.focusObject = object;
    drawFilters(object, 0);
    const AnchorItem* path = nullptr;
    for (const AnchorItem& item : list.items)
        if (item.type == AnchorItem::Line) path = &item;
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(path->points.size(), 33u);
    EXPECT_NEAR(path->points.front().x, -0.5f, 1e-5);
    EXPECT_NEAR(path->points.back().x, 0.5f, 1e-5);
    EXPECT_NEAR(path->points[16].x, 0.0f, 1e-5);
}

class CoordinateDragTest : public CoordinateHandleTest {
protected:
    CoordinateDragTest() {
        owner.updateLayout();
        // The picture shown at twice the scene's size: 2 pixels a unit.
        control.pictureRect = {0, 0, 400, 200};
        control.isKeyHeld = [](int) { return false; };
        control.isDoubleClick = [] { return false; };
    }
    // A press on the handle under the scene point, steps, a release.
    void drag(Float2 at, std::initializer_list<std::pair<int, int>> steps) {
        control.setItems(std::move(list.items));
        list.items.clear();
        const int x = static_cast<int>(200 + at.x * 2), y = static_cast<int>(100 + at.y * 2);
        Anchor::AnchorItem* item = control.hitTestAnchor(x, y);
        ASSERT_NE(item, nullptr);
        control.beginAnchorDrag(x, y, Anchor::AnchorControl::LeftButton, item);
        for (const auto& [dx, dy] : steps) control.moveAnchorDrag(dx, dy);
        control.endAnchorDrag();
    }

    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Undo::UndoService& undo = *undoHolder.getInstance();
    Window::Rect clip{0, 0, 400, 200};
    Window::Rect source{0, 0, 400, 200};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &clip, &source};
    Anchor::AnchorControl control{owner, 0, 0, 0, 0};
};

TEST_F(CoordinateDragTest, DraggingMovesByTheUnprojectedOffsetAndBackRestores) {
    Edit::ObjectPointer object = place(0, 0, 20);
    Effect::BasicMove& move = moveOn(object);
    move.x.values = hundredths({30});
    move.y.values = hundredths({-10});
    scene.focusObject = object;

    // 50 pixels right and 20 down are 25 and 10 scene pixels.
    drawFilters(object, 5);
    drag({30, -10}, {{10, 0}, {50, 20}});
    EXPECT_EQ(move.x.values, hundredths({55}));
    EXPECT_EQ(move.y.values, hundredths({0}));
    EXPECT_EQ(move.z.values, hundredths({0}));

    // Away and back to the press point: the values the drag started from.
    drawFilters(object, 5);
    drag({55, 0}, {{-30, 7}, {-61, 13}, {0, 0}});
    EXPECT_EQ(move.x.values, hundredths({55}));
    EXPECT_EQ(move.y.values, hundredths({0}));

    // The first drag is one step; the one that came back made none.
    undo.undo();
    EXPECT_EQ(move.x.values, hundredths({30}));
    EXPECT_EQ(move.y.values, hundredths({-10}));
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(CoordinateDragTest, DraggingABoundaryMovesOnlyItsValue) {
    Edit::ObjectPointer object = place(0, 0, 20);
    object->boundaries = {10};
    Effect::BasicMove& move = moveOn(object);
    move.x.movement = movements->linear;
    move.x.values = hundredths({0, 20, 40});
    scene.focusObject = object;
    drawFilters(object, 0);
    drag({20, 0}, {{-8, 6}});
    EXPECT_EQ(move.x.values, hundredths({0, 16, 40}));
    // A static item moves as a whole.
    EXPECT_EQ(move.y.values, hundredths({3}));
}

}  // namespace
