#include "edit/command/SectionCommand.h"

#include "edit/command/EditCommandTestSupport.h"
#include "support/LogCapture.h"

namespace {

namespace EditCommand = Edit::EditCommand;

class Section : public CommandTest::EditFixture {
protected:
    // An object 0 .. 99 with a boundary at 50, the focus.
    Edit::ObjectPointer focused() {
        const auto object = place(0, 0, 99);
        object->addSection(50, nullptr);
        scene().setFocusObject(object);
        return object;
    }
};

TEST_F(Section, CreateAtTheCursorSkipsBoundariesAndTheObjectFormStillAdds) {
    const auto object = focused();
    TestSupport::LogCapture log;
    EditCommand::createSection(edit, 50);
    EditCommand::createSection(edit, 99);
    EXPECT_EQ(placement(), "0:0,50,99");
    expectUndoRedo([&] { EditCommand::createSection(edit, 20); });
    EXPECT_EQ(placement(), "0:0,20,50,99");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::createSection", "create section frame=20 num=1"), 1);

    // On a boundary the new one goes just inside the section it starts.
    EditCommand::createSection(edit, object, 50);
    EXPECT_EQ(placement(), "0:0,20,50,51,99");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::createSection", "create section layer=0 frame=50"), 1);
}

TEST_F(Section, DeleteRemovesOnlyTheBoundaryAtTheFrame) {
    const auto object = focused();
    object->addSection(70, nullptr);
    TestSupport::LogCapture log;
    for (int frame : {0, 60, 99}) EditCommand::deleteSection(edit, frame);
    EXPECT_EQ(placement(), "0:0,50,70,99");
    expectUndoRedo([&] { EditCommand::deleteSection(edit, 70); });
    EXPECT_EQ(placement(), "0:0,50,99");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::deleteSection", "delete section frame=70 num=1"), 1);

    EditCommand::deleteSection(edit, object, 1);
    EXPECT_EQ(placement(), "0:0,99");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::deleteSection",
                        "delete section layer=0 frame=0 section=1"),
              1);
}

TEST_F(Section, EvenSpacingSpreadsTheBoundariesOverTheWholeLength) {
    struct Case {
        int start;
        std::vector<int> boundaries;
        std::string spaced;
    };
    // 100 frames: three boundaries at 25, 50, 75; two at 33 and 66 (whole
    // frames, rounded down); an object starting later keeps its offsets.
    const std::vector<Case> cases = {{0, {10, 20, 30}, "0 0,25,50,75,99"},
                                     {0, {90, 95}, "1 0,33,66,99"},
                                     {200, {1}, "2 200,250,299"}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& k = cases[i];
        SCOPED_TRACE(k.spaced);
        Edit::ObjectPointer object = place(static_cast<int>(i), k.start, k.start + 99);
        for (int b : k.boundaries) object->addSection(k.start + b, nullptr);
        TestSupport::LogCapture log;
        expectUndoRedo([&] { EditCommand::changeSectionSpaceEvenly(edit, object); });
        EXPECT_EQ(objectLines().at(i), k.spaced);
        EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::changeSectionSpaceEvenly",
                            "change section space evenly"),
                  1);
    }
}

TEST_F(Section, TheMenuOffersDeletingOnlyWhereASectionStarts) {
    // Object 10 .. 99 with boundaries at 30 and 31 (a one-frame section).
    const auto object = place(0, 10, 99);
    object->addSection(30, nullptr);
    object->addSection(31, nullptr);
    const std::vector<std::pair<int, bool>> cases = {
        {10, true}, {20, false}, {30, true}, {31, true}, {50, false}, {99, false},
    };
    for (const auto& [frame, offered] : cases) {
        EXPECT_EQ(EditCommand::canDeleteSection(*object, frame), offered) << frame;
        EXPECT_EQ(object->isInsideSection(frame), frame == 20 || frame == 50) << frame;
    }
}

TEST_F(Section, TheCursorWalksTheFocusObjectsKeyFrames) {
    struct Case {
        int cursor;
        int next;
        int previous;
    };
    // Object 10 .. 99 with boundaries at 30 and 60.
    const std::vector<Case> cases = {
        {0, 10, 10},     // before: both go to the start
        {10, 30, 10},    // on the start the previous move stays
        {20, 30, 10},
        {30, 60, 10},
        {45, 60, 30},
        {60, 99, 30},
        {70, 99, 60},
        {99, 99, 60},    // on the end the next move stays
        {120, 99, 99},   // after: both go to the end
    };
    const auto object = place(0, 10, 99);
    object->addSection(30, nullptr);
    object->addSection(60, nullptr);
    place(1, 0, 200);
    scene().setFocusObject(object);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        scene().cursorFrame = c.cursor;
        EditCommand::moveNextSectionFrame(edit);
        EXPECT_EQ(scene().cursorFrame, c.next);
        scene().cursorFrame = c.cursor;
        EditCommand::movePrevSectionFrame(edit);
        EXPECT_EQ(scene().cursorFrame, c.previous);
    }
    scene().setFocusObject(nullptr);
    scene().cursorFrame = 45;
    EditCommand::moveNextSectionFrame(edit);
    EXPECT_EQ(scene().cursorFrame, 45);
}

}  // namespace
