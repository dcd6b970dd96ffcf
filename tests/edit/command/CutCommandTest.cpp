#include "edit/command/CutCommand.h"

#include "edit/command/EditCommandTestSupport.h"
#include "edit/command/ClipboardCommand.h"
#include "edit/command/ObjectEditCommand.h"
#include "support/LogCapture.h"

namespace {

namespace EditCommand = Edit::EditCommand;

class Cut : public CommandTest::EditFixture {
protected:
    void range(int first, int last) {
        scene().selectStartFrame = first;
        scene().selectEndFrame = last;
    }
    // "layer:start,end" of the clipboard's copies, in order.
    std::string clipboard() {
        std::string text;
        for (const auto& copy : edit.clipboard.objects)
            text += (text.empty() ? "" : " ") + std::to_string(copy->layer) + ":" + std::to_string(copy->start) +
                    "," + std::to_string(copy->end);
        return text;
    }
    // One object of each reach against the range 10 .. 19, all selected.
    void reaches() {
        select({place(0, 0, 99), place(1, 5, 14), place(2, 15, 30), place(3, 12, 17), place(4, 30, 40)});
        range(10, 19);
    }
};

TEST_F(Cut, ARangeCutInsideAnObjectKeepsBothEndsAndTheFocusGoesRight) {
    const auto object = place(0, 0, 99);
    scene().setFocusObject(object);
    range(10, 19);
    TestSupport::LogCapture log;
    expectUndoRedo([&] {
        EditCommand::cutObject(edit, false);
        EXPECT_EQ(scene().focusObject->start, 20);
    });
    EXPECT_EQ(placement(), "0:0,9 0:20,99");
    EXPECT_EQ(clipboard(), "0:10,19");
    EXPECT_EQ(std::tie(scene().selectStartFrame, scene().selectEndFrame), std::tuple(10, 19));
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::cutObject", "cut range object num=1"), 1);
}

TEST_F(Cut, ClosingTheGapMovesTheRightPartAndTheCursor) {
    struct Case {
        int cursor;
        int moved;
    };
    for (const Case& c : std::vector<Case>{{50, 40}, {15, 10}, {20, 10}, {5, 5}, {10, 10}}) {
        SCOPED_TRACE(c.cursor);
        edit.project.clear();
        edit.setCurrentScene(0);
        scene().setFocusObject(place(0, 0, 99));
        range(10, 19);
        scene().cursorFrame = c.cursor;
        EditCommand::cutObject(edit, true);
        EXPECT_EQ(placement(), "0:0,9 0:10,89");
        EXPECT_EQ(scene().cursorFrame, c.moved);
        EXPECT_EQ(std::tie(scene().selectStartFrame, scene().selectEndFrame), std::tuple(-1, -1));
    }
}

TEST_F(Cut, EveryReachOfARangeCutWithAndWithoutClosingGaps) {
    reaches();
    expectUndoRedo([&] { EditCommand::cutObject(edit, false); });
    EXPECT_EQ(placement(), "0:0,9 0:20,99 1:5,9 2:20,30 4:30,40");
    EXPECT_EQ(clipboard(), "0:10,19 1:10,14 2:15,19 3:12,17");

    edit.project.clear();
    edit.setCurrentScene(0);
    reaches();
    expectUndoRedo([&] { EditCommand::cutObject(edit, true); });
    EXPECT_EQ(placement(), "0:0,9 0:10,89 1:5,9 2:15,25 4:30,40");
}

TEST_F(Cut, ARangeCutKeepsTheOldGroup) {
    const auto a = place(0, 0, 99);
    const auto b = place(1, 0, 99);
    const auto group = std::make_shared<Edit::Group>();
    a->setGroup(group);
    b->setGroup(group);
    select({a});
    range(10, 19);
    EditCommand::cutObject(edit, false);
    const auto pieces = scene().getLayerObjectList(0).objects;
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(group->getObjectList(scene()).size(), 3u);
    EXPECT_EQ(pieces[0]->group, group);
    EXPECT_EQ(pieces[1]->group, group);
}

TEST_F(Cut, AWholeCutClosesGapsOnItsLayersOnly) {
    const auto a = place(0, 10, 19);
    const auto b = place(0, 20, 29);
    place(0, 40, 49);
    place(1, 40, 49);
    select({a, b});
    TestSupport::LogCapture log;
    expectUndoRedo([&] { EditCommand::cutObject(edit, true); });
    EXPECT_EQ(placement(), "0:20,29 1:40,49");
    EXPECT_EQ(clipboard(), "0:10,19 0:20,29");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::cutObject", "cut object num=2"), 1);
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::copyObject", "copy object num=2"), 1);
}

TEST_F(Cut, TrimKeepsTheRangeAndMovesLeftCutPartsToTheOldStart) {
    reaches();
    TestSupport::LogCapture log;
    expectUndoRedo([&] { EditCommand::trimObject(edit); });
    EXPECT_EQ(placement(), "0:0,9 1:5,9 2:15,19 3:12,17 4:30,40");
    EXPECT_EQ(clipboard(), "0:0,9 0:20,99 1:5,9 2:20,30");
    EXPECT_EQ(std::tie(scene().selectStartFrame, scene().selectEndFrame), std::tuple(-1, -1));
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::trimObject", "clip object num=5"), 1);

    // Without a frame range nothing happens.
    log.clear();
    select({scene().getLayerObjectList(4).objects.front()});
    EditCommand::trimObject(edit);
    EXPECT_TRUE(log.of(System::Log::INFO).empty());
}

TEST_F(Cut, DuplicateGoesToTheFirstFreeLayersBelowAtTheSameFrames) {
    const auto a = place(0, 10, 20);
    place(1, 15, 16);
    const auto group = std::make_shared<Edit::Group>();
    a->setGroup(group);
    select({a});
    EditCommand::copyObject(edit);
    TestSupport::LogCapture log;
    expectUndoRedo([&] { EditCommand::duplicateObject(edit); });
    EXPECT_EQ(placement(), "0:10,20 1:15,16 2:10,20");
    const auto copy = scene().getLayerObjectList(2).objects.front();
    EXPECT_TRUE(copy->group);
    EXPECT_NE(copy->group, group);
    EXPECT_EQ(edit.clipboard.objects.size(), 1u);
    EXPECT_EQ(edit.clipboard.objects.front()->layer, 0);
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::duplicateObject", "duplicate object num=1"), 1);
}

}  // namespace

