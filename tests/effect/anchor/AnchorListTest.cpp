// The adders of the anchor list: projection through a row-vector matrix,
// the near-plane rule, each kind's points, flags and snap points, and the
// hand-over of a finished list between threads.
#include "edit/model/Object.h"
#include "effect/EffectTestSupport.h"
#include "effect/anchor/AnchorList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace Effect::Transform {
bool operator==(const Float4& a, const Float4& b) { return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w; }
}  // namespace Effect::Transform

namespace {

using Anchor::AnchorItem;
using Anchor::AnchorList;
using Anchor::Float2;
using Anchor::Float4;

// clip = (x, y, 1, z + 2): in front exactly when z > −1; (x/2, y/2) at z = 0.
const Media::Matrix4 depthView = {1, 0, 0, 0,  //
                                  0, 1, 0, 0,  //
                                  0, 0, 0, 1,  //
                                  0, 0, 1, 2};

// clip = (x, y, 1, x + y + 3.5): the corner (−w/2, −h/2) of a 4 × 4
// rectangle is behind the near plane, the others in front.
const Media::Matrix4 cornerBehind = {1, 0, 0, 1,  //
                                     0, 1, 0, 1,  //
                                     0, 0, 0, 0,  //
                                     0, 0, 1, 3.5f};

void expectPoints(const std::vector<Float2>& actual, const std::vector<Float2>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-5);
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-5);
    }
}

struct AnchorListTest : ::testing::Test {
    AnchorList list;
    std::shared_ptr<Edit::Object> object = std::make_shared<Edit::Object>();
    std::shared_ptr<Effect::EffectBase> effect = std::make_shared<EffectTest::BareEffect>();
};

TEST_F(AnchorListTest, PointKindsProjectAndRejectBehindTheNearPlane) {
    using Adder = AnchorItem& (AnchorList::*)(const AnchorList::ObjectPointer&, const AnchorList::EffectPointer&,
                                              int, float, float, float, const Media::Matrix4&, std::uint32_t);
    struct Kind {
        Adder add;
        std::int32_t type;
    };
    const Kind kinds[] = {{&AnchorList::addLargeCircle, AnchorItem::LargeCircle},
                          {&AnchorList::addCircle, AnchorItem::Circle},
                          {&AnchorList::addSmallCircle, AnchorItem::SmallCircle}};
    struct Case {
        float z;
        bool kept;
        Float2 point;
    };
    const Case cases[] = {
        {0.0f, true, {1.0f, 2.0f}},    // w 2
        {2.0f, true, {0.5f, 1.0f}},    // w 4
        {-0.5f, true, {4.0f / 3, 8.0f / 3}},  // w 1.5: w / z − 1 = 0.5
        {-1.0f, false, {}},            // w / z − 1 exactly 0
        {-3.0f, false, {}},            // w −1 against z 1: opposite signs
    };
    for (const Kind& kind : kinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "type " << kind.type << " z " << c.z);
            list.clear();
            AnchorItem& item = (list.*kind.add)(object, effect, 7, 2.0f, 4.0f, c.z, depthView, 0x10000);
            if (!c.kept) {
                EXPECT_TRUE(list.items.empty());
                EXPECT_EQ(item.type, 0);
                continue;
            }
            ASSERT_EQ(list.items.size(), 1u);
            EXPECT_EQ(&item, &list.items[0]);
            EXPECT_EQ(item.type, kind.type);
            EXPECT_EQ(item.flags, 0x18000u);  // the caller's bits plus Owned
            EXPECT_EQ(item.index, 7);
            EXPECT_EQ(item.object, object);
            EXPECT_EQ(item.effect, effect);
            EXPECT_EQ(item.owner, effect.get());
            expectPoints(item.points, {c.point});
        }
    }
}

TEST_F(AnchorListTest, ScratchItemOfARejectedAddIsResetAndInNoList) {
    AnchorItem& first = list.addCircle(object, effect, 1, 0, 0, -5, depthView, 0);
    first.index = 55;
    first.points.push_back({1, 1});
    AnchorItem& second = list.addCircle(object, effect, 1, 0, 0, -5, depthView, 0);
    EXPECT_EQ(second.type, 0);
    EXPECT_EQ(second.index, 0);
    EXPECT_TRUE(second.points.empty());
    EXPECT_TRUE(list.items.empty());
}

