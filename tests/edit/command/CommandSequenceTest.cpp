// A session of object commands on one project: the placement after every
// step worked out by hand, then every step undone back to the first file
// and redone to the last.
#include "edit/command/CutCommand.h"
#include "edit/command/EditCommandTestSupport.h"
#include "edit/command/LengthCommand.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/command/ObjectEditCommand.h"

namespace {

namespace EditCommand = Edit::EditCommand;

class CommandSequence : public CommandTest::EditFixture {
protected:
    // The single object of the layer that starts at the frame.
    Edit::ObjectPointer at(int layer, int start) {
        for (const auto& object : scene().getLayerObjectList(layer).objects)
            if (object->start == start) return object;
        ADD_FAILURE() << "no object at " << layer << ":" << start;
        return nullptr;
    }
    void only(const Edit::ObjectPointer& object) {
        scene().selection.clear();
        select({object});
    }
};

TEST_F(CommandSequence, EditsUndoToTheFirstFileAndRedoToTheLast) {
    const auto a = place(0, 0, 99);
    a->addSection(50, nullptr);
    a->addSection(80, nullptr);
    place(1, 100, 150);
    place(1, 200, 260);
    place(2, 90, 120);
    const std::string first = savedContent();

    struct Step {
        const char* what;
        std::function<void()> run;
        std::string placement;
    };
    const std::vector<Step> steps = {
        {"create before a neighbour", [&] { EditCommand::createObject(edit, EditTest::kFigure, 1, 30, nullptr); },
         "0:0,50,80,99 1:30,99 1:100,150 1:200,260 2:90,120"},
        {"create between two", [&] { EditCommand::createObject(edit, EditTest::kFigure, 1, 120, nullptr); },
         "0:0,50,80,99 1:30,99 1:100,150 1:151,199 1:200,260 2:90,120"},
        {"create after the last", [&] { EditCommand::createObject(edit, EditTest::kFigure, 1, 300, nullptr); },
         "0:0,50,80,99 1:30,99 1:100,150 1:151,199 1:200,260 1:300,380 2:90,120"},
        {"split at a boundary",
         [&] {
             only(at(0, 0));
             EditCommand::splitObject(edit, 50);
         },
         "0:0,49 0:50,80,99 1:30,99 1:100,150 1:151,199 1:200,260 1:300,380 2:90,120"},
        {"split inside a section",
         [&] {
             only(at(0, 50));
             EditCommand::splitObject(edit, 65);
         },
         "0:0,49 0:50,64 0:65,80,99 1:30,99 1:100,150 1:151,199 1:200,260 1:300,380 2:90,120"},
        {"insert 30 empty frames at 100",
         [&] {
             scene().selection.clear();
             dialogs.answers = {30};
             EditCommand::insertNullFrame(edit, 100);
         },
         "0:0,49 0:50,64 0:65,80,99 1:30,99 1:130,180 1:181,229 1:230,290 1:330,410 2:90,120"},
        {"cut 100 .. 119 closing the gap",
         [&] {
             only(at(2, 90));
             scene().selectStartFrame = 100;
             scene().selectEndFrame = 119;
             scene().cursorFrame = 150;
             EditCommand::cutObject(edit, true);
             EXPECT_EQ(scene().cursorFrame, 130);
         },
         "0:0,49 0:50,64 0:65,80,99 1:30,99 1:130,180 1:181,229 1:230,290 1:330,410 2:90,99 2:100,100"},
        {"trim to 140 .. 149",
         [&] {
             only(at(1, 130));
             scene().selectStartFrame = 140;
             scene().selectEndFrame = 149;
             EditCommand::trimObject(edit);
         },
         "0:0,49 0:50,64 0:65,80,99 1:30,99 1:130,139 1:181,229 1:230,290 1:330,410 2:90,99 2:100,100"},
    };
    std::vector<std::string> files = {first};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.run();
        EXPECT_EQ(placement(), step.placement);
        files.push_back(savedContent());
    }
    for (std::size_t n = steps.size(); n > 0; --n) {
        SCOPED_TRACE(steps[n - 1].what);
        undo.undo();
        EXPECT_EQ(savedContent(), files[n - 1]);
    }
    EXPECT_FALSE(undo.canUndo());
    for (std::size_t n = 1; n <= steps.size(); ++n) {
        SCOPED_TRACE(steps[n - 1].what);
        undo.redo();
        EXPECT_EQ(savedContent(), files[n]);
    }
}

}  // namespace
