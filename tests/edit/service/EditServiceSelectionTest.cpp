#include "edit/service/EditService.h"

#include "edit/scope/EditScope.h"
#include "edit/scope/ScopeTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

using EditTest::kFigure;

struct Control : Edit::SelectControl {
    std::optional<int> gestureOwnerTag() const override { return owner; }
    void claimGesture(int tag) override {
        EXPECT_FALSE(owner) << "claimed over another owner";
        owner = tag;
        claims.push_back(tag);
    }
    bool isControlKeyDown() const override { return ctrl; }
    bool isMouseCaptured() const override { return captured; }

    std::optional<int> owner;
    bool ctrl = false;
    bool captured = false;
    std::vector<int> claims;
};

class Selection : public ::testing::Test, public ScopeTest::Fixture {
protected:
    Selection() {
        events.getInstance()->selectObjectChange.add(this, [this] { ++notified; });
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        a = scene().createObject(kFigure, 0, 0, 9);
        b = scene().createObject(kFigure, 1, 0, 9);
        locked = scene().createObject(kFigure, 2, 0, 9);
        scene().getLayerObjectListGrow(2).layer->lock = true;
    }
    ~Selection() override { events.getInstance()->removeListener(this); }

    std::vector<Edit::ObjectPointer> selected() { return scene().selection.objects; }

    Edit::ObjectPointer a, b, locked;
    int notified = 0;
};

TEST_F(Selection, SelectAppendsOnceAndSkipsLockedLayers) {
    EXPECT_TRUE(edit.selectObject(b, false));
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(edit.selectObject(a, true));
    EXPECT_FALSE(edit.selectObject(a, true));  // already selected: no notification
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(selected(), (std::vector<Edit::ObjectPointer>{b, a}));
    EXPECT_EQ(scene().selection.maxLayer, 1);
    // A locked layer's object stays out, and the listeners still hear it.
    EXPECT_TRUE(edit.selectObject(locked, true));
    EXPECT_FALSE(locked->selected);
    EXPECT_EQ(selected().size(), 2u);
    EXPECT_EQ(notified, 2);
}

TEST_F(Selection, ClickSelectsAndClaimsTheGestureOnce) {
    Control control;
    edit.clickSelectObject(control, a, false);
    EXPECT_EQ(control.claims, std::vector<int>{17});
    EXPECT_EQ(notified, 1);
    control.owner.reset();
    edit.clickSelectObject(control, a, false);  // already selected: nothing more
    edit.clickSelectObject(control, a, true);
    EXPECT_EQ(control.claims, std::vector<int>{17});
    EXPECT_EQ(notified, 1);
    control.owner = 3;  // another control holds the gesture
    edit.clickSelectObject(control, b, false);
    EXPECT_EQ(selected(), (std::vector<Edit::ObjectPointer>{a, b}));
    EXPECT_EQ(control.claims, std::vector<int>{17});
}

TEST_F(Selection, ClickWithGroupSelectsTheMembers) {
    const auto group = std::make_shared<Edit::Group>();
    a->setGroup(group);
    b->setGroup(group);
    Control control;
    edit.clickSelectObject(control, b, true);
    EXPECT_TRUE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(control.claims, std::vector<int>{17});
}

TEST_F(Selection, ClearKeepsTheSelectionForCtrlAndDrags) {
    const struct {
        bool ctrl, captured;
        std::optional<int> owner;
        bool kept;
        std::vector<int> claims;
    } cases[] = {
        {false, false, std::nullopt, false, {}},
        {false, false, 17, false, {}},
        {true, false, std::nullopt, true, {17}},
        {true, false, 17, true, {}},
        {true, false, 5, false, {}},
        {false, true, std::nullopt, true, {65536}},
        {false, true, 65536, true, {}},
        {false, true, 17, false, {}},
        {true, true, 65536, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ctrl << c.captured << c.owner.value_or(-1));
        edit.selectObject(a, false);
        notified = 0;
        Control control;
        control.ctrl = c.ctrl;
        control.captured = c.captured;
        control.owner = c.owner;
        edit.clearSelectObject(control);
        EXPECT_EQ(a->selected, c.kept);
        EXPECT_EQ(selected().size(), c.kept ? 1u : 0u);
        EXPECT_EQ(notified, c.kept ? 0 : 1);
        EXPECT_EQ(control.claims, c.claims);
    }
    // Nothing selected: nothing claimed, nothing heard.
    scene().selection.clear();
    notified = 0;
    Control control;
    control.ctrl = true;
    edit.clearSelectObject(control);
    EXPECT_TRUE(control.claims.empty());
    EXPECT_EQ(notified, 0);
}

}  // namespace