TEST_F(AnchorListTest, FlatRectangleIsAPolygonWithItsCornersAsSnapPoints) {
    struct Case {
        std::uint32_t flags;
        std::size_t snapPoints;
    };
    const Case cases[] = {{0, 0}, {AnchorItem::SnapMove, 4}, {AnchorItem::SnapSource, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        list.clear();
        AnchorItem& item = list.addRectangle(object, effect, 100000000, 4, 2, depthView, c.flags);
        ASSERT_EQ(list.items.size(), 1u);
        EXPECT_EQ(item.type, AnchorItem::Polygon);
        EXPECT_EQ(item.flags, c.flags | AnchorItem::Owned);
        // (−2, 1), (−2, −1), (2, −1), (2, 1) over w 2.
        const std::vector<Float2> corners = {{-1, 0.5f}, {-1, -0.5f}, {1, -0.5f}, {1, 0.5f}};
        expectPoints(item.points, corners);
        if (c.snapPoints) expectPoints(item.snapPoints, corners);
        else EXPECT_TRUE(item.snapPoints.empty());
    }
}

TEST_F(AnchorListTest, RectangleCrossingTheNearPlaneIsClippedToFivePoints) {
    AnchorItem& item = list.addRectangle(object, effect, 0, 4, 4, cornerBehind, AnchorItem::SnapSource);
    ASSERT_EQ(list.items.size(), 1u);
    // Corners (−2, 2) w 3.5, (−2, −2) w −0.5 (behind), (2, −2) w 3.5,
    // (2, 2) w 7.5; the two edges into the hidden corner cross the plane
    // at t = 2.5 / 4 and 1.5 / 4, where w is 1.
    expectPoints(item.points,
                 {{-2 / 3.5f, 2 / 3.5f}, {-2, -0.5f}, {-0.5f, -2}, {2 / 3.5f, -2 / 3.5f}, {2 / 7.5f, 2 / 7.5f}});
    // The hidden corner offers no snap point.
    expectPoints(item.snapPoints, {{-2 / 3.5f, 2 / 3.5f}, {2 / 3.5f, -2 / 3.5f}, {2 / 7.5f, 2 / 7.5f}});
}

TEST_F(AnchorListTest, RectangleTiltedInDepthOffersNoSnapPoints) {
    // z' = 1 + 0.1 x: the corners' depth differs from the origin's.
    const Media::Matrix4 tilted = {1, 0, 0.1f, 0,  //
                                   0, 1, 0, 0,     //
                                   0, 0, 0, 0,     //
                                   0, 0, 1, 4};
    AnchorItem& item = list.addRectangle(object, effect, 0, 4, 4, tilted, AnchorItem::SnapMove);
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(item.points.size(), 4u);
    EXPECT_TRUE(item.snapPoints.empty());
}

TEST_F(AnchorListTest, RectangleWhollyBehindAddsNothing) {
    const Media::Matrix4 behind = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, -3};
    AnchorItem& item = list.addRectangle(object, effect, 0, 4, 4, behind, AnchorItem::SnapSource);
    EXPECT_EQ(item.type, 0);
    EXPECT_TRUE(list.items.empty());
}

TEST_F(AnchorListTest, HandleKeepsTheCallersFlagsAndMeasuresOneUnit) {
    const Media::Matrix4 m = depthView;
    AnchorItem& item = list.addHandle({2, 4, 1, 2}, {6, 4, 1, 2}, object, effect, 3, 10, 20, 30, m, 0x100004);
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(item.type, AnchorItem::Handle);
    EXPECT_EQ(item.flags, 0x100004u);
    expectPoints(item.points, {{1, 2}, {3, 2}, {1.5f, 2}});
    EXPECT_EQ(item.matrix, m);
    EXPECT_EQ(item.payload[0], (Float4{10, 20, 30, 1}));
    EXPECT_EQ(item.payload[1], (Float4{10, 20, 30, 1}));

    struct Rejected {
        Float4 a, b;
    };
    const Rejected rejected[] = {
        {{2, 4, 1, 2}, {2, 4, 1, 5}},   // same clip x and y
        {{2, 4, 1, 1}, {6, 4, 1, 2}},   // origin exactly on the near plane
        {{2, 4, 1, 2}, {6, 4, 1, -1}},  // end behind
    };
    for (const Rejected& r : rejected) {
        EXPECT_EQ(list.addHandle(r.a, r.b, object, effect, 3, 0, 0, 0, m, 0).type, 0);
        EXPECT_EQ(list.items.size(), 1u);
    }
}

