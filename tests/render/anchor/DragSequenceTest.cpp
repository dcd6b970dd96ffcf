// A drag on an object's position anchor as the preview runs it: the press
// opens an undo group with the effect's values, every step runs in its own
// edit scope, the release commits one undo record per drag.
#include "render/anchor/AnchorTestSupport.h"

#include "core/base/Singleton.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

#include <gtest/gtest.h>

namespace {

using AnchorTest::outputOf;

class DragSequenceTest : public AnchorTest::AnchorFixture {
protected:
    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Undo::UndoService& undo = *undoHolder.getInstance();
    Edit::EditService& edit = *editHolder.getInstance();

    // Press on the anchor, one step per offset, release.
    void drag(AnchorTest::Control& control, const Anchor::AnchorItem& item,
              std::initializer_list<std::pair<int, int>> offsets) {
        Anchor::AnchorEvent record;
        record.control = &control;
        record.object = item.object;
        record.effect = item.effect;
        record.index = item.index;
        record.flags = item.flags;
        record.kind = Anchor::AnchorEvent::Drag;
        record.matrix = item.matrix;
        record.payload = item.payload;
        undo.beginUndoGroup();
        undo.addEffectUndoUpdate(record.effect);
        for (const auto& [x, y] : offsets) {
            Edit::EditScope scope(edit);
            scope.refreshSetting = scope.refreshTimeSetting = scope.refreshColorSetting = true;
            scope.notifyObjectUpdate = true;
            record.dx = x - record.x;
            record.dy = y - record.y;
            record.x = x;
            record.y = y;
            record.effect->anchorEvent(record);
        }
        undo.commitUndoGroup();
    }
};

TEST_F(DragSequenceTest, EachDragIsOneUndoStep) {
    Edit::ObjectPointer object = place(0, 0, 20);
    object->boundaries = {10};
    AnchorTest::PlaceOutput& output = outputOf(*object);
    output.x.movement = movements->linear;
    output.x.values = {0, 500, 1000};
    scene.focusObject = object;
    object->selected = true;
    drawOutput(object, 0, 40, 20);
    AnchorTest::Control control(0, 0, 200, 100);
    control.layout(list.items);
    const Anchor::AnchorItem& anchor = *control.hitList[0];
    ASSERT_EQ(anchor.index, 100000000);

    drag(control, anchor, {{3, 0}, {8, 1}, {12, 2}});
    EXPECT_EQ(output.x.values, (std::vector<std::int32_t>{120, 620, 1120}));
    EXPECT_EQ(output.y.values, (std::vector<std::int32_t>{20}));
    // The same anchor again (no new frame in between): 30 pixels back.
    drag(control, anchor, {{-5, 0}, {-30, 0}});
    EXPECT_EQ(output.x.values, (std::vector<std::int32_t>{-180, 320, 820}));

    // One step back undoes the whole second drag, the next the first.
    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(output.x.values, (std::vector<std::int32_t>{120, 620, 1120}));
    undo.undo();
    EXPECT_EQ(output.x.values, (std::vector<std::int32_t>{0, 500, 1000}));
    EXPECT_EQ(output.y.values, (std::vector<std::int32_t>{0}));
    EXPECT_FALSE(undo.canUndo());
}

}  // namespace
