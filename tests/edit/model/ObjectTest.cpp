#include "edit/model/Object.h"

#include "edit/EditTestSupport.h"
#include "edit/model/Scene.h"
#include "effect/base/ObjectContextBase.h"
#include "effect/movement/MovementBase.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace EditTest;
using Values = std::vector<std::int32_t>;

class ObjectSections : public ::testing::Test {
protected:
    Registry registry;
    Edit::Scene scene{1, 0, &registry.service};

    // A figure object with X (whole units) and Y (tenths) given as texts.
    Edit::ObjectPointer make(int start, int end, std::vector<int> boundaries, const char* x,
                             const char* y = "0") {
        Edit::ObjectPointer& object = scene.createObject(kFigure, 0, start, end);
        object->boundaries = std::move(boundaries);
        xOf(*object->effectList[0]).fromString(x);
        yOf(*object->effectList[0]).fromString(y);
        return object;
    }
    static Effect::EffectItemNumber& x(const Edit::Object& object) { return xOf(*object.effectList[0]); }
    static Effect::EffectItemNumber& y(const Edit::Object& object) { return yOf(*object.effectList[0]); }
};

TEST_F(ObjectSections, KeyFramesBelongToTheSectionTheyStart) {
    const Edit::ObjectPointer object = make(100, 150, {10}, "0");
    const std::vector<std::tuple<int, int, bool>> cases = {
        // frame, section, strictly inside it
        {100, 0, false}, {105, 0, true}, {109, 0, true}, {110, 1, false}, {111, 1, true}, {149, 1, true},
        {150, 1, false},
    };
    for (const auto& [frame, section, inside] : cases) {
        EXPECT_EQ(object->getSectionIndex(frame), section) << frame;
        EXPECT_EQ(object->isInsideSection(frame), inside) << frame;
    }
}

TEST_F(ObjectSections, AddingAndRemovingSectionsKeepsTheOtherValues) {
    // Three boundaries, one value per key frame.
    const Edit::ObjectPointer object = make(0, 99, {10, 30, 60}, "10,20,30,40,50,直線移動,0",
                                            "1,2,3,4,5,直線移動,0");
    object->removeSection(2);
    EXPECT_EQ(object->boundaries, (std::vector<int>{10, 60}));
    EXPECT_EQ(x(*object).values, (Values{10, 20, 40, 50}));
    EXPECT_EQ(y(*object).values, (Values{10, 20, 40, 50}));
    // Out of range: nothing.
    object->removeSection(0);
    object->removeSection(3);
    EXPECT_EQ(object->boundaries.size(), 2u);

    // A new boundary at 45 with the values captured there: X runs from 20
    // at frame 10 to 40 at frame 60, so 20 + 20 * 35 / 50 = 34.
    const auto captured = object->captureNumberValues(scene, *object, 45, false);
    object->addSection(45, &captured);
    EXPECT_EQ(object->boundaries, (std::vector<int>{10, 45, 60}));
    EXPECT_EQ(x(*object).values, (Values{10, 20, 34, 40, 50}));
    EXPECT_EQ(y(*object).values, (Values{10, 20, 34, 40, 50}));  // 3.4 in tenths
    // Without values the default goes in.
    object->addSection(80, nullptr);
    EXPECT_EQ(object->boundaries, (std::vector<int>{10, 45, 60, 80}));
    EXPECT_EQ(x(*object).values, (Values{10, 20, 34, 40, 0, 50}));
}

TEST_F(ObjectSections, ASectionTooShortPassesTheNewBoundaryOn) {
    const Edit::ObjectPointer object = make(0, 10, {1}, "5,6,7,直線移動,0");
    EXPECT_TRUE(object->canAddSection(0));
    object->addSection(0, nullptr);
    EXPECT_EQ(object->boundaries, (std::vector<int>{1, 2}));
    EXPECT_EQ(x(*object).values, (Values{5, 6, 0, 7}));

    const Edit::ObjectPointer tight = make(20, 22, {1}, "0");
    EXPECT_FALSE(tight->canAddSection(21));
    tight->addSection(21, nullptr);
    EXPECT_EQ(tight->boundaries, (std::vector<int>{1}));
}

TEST_F(ObjectSections, SplittingALineGivesTwoObjectsContinuingItAndJoiningMendsThem) {
    // X runs 0 -> 99 and Y 0.0 -> 9.9 over frames 0..99: X(f) = f, Y(f) = f / 10.
    const Edit::ObjectPointer object = make(0, 99, {}, "0,99,直線移動,0", "0,9.9,直線移動,0");
    object->layer = 3;
    object->clipping = true;
    Edit::Object first(&registry.service), second(&registry.service);
    ASSERT_TRUE(object->splitObject(50, first, second, scene));
    EXPECT_EQ(std::tie(first.start, first.end, first.layer, first.clipping), std::tuple(0, 49, 3, true));
    EXPECT_EQ(std::tie(second.start, second.end, second.layer, second.clipping), std::tuple(50, 99, 3, true));
    EXPECT_EQ(x(first).values, (Values{0, 49}));
    EXPECT_EQ(x(second).values, (Values{50, 99}));
    EXPECT_EQ(y(first).values, (Values{0, 49}));  // 4.9
    EXPECT_EQ(y(second).values, (Values{50, 99}));
    EXPECT_NE(first.effectList[0], object->effectList[0]);
    EXPECT_EQ(x(*object).values, (Values{0, 99}));  // the source is untouched

    // Joining keeps the first part's values up to the new boundary and the
    // second part's end value.
    ASSERT_TRUE(second.joinObject(first));
    EXPECT_EQ(std::tie(first.start, first.end), std::tuple(0, 99));
    EXPECT_EQ(first.boundaries, (std::vector<int>{50}));
    EXPECT_EQ(x(first).values, (Values{0, 49, 99}));
    EXPECT_EQ(y(first).values, (Values{0, 49, 99}));
}