TEST_F(AnchorListTest, ResizeHandlesAreFourCornersWithTheirOppositeCorner) {
    // mt = depthView: corners at w 2; mu doubles the corners.
    const Media::Matrix4 mu = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const Media::Matrix4 kept = {9, 0, 0, 0, 0, 9, 0, 0, 0, 0, 9, 0, 0, 0, 0, 9};
    list.addResizeHandles(object, effect, 5, 4, 2, {7, 8, 9}, {1, 2, 3, 4}, mu, depthView, kept, 0x10000);
    ASSERT_EQ(list.items.size(), 4u);
    // C0 (−2, −1), C1 (2, −1), C2 (2, 1), C3 (−2, 1).
    const Float2 t[4] = {{-1, -0.5f}, {1, -0.5f}, {1, 0.5f}, {-1, 0.5f}};
    const Float4 u[4] = {{-4, -2, 0, 1}, {4, -2, 0, 1}, {4, 2, 0, 1}, {-4, 2, 0, 1}};
    const std::uint32_t bits[4] = {0x2080a0, 0x2080c0, 0x208120, 0x208140};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const AnchorItem& item = list.items[i];
        EXPECT_EQ(item.type, AnchorItem::Square);
        EXPECT_EQ(item.flags, bits[i] | 0x10000u);
        EXPECT_EQ(item.index, 5);
        expectPoints(item.points, {t[i], t[(i + 3) % 4], t[(i + 1) % 4]});
        EXPECT_EQ(item.payload[0], u[i]);
        EXPECT_EQ(item.payload[1], u[i]);
        EXPECT_EQ(item.payload[2], u[(i + 2) % 4]);
        EXPECT_EQ(item.payload[3], (Float4{1, 2, 3, 4}));
        EXPECT_EQ(item.payload[4], (Float4{7, 8, 9, 1}));
        EXPECT_EQ(item.matrix, kept);
    }
}

TEST_F(AnchorListTest, ResizeCornerIsDroppedWhenItOrANeighbourIsBehindOrCoincides) {
    // w = x + y + 2.5: C0 (−2, −1) is behind, C1, C2, C3 in front.
    const Media::Matrix4 oneBehind = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 2.5f};
    const Media::Matrix4 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    list.addResizeHandles(object, effect, 0, 4, 2, {0, 0, 0}, {}, identity, oneBehind, identity, 0);
    // Only C2 (2, 1), whose neighbours are C1 and C3, stays.
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.items[0].flags, 0x208120u);

    list.clear();
    // Width 0: every corner coincides with a neighbour.
    list.addResizeHandles(object, effect, 0, 0, 2, {0, 0, 0}, {}, identity, depthView, identity, 0);
    EXPECT_TRUE(list.items.empty());
}

TEST_F(AnchorListTest, PolylineSplitsIntoRunsInFrontOfTheNearPlane) {
    const Float4 front = {2, 2, 1, 2};
    const Float4 behind = {2, 2, 1, 1};  // exactly on the plane
    const AnchorList::Color red = {1, 0, 0, 1};
    struct Case {
        std::vector<Float4> points;
        bool colored;
        std::vector<std::size_t> runs;
    };
    const Case cases[] = {
        {{front, front, behind, front, front}, false, {2, 2}},
        {{front, behind, front, behind, front}, false, {}},
        {{front, front, front}, true, {3}},
        {{behind, front, front, front, behind}, true, {3}},
        {{front}, false, {}},
    };
    const int owner = 0;
    for (const Case& c : cases) {
        list.clear();
        list.addPolyline(&owner, c.points.data(), static_cast<int>(c.points.size()), c.colored ? &red : nullptr);
        ASSERT_EQ(list.items.size(), c.runs.size());
        for (std::size_t i = 0; i < c.runs.size(); ++i) {
            const AnchorItem& item = list.items[i];
            EXPECT_EQ(item.type, c.colored ? AnchorItem::ColorLine : AnchorItem::Line);
            EXPECT_EQ(item.points.size(), c.runs[i]);
            EXPECT_EQ(item.points[0], (Float2{1, 1}));
            EXPECT_EQ(item.owner, &owner);
            EXPECT_EQ(item.flags, 0u);
            EXPECT_EQ(item.index, 0);
            EXPECT_FALSE(item.object);
            EXPECT_FALSE(item.effect);
            EXPECT_EQ(item.color, c.colored ? red : AnchorList::Color{});
        }
    }
}

