// The commands the edit and view menus carry out themselves, on an edit
// service over the test registry.
#include "dialogs/menus/DisplayMenu.h"
#include "dialogs/menus/EditMenuActions.h"

#include "core/event/EventService.h"
#include "edit/command/EditCommandTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace Actions = Menu::EditActions;

class EditMenuActions : public CommandTest::EditFixture {
protected:
    // The layer of the focus object, -1 without one.
    int focusLayer() { return scene().focusObject ? scene().focusObject->layer : -1; }
    void setCursor(int frame) { scene().cursorFrame = frame; }
};

TEST_F(EditMenuActions, FocusCyclingStepsThroughTheLayersUnderTheCursorAndWraps) {
    place(0, 0, 99);
    place(1, 50, 99);  // not under the cursor
    place(2, 0, 99);
    place(5, 10, 20);
    place(3, 30, 99);  // starts after the cursor
    setCursor(15);
    Actions::focusObjectAtCursor(edit);
    EXPECT_EQ(focusLayer(), 0);
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        Actions::focusObjectAtCursor(edit);
        visited.push_back(focusLayer());
    }
    EXPECT_EQ(visited, (std::vector<int>{2, 5, 0, 2}));

    // At 40 the object starting at 30 on layer 3 follows layer 2.
    setCursor(40);
    Actions::focusObjectAtCursor(edit);
    EXPECT_EQ(focusLayer(), 3);
    // A focus object away from the cursor starts the search at layer 0.
    setCursor(5);
    Actions::focusObjectAtCursor(edit);
    EXPECT_EQ(focusLayer(), 0);
    // Nothing under the cursor: the focus stays.
    setCursor(150);
    Actions::focusObjectAtCursor(edit);
    EXPECT_EQ(focusLayer(), 0);
}

TEST_F(EditMenuActions, NextAndPreviousObjectStayOnTheFocusLayerAndMoveTheCursor) {
    const auto a = place(1, 0, 9);
    const auto b = place(1, 20, 29);
    const auto c = place(1, 40, 49);
    place(0, 10, 15);
    scene().updateLayerObject();
    scene().totalLength = 100;
    scene().setFocusObject(b);
    Actions::focusNextObject(edit);
    EXPECT_EQ(scene().focusObject, c);
    EXPECT_EQ(scene().cursorFrame, 40);
    Actions::focusNextObject(edit);  // the last: nothing
    EXPECT_EQ(scene().focusObject, c);
    Actions::focusPreviousObject(edit);
    Actions::focusPreviousObject(edit);
    EXPECT_EQ(scene().focusObject, a);
    EXPECT_EQ(scene().cursorFrame, 0);
    Actions::focusPreviousObject(edit);  // the first: nothing
    EXPECT_EQ(scene().focusObject, a);
}

TEST_F(EditMenuActions, TheRangeIsSetFromTheCursorAndAnnouncedOnlyWhenItChanges) {
    std::vector<std::pair<int, int>> announced;
    events.getInstance()->frameRangeSelect.add(this, [&](int s, int e) { announced.emplace_back(s, e); });
    scene().totalLength = 100;
    struct Case {
        int start, end, cursor;
        bool setStart;
        int wantStart, wantEnd;
    };
    const std::vector<Case> cases = {
        {10, 20, 30, true, 30, 100},  // past the end: to the scene's end
        {10, 20, 15, true, 15, 20},
        {10, 20, 5, false, 0, 5},     // before the start: from 0
        {10, 20, 25, false, 10, 25},
        {-1, -1, 40, true, 40, 100},
        {-1, -1, 40, false, 0, 40},
        {-1, -1, 120, true, 100, 120},  // a cursor beyond the end frame
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        scene().selectStartFrame = c.start;
        scene().selectEndFrame = c.end;
        setCursor(c.cursor);
        c.setStart ? Actions::setRangeStart(edit) : Actions::setRangeEnd(edit);
        EXPECT_EQ(scene().selectStartFrame, c.wantStart);
        EXPECT_EQ(scene().selectEndFrame, c.wantEnd);
    }
    EXPECT_EQ(announced.size(), cases.size());
    // The same range again ({100, 120} from its start), then clearing
    // twice: one announcement.
    announced.clear();
    Actions::setRangeEnd(edit);
    Actions::clearRange(edit);
    Actions::clearRange(edit);
    EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{-1, -1}}));
    EXPECT_FALSE(Actions::hasRange(scene()));
    events.getInstance()->frameRangeSelect.remove(this);
}

TEST_F(EditMenuActions, TheShowHideToggleFollowsTheFirstTarget) {
    const auto a = place(0, 0, 9);
    const auto b = place(1, 0, 9);
    a->effectList.front()->disable = true;
    select({a, b});
    Actions::toggleObjectVisible(edit);
    EXPECT_FALSE(a->effectList.front()->disable);
    EXPECT_FALSE(b->effectList.front()->disable);
    Actions::toggleObjectVisible(edit);
    EXPECT_TRUE(a->effectList.front()->disable);
    EXPECT_TRUE(b->effectList.front()->disable);
}

TEST_F(EditMenuActions, TargetPredicatesGreyWithoutTargets) {
    const auto a = place(0, 10, 19);
    const auto b = place(1, 10, 19);
    // Nothing selected, a focus object taken off its layer.
    const auto removed = place(2, 0, 5);
    scene().setFocusObject(removed);
    {
        Edit::EditScope scope(edit);
        scene().getLayerObjectListGrow(2).removeObject(*removed);
        removed->layer = -1;
    }
    EXPECT_FALSE(Actions::hasTarget(scene()));
    EXPECT_FALSE(Actions::canSplit(scene()));
    EXPECT_FALSE(Actions::canUngroup(scene()));

    select({a, b});
    EXPECT_TRUE(Actions::hasTarget(scene()));
    EXPECT_TRUE(Actions::canGroup(scene()));
    EXPECT_FALSE(Actions::canUngroup(scene()));
    // The split needs start < cursor <= end of some target.
    setCursor(10);
    EXPECT_FALSE(Actions::canSplit(scene()));
    setCursor(19);
    EXPECT_TRUE(Actions::canSplit(scene()));
    setCursor(20);
    EXPECT_FALSE(Actions::canSplit(scene()));
    // Mid-points: inside a section adds, on a boundary deletes.
    setCursor(14);
    EXPECT_TRUE(Actions::canAddSection(scene()));
    EXPECT_FALSE(Actions::canDeleteSection(scene()));
    a->addSection(14, nullptr);
    EXPECT_TRUE(Actions::canDeleteSection(scene()));
}

TEST(DisplayMenuZoom, PreviewZoomStepsRoundAndStayWithinTheirLimits) {
    struct Case {
        int zoom;
        float factor;
        int expected;
    };
    const Case cases[] = {
        {3700, 1.1f, 4000},  // 4070 is kept to 4000
        {11, 0.9f, 10},      // 9.9 rounds to 10
        {10, 0.9f, 10},
        {100, 1.1f, 110},
        {100, 0.9f, 90},
        {25, 1.1f, 28},      // 27.5 rounds away from zero
        {5, 0.9f, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Menu::DisplayMenu::stepDisplayZoom(c.zoom, c.factor), c.expected) << c.zoom << " x " << c.factor;
}

}  // namespace