TEST_F(ObjectSections, CapturesReadTimeControlledNumbersAlongThePathOrStraight) {
    // Constant speed over the whole path: 0 -> 90 is nine tenths of the way,
    // so frame 50 of 0..100 lies on the first leg although the boundary is
    // at frame 10.
    const Edit::ObjectPointer object = make(0, 100, {10}, "0,90,100,直線移動(時間制御),0");
    const auto& item = x(*object);
    const auto along = object->captureNumberValues(scene, *object, 50, false).at(&item);
    EXPECT_DOUBLE_EQ(along.value, 50.0);
    EXPECT_EQ(along.sectionIndex, 0);
    // Straight between the stored values of the frame's own section (10..100).
    const auto straight = object->captureNumberValues(scene, *object, 50, true).at(&item);
    EXPECT_DOUBLE_EQ(straight.value, 90.0 + 40.0 / 90.0 * 10.0);
    EXPECT_EQ(straight.sectionIndex, -1);
}

// A movement that keeps what its context names and moves nowhere.
class Watching : public Effect::MovementBase {
public:
    double getValue(const Effect::EffectItemNumber&, const Effect::SectionPosition&,
                    const Render::ObjectContextBase& context) const override {
        seen.push_back({context.scene, context.object.get(), context.layer, context.frame});
        return 7;
    }
    struct Seen {
        const Edit::Scene* scene;
        const Edit::Object* object;
        int layer, frame;
        bool operator==(const Seen&) const = default;
    };
    mutable std::vector<Seen> seen;
};

TEST_F(ObjectSections, CapturedValuesAreComputedWithTheObjectsSceneAndObject) {
    const Edit::ObjectPointer object = make(20, 80, {}, "0");
    Watching watching;
    x(*object).movement = &watching;
    const auto captured = object->captureNumberValues(scene, *object, 30, false);
    EXPECT_DOUBLE_EQ(captured.at(&x(*object)).value, 7.0);
    ASSERT_FALSE(watching.seen.empty());
    EXPECT_EQ(watching.seen.front(), (Watching::Seen{&scene, object.get(), 0, 30}));
}

TEST_F(ObjectSections, SplittingDropsTheBoundariesEachPartLacks) {
    // Values equal frames at every key: X is the identity line.
    const Edit::ObjectPointer object = make(0, 99, {20, 60}, "0,20,60,99,直線移動,0");
    Edit::Object first(&registry.service), second(&registry.service);
    ASSERT_TRUE(object->splitObject(50, first, second, scene));
    EXPECT_EQ(first.boundaries, (std::vector<int>{20}));
    EXPECT_EQ(x(first).values, (Values{0, 20, 49}));
    EXPECT_EQ(second.boundaries, (std::vector<int>{10}));
    EXPECT_EQ(x(second).values, (Values{50, 60, 99}));

    // At the start nothing happens; at the end the second part is one frame.
    Edit::Object a(&registry.service), b(&registry.service);
    EXPECT_FALSE(object->splitObject(0, a, b, scene));
    EXPECT_FALSE(object->splitObject(100, a, b, scene));
    EXPECT_TRUE(a.effectList.empty());
    ASSERT_TRUE(object->splitObject(99, a, b, scene));
    EXPECT_EQ(std::tie(a.start, a.end, b.start, b.end), std::tuple(0, 98, 99, 99));
    EXPECT_EQ(a.boundaries, (std::vector<int>{20, 60}));
    EXPECT_TRUE(b.boundaries.empty());
}

TEST_F(ObjectSections, OnlyTouchingObjectsOnOneLayerJoin) {
    const Edit::ObjectPointer left = make(0, 9, {}, "1,2,直線移動,0");
    const Edit::ObjectPointer right = make(11, 20, {}, "3,4,直線移動,0");
    EXPECT_FALSE(right->joinObject(*left));  // a gap of one frame
    right->start = 10;
    right->layer = 1;
    EXPECT_FALSE(right->joinObject(*left));
    EXPECT_EQ(left->end, 9);
    right->layer = 0;
    EXPECT_TRUE(right->joinObject(*left));
    EXPECT_EQ(x(*left).values, (Values{1, 2, 4}));
}

TEST_F(ObjectSections, GroupsKnowTheirMembersWhileTheyLive) {
    auto group = std::make_shared<Edit::Group>();
    {
        Edit::ObjectPointer a = make(0, 9, {}, "0");
        Edit::ObjectPointer b = make(20, 29, {}, "0");
        a->setGroup(group);
        b->setGroup(group);
        scene.updateLayerObject();
        EXPECT_EQ(group->getObjectList(scene).size(), 2u);
        b->layer = -1;
        EXPECT_EQ(group->getObjectList(scene), (std::vector<Edit::ObjectPointer>{a}));
        b->releaseGroup();
        EXPECT_EQ(group->members.size(), 1u);
        scene.clearLayer();
    }
    EXPECT_TRUE(group->members.empty());  // a was destroyed
}

}  // namespace
