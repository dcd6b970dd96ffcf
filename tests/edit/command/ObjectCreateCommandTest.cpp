#include "edit/command/ObjectCreateCommand.h"

#include "edit/command/EditCommandTestSupport.h"
#include "support/LogCapture.h"

#include <stdexcept>

namespace {

using EditTest::kFigure;

class CreateObject : public CommandTest::EditFixture {};

TEST_F(CreateObject, FitsTheZoomedLengthBeforeBetweenAndAfterNeighbours) {
    struct Case {
        int zoom;
        std::vector<std::pair<int, int>> neighbours;
        int frame;
        std::string expected;  // the new object's frames
    };
    const std::vector<Case> cases = {
        {10000, {}, 100, "100,180"},                     // 800000 / 10000 = 80 frames more
        {20000, {}, 100, "100,140"},
        {10000, {{150, 300}}, 100, "100,149"},           // before a neighbour: cut short
        {10000, {{50, 120}}, 100, "121,201"},            // after one covering the frame
        {10000, {{50, 120}, {150, 300}}, 100, "121,149"},  // between two
        {10000, {{50, 120}, {121, 130}, {200, 300}}, 100, "131,199"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        edit.project.clear();
        edit.setCurrentScene(0);
        scene().zoom.zoom = c.zoom;
        for (const auto& [start, end] : c.neighbours) place(3, start, end);
        Edit::EditCommand::createObject(edit, kFigure, 3, c.frame, nullptr);
        ASSERT_TRUE(scene().focusObject);
        EXPECT_EQ(std::to_string(scene().focusObject->start) + "," + std::to_string(scene().focusObject->end),
                  c.expected);
        EXPECT_EQ(scene().focusObject->layer, 3);
    }
}

TEST_F(CreateObject, LogsUndoesAndRedoesToTheFileBytes) {
    place(0, 0, 30);
    TestSupport::LogCapture log;
    expectUndoRedo([&] { Edit::EditCommand::createObject(edit, kFigure, 0, 10, nullptr); });
    EXPECT_EQ(placement(), "0:0,30 0:31,111");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::createObject", "create object [図形] layer=0 frame=10"),
              1);
}

TEST_F(CreateObject, TheCallbackSeesTheObjectAndItsFailureLeavesNothing) {
    Edit::ObjectPointer seen;
    Edit::EditCommand::createObject(edit, kFigure, 2, 5, [&](const Edit::ObjectPointer& made, Edit::EditScope& scope) {
        seen = made;
        EXPECT_EQ(scope.scene.get(), &scene());
    });
    EXPECT_EQ(seen, scene().focusObject);

    const std::string before = placement();
    EXPECT_THROW(Edit::EditCommand::createObject(
                     edit, kFigure, 4, 0,
                     [](const Edit::ObjectPointer&, Edit::EditScope&) { throw std::runtime_error("bad file"); }),
                 std::runtime_error);
    EXPECT_EQ(placement(), before);
    EXPECT_TRUE(scene().getLayerObjectList(4).objects.empty());
    // Nothing of the failed drop is left to undo: undo removes the first object.
    undo.undo();
    EXPECT_EQ(placement(), "");
}

}  // namespace