namespace {

class CutNotice : public Cut {
protected:
    CutNotice() {
        ev().frameChange.add(this, [this](int frame) { heard.push_back("frame " + std::to_string(frame)); });
        ev().focusObjectChange.add(this, [this](Edit::ObjectPointer& focus) {
            heard.push_back("focus " + (focus ? std::to_string(focus->start) : std::string("none")));
        });
    }
    ~CutNotice() override { ev().removeListener(this); }
    Event::EventService& ev() { return *events.getInstance(); }

    std::vector<std::string> heard;
};

TEST_F(CutNotice, TheFocusAndTheCursorAreAnnouncedOnlyWhenTheyChange) {
    const auto object = place(0, 0, 99);
    const auto other = place(1, 0, 99);
    scene().setFocusObject(object);
    scene().cursorFrame = 50;
    select({other});
    range(10, 19);
    EditCommand::cutObject(edit, true);  // the focus object is not cut
    EXPECT_EQ(heard, (std::vector<std::string>{"frame 40"}));

    heard.clear();
    scene().selection.clear();
    EditCommand::splitObject(edit, 60);
    EXPECT_EQ(heard, (std::vector<std::string>{"focus 60"}));

    heard.clear();
    range(70, 79);
    EditCommand::cutObject(edit, false);
    EXPECT_EQ(heard, (std::vector<std::string>{"focus 80"}));
}

}  // namespace