TEST_F(AnchorListTest, PointsAndDotsAreDrawingOnly) {
    const int owner = 0;
    const AnchorList::Color green = {0, 1, 0, 1};
    EXPECT_EQ(list.addPoint(&owner, {2, 4, 1, 2}, nullptr).type, AnchorItem::Cross);
    AnchorItem& colored = list.addPoint(&owner, {2, 4, 1, 2}, &green);
    EXPECT_EQ(colored.type, AnchorItem::ColorPoint);
    EXPECT_EQ(colored.color, green);
    EXPECT_EQ(list.addDot(&owner, {2, 4, 1, 2}).type, AnchorItem::Dot);
    ASSERT_EQ(list.items.size(), 3u);
    for (const AnchorItem& item : list.items) {
        expectPoints(item.points, {{1, 2}});
        EXPECT_EQ(item.owner, &owner);
        EXPECT_FALSE(item.effect);
    }
    // Behind, and a point whose w and z are both 0 (no place on the picture).
    EXPECT_EQ(list.addPoint(&owner, {2, 4, 1, -2}, &green).type, 0);
    EXPECT_EQ(list.addDot(&owner, {2, 4, 0, 0}).type, 0);
    EXPECT_EQ(list.items.size(), 3u);
}

TEST_F(AnchorListTest, ImageIsADockedClickOnlyIconNeverRejected) {
    AnchorItem& item = list.addImage(object, effect, 200000000, 3);
    EXPECT_EQ(item.type, AnchorItem::Image);
    EXPECT_EQ(item.flags, 0x68000u);
    EXPECT_EQ(item.image, 3);
    expectPoints(item.points, {{0, 0}, {32, 32}});
    EXPECT_EQ(item.owner, effect.get());
}

TEST_F(AnchorListTest, ClearKeepsCapacityAndReleasesTheSharedObjects) {
    for (int i = 0; i < 10; ++i) list.addImage(object, effect, i, 0).label = "label";
    const std::size_t capacity = list.items.capacity();
    EXPECT_EQ(object.use_count(), 11);
    list.clear();
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.items.capacity(), capacity);
    EXPECT_EQ(object.use_count(), 1);
    EXPECT_EQ(effect.use_count(), 1);
}

TEST_F(AnchorListTest, MovedFromItemIsEmpty) {
    AnchorItem& item = list.addRectangle(object, effect, 0, 4, 2, depthView, AnchorItem::SnapMove);
    item.label = "a name longer than any small-string buffer holds";
    AnchorItem moved(std::move(item));
    EXPECT_EQ(moved.points.size(), 4u);
    EXPECT_EQ(moved.snapPoints.size(), 4u);
    EXPECT_EQ(moved.object, object);
    EXPECT_TRUE(item.points.empty());
    EXPECT_TRUE(item.snapPoints.empty());
    EXPECT_TRUE(item.label.empty());
    EXPECT_FALSE(item.object);
    EXPECT_FALSE(item.effect);
}

TEST_F(AnchorListTest, HandOverMovesTheFinishedListToThePreview) {
    AnchorList pending;
    std::vector<AnchorItem> shown;
    EXPECT_FALSE(pending.takeOver(shown));

    list.addImage(object, effect, 1, 0);
    list.handOver(pending);
    EXPECT_TRUE(list.items.empty());
    list.addImage(object, effect, 2, 0);
    list.handOver(pending);  // the frame never shown is dropped
    ASSERT_TRUE(pending.takeOver(shown));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].index, 2);
    EXPECT_TRUE(pending.items.empty());
    EXPECT_FALSE(pending.takeOver(shown));
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(object.use_count(), 2);
}

TEST_F(AnchorListTest, HandOverBetweenARenderThreadAndTheUserInterfaceThread) {
    AnchorList pending;
    std::atomic<bool> done{false};
    constexpr int frames = 2000;
    std::thread render([&] {
        AnchorList working;
        for (int frame = 1; frame <= frames; ++frame) {
            working.clear();
            for (int i = 0; i < 3; ++i) working.addImage(object, effect, frame, 0);
            working.handOver(pending);
        }
        done = true;
    });
    std::vector<AnchorItem> shown;
    int last = 0;
    while (true) {
        const bool finished = done;
        if (pending.takeOver(shown)) {
            // Each list arrives whole and frames never go backwards.
            ASSERT_EQ(shown.size(), 3u);
            EXPECT_EQ(shown[0].index, shown[2].index);
            EXPECT_GT(shown[0].index, last);
            last = shown[0].index;
        }
        // The last hand-over came before `done`: this take saw it.
        if (finished) break;
    }
    render.join();
    EXPECT_EQ(last, frames);
}

}  // namespace
