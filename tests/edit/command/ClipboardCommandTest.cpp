#include "edit/command/ClipboardCommand.h"

#include "edit/command/CommandTestSupport.h"
#include "edit/command/ObjectCopyList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using EditTest::xOf;

class ClipboardCommand : public ::testing::Test, public CommandTest::Fixture {
protected:
    // Objects on layers 2 and 4 at 100..149 and 120..199, both selected.
    void copyBlock() {
        a = place(2, 100, 149);
        b = place(4, 120, 199);
        scene().selectObject(a);
        scene().selectObject(b);
        Edit::EditCommand::copyObject(edit);
        scene().selection.clear();
    }

    Edit::ObjectPointer a, b;
};

TEST_F(ClipboardCommand, ABlockPastedAtALayerAndFrameKeepsItsShape) {
    copyBlock();
    Edit::EditCommand::pasteObject(edit, 10, 0);
    EXPECT_EQ(objectLines(), (Lines{"2 100,149", "4 120,199", "10 0,49", "12 20,99"}));
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::copyObject"), Lines{"copy object num=2"});
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::pasteObject"), Lines{"paste object num=2"});
}

TEST_F(ClipboardCommand, ABlockPastedOntoOccupiedFramesMovesOnlyInTime) {
    copyBlock();
    // Layer 12 is taken up to 60: the block moves so that its object there
    // starts at 61; then its layer-10 object runs into 85..95 and the whole
    // block moves on behind that.
    place(12, 0, 60);
    place(10, 85, 95);
    Edit::EditCommand::pasteObject(edit, 10, 0);
    EXPECT_EQ(objectLines(), (Lines{"2 100,149", "4 120,199", "10 85,95", "10 96,145", "12 0,60", "12 116,195"}));
}

TEST_F(ClipboardCommand, PasteWithoutAPositionUsesTheFirstFreeLayersBelowTheBlock) {
    copyBlock();
    // Cursor inside the copied span: the copied frames. Offset 2 would put
    // the top object onto layer 4 over the other source object; 3 is free.
    scene().cursorFrame = 130;
    Edit::EditCommand::pasteObject(edit);
    EXPECT_EQ(objectLines(), (Lines{"2 100,149", "4 120,199", "5 100,149", "7 120,199"}));

    // Cursor after the span: the earliest frame goes to the cursor, and
    // layer offset 2 is free there.
    undo.undo();
    scene().cursorFrame = 300;
    Edit::EditCommand::pasteObject(edit);
    EXPECT_EQ(objectLines(), (Lines{"2 100,149", "4 120,199", "4 300,349", "6 320,399"}));

    // The timeline's mouse position wins when it is over the object area.
    undo.undo();
    edit.hooks.getTimelinePastePosition = [](int& layer, int& frame) {
        layer = 1;
        frame = 7;
        return true;
    };
    Edit::EditCommand::pasteObject(edit);
    EXPECT_EQ(objectLines(), (Lines{"1 7,56", "2 100,149", "3 27,106", "4 120,199"}));
}

TEST_F(ClipboardCommand, EveryPasteMakesNewObjectsAndNewGroups) {
    a = place(2, 100, 149);
    b = place(4, 120, 199);
    const Edit::ObjectPointer loose = place(3, 0, 9);
    const auto group = std::make_shared<Edit::Group>();
    a->setGroup(group);
    b->setGroup(group);
    for (const auto& object : {a, loose, b}) scene().selectObject(object);
    Edit::EditCommand::copyObject(edit);
    scene().selection.clear();

    Edit::EditCommand::pasteObject(edit, 20, 0);
    Edit::EditCommand::pasteObject(edit, 30, 0);
    EXPECT_EQ(objectLines(), (Lines{"2 100,149 g1", "3 0,9", "4 120,199 g1", "20 100,149 g2", "21 0,9",
                                    "22 120,199 g2", "30 100,149 g3", "31 0,9", "32 120,199 g3"}));
    // The copies' effects are their own.
    const Edit::ObjectPointer first = scene().getLayerObjectList(20).objects.at(0);
    const Edit::ObjectPointer second = scene().getLayerObjectList(30).objects.at(0);
    xOf(*first->effectList.front()).setValue(42, 0);
    EXPECT_EQ(xOf(*second->effectList.front()).values.at(0), 0);
    EXPECT_EQ(xOf(*a->effectList.front()).values.at(0), 0);
    EXPECT_EQ(group->members.size(), 2u);
}

TEST_F(ClipboardCommand, PasteUndoesAndRedoesToTheSavedBytes) {
    copyBlock();
    a->setGroup(std::make_shared<Edit::Group>());
    Edit::EditCommand::copyObject(edit);  // no target: the clipboard stays
    EXPECT_EQ(edit.clipboard.objects.size(), 2u);
    scene().setFocusObject(a);  // nothing selected: the focus object
    Edit::EditCommand::copyObject(edit);
    ASSERT_EQ(edit.clipboard.objects.size(), 1u);

    const std::string before = saved();
    Edit::EditCommand::pasteObject(edit, 0, 500);
    const std::string after = saved();
    ASSERT_NE(before, after);
    undo.undo();
    EXPECT_EQ(saved(), before);
    undo.redo();
    EXPECT_EQ(saved(), after);
    EXPECT_TRUE(lockFree());
}

// An effect whose kind the registry does not know: its copy fails.
class Unknown : public Effect::EffectBase {
public:
    Unknown() : EffectBase(L"未登録", Effect::EffectKind::Input, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Unknown>(); }
};

TEST_F(ClipboardCommand, APasteThatFailsHalfWayLeavesTheSceneAsItWas) {
    copyBlock();
    // The first copy is made; the second cannot be.
    edit.clipboard.objects.at(1)->effectList.front() = std::make_shared<Unknown>();
    const std::string before = saved();
    EXPECT_ANY_THROW(Edit::EditCommand::pasteObject(edit, 10, 0));
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(objectLines(), (Lines{"2 100,149", "4 120,199"}));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_TRUE(lockFree());
}

TEST_F(ClipboardCommand, NothingToCopyOrPasteDoesNothing) {
    place(0, 0, 9);
    Edit::EditCommand::copyObject(edit);  // no selection, no focus
    Edit::EditCommand::pasteObject(edit, 0, 0);
    Edit::EditCommand::pasteObject(edit);
    EXPECT_EQ(objectLines(), Lines{"0 0,9"});
    EXPECT_TRUE(registry.env.infoLines("Edit::EditCommand::copyObject").empty());
    EXPECT_TRUE(registry.env.infoLines("Edit::EditCommand::pasteObject").empty());
    EXPECT_FALSE(undo.canUndo());

    Edit::ObjectCopyList empty;
    empty.extent.topLayer = 5;
    empty.calcExtent();
    EXPECT_EQ(std::tie(empty.extent.topLayer, empty.extent.bottomLayer, empty.extent.firstFrame,
                       empty.extent.lastFrame),
              std::tuple(0, 0, 0, 0));
}

TEST_F(ClipboardCommand, ACopyKeepsItsPlaceAfterTheSourceIsGone) {
    copyBlock();
    {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        a->layer = -1;
        scene().getLayerObjectListGrow(2).reindexNeeded = true;
    }
    a.reset();
    Edit::EditCommand::pasteObject(edit, 0, 0);
    EXPECT_EQ(objectLines(), (Lines{"0 0,49", "2 20,99", "4 120,199"}));
}

}  // namespace
