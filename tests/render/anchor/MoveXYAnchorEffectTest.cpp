// The point anchors of filters: drawn only for the focus object, in the
// object's own space, with boundaries and a path when the point moves, and
// dragged in the picture's plane.
#include "render/anchor/AnchorTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Anchor::AnchorItem;
using AnchorTest::outputOf;

class MoveXYAnchorEffectTest : public AnchorTest::AnchorFixture {
protected:
    // A focused object at (30, −10) with the filter; its point at (10, 5).
    AnchorTest::PointFilter& filterOn(const Edit::ObjectPointer& object) {
        outputOf(*object).x.values = {300};
        outputOf(*object).y.values = {-100};
        object->addEffect(AnchorTest::kPoint, object->getMidPointCount(), nullptr);
        auto& filter = dynamic_cast<AnchorTest::PointFilter&>(*object->effectList.back());
        filter.x.values = {10};
        filter.y.values = {5};
        return filter;
    }
    void drawFilters(const Edit::ObjectPointer& object, int at) {
        Render::ObjectContext context = contextFor(object, at);
        context.drawFilterAnchor(40, 20);
    }
};

TEST_F(MoveXYAnchorEffectTest, OnlyTheFocusObjectShowsItsPoint) {
    Edit::ObjectPointer object = place(0, 0, 20);
    filterOn(object);
    drawFilters(object, 5);
    EXPECT_TRUE(list.items.empty());

    scene.focusObject = object;
    drawFilters(object, 5);
    ASSERT_EQ(list.items.size(), 1u);
    const AnchorItem& item = list.items[0];
    EXPECT_EQ(item.type, AnchorItem::Circle);
    EXPECT_EQ(item.index, 100000000);
    EXPECT_EQ(item.flags, 0x8000u);  // a filter: no NotFilter bit, drawn
    // (10, 5) from the object's position (30, −10): (40, −5) in the scene.
    ASSERT_EQ(item.points.size(), 1u);
    EXPECT_NEAR(item.points[0].x, 0.4f, 1e-5);
    EXPECT_NEAR(item.points[0].y, 0.1f, 1e-5);
    EXPECT_EQ(item.payload[0].x, 10);
    EXPECT_EQ(item.payload[0].y, 5);
}

TEST_F(MoveXYAnchorEffectTest, SeveralValuesGiveBoundariesACrossAndAPath) {
    Edit::ObjectPointer object = place(0, 0, 20);
    object->boundaries = {10};
    AnchorTest::PointFilter& filter = filterOn(object);
    filter.x.movement = movements->linear;
    filter.x.values = {0, 20, 40};
    scene.focusObject = object;
    drawFilters(object, 0);

    std::vector<std::int32_t> types;
    for (const AnchorItem& item : list.items) types.push_back(item.type);
    const std::int32_t dots = AnchorItem::Dot;
    std::vector<std::int32_t> expected = {AnchorItem::Circle, AnchorItem::ColorPoint, AnchorItem::Circle,
                                          AnchorItem::Circle, AnchorItem::Circle};
    expected.insert(expected.end(), 17, dots);
    expected.push_back(AnchorItem::Line);
    EXPECT_EQ(types, expected);
    EXPECT_TRUE(list.items[0].flags & 0x20000000u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.items[2 + i].index, i);
        EXPECT_EQ(list.items[2 + i].flags, 0x80000u | 0x8000u);
        EXPECT_EQ(list.items[2 + i].payload[0].x, 20.0f * i);
    }
}

TEST_F(MoveXYAnchorEffectTest, ValuesNotLinedUpWithTheBoundariesHaveNoInnerAnchor) {
    Edit::ObjectPointer object = place(0, 0, 30);
    object->boundaries = {10, 20};
    AnchorTest::PointFilter& filter = filterOn(object);
    filter.x.movement = movements->linear;
    filter.x.values = {0, 20, 40};  // three values for four boundaries
    scene.focusObject = object;
    drawFilters(object, 0);
    std::vector<int> boundaries;
    for (const AnchorItem& item : list.items)
        if (item.flags & 0x80000u) boundaries.push_back(item.index);
    EXPECT_EQ(boundaries, (std::vector<int>{0, 3}));
}

TEST_F(MoveXYAnchorEffectTest, DragMovesThePointInThePicturePlane) {
    Edit::ObjectPointer object = place(0, 0, 20);
    AnchorTest::PointFilter& filter = filterOn(object);
    scene.focusObject = object;
    drawFilters(object, 5);
    AnchorTest::Control control(0, 0, 200, 100);  // one preview pixel per scene pixel
    control.layout(list.items);

    Anchor::AnchorEvent event;
    const AnchorItem& item = list.items[0];
    event.control = &control;
    event.object = item.object;
    event.effect = item.effect;
    event.index = item.index;
    event.flags = item.flags;
    event.kind = Anchor::AnchorEvent::Drag;
    event.matrix = item.matrix;
    event.payload = item.payload;
    event.x = 7;
    event.y = -3;
    EXPECT_TRUE(filter.anchorEvent(event));
    EXPECT_EQ(filter.x.values, (std::vector<std::int32_t>{17}));
    EXPECT_EQ(filter.y.values, (std::vector<std::int32_t>{2}));
    EXPECT_NEAR(event.payload[1].x, 17, 1e-3);
    EXPECT_EQ(event.payload[1].z, 0);

    // A view scaled to nothing cannot be inverted: the values stay.
    event.matrix = {};
    event.x = 50;
    EXPECT_TRUE(filter.anchorEvent(event));
    EXPECT_EQ(filter.x.values, (std::vector<std::int32_t>{17}));
    EXPECT_EQ(filter.y.values, (std::vector<std::int32_t>{2}));
}

}  // namespace
