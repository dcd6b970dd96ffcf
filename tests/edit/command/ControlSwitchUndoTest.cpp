// A control object whose first effect is switched to one that governs the
// following layers (and back) by an edit, undo and redo: what the control
// governs follows the effect it holds at every step.
#include "edit/command/EffectMenuCommand.h"

#include "edit/command/CommandTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

class ControlSwitch : public ::testing::Test, public CommandTest::Fixture {};

TEST_F(ControlSwitch, UndoAndRedoRestoreWhatTheControlGoverns) {
    const Edit::ObjectPointer control = place(0, 0, 99, EditTest::kSceneChange);
    place(3, 0, 99);
    // The flag, the first effect's name, and how many controls govern
    // layer 3 at frame 10 (what the walks look up).
    const auto governed = [&] {
        int controls = 0;
        scene().enumControlObject(3, 10, 10, [&](int, int, bool) { ++controls; });
        return std::make_pair(std::wstring(control->effectList.front()->name) + (control->layerRangeControl ? L"+" : L""),
                              controls);
    };
    const auto sceneChange = std::make_pair(std::wstring(EditTest::kSceneChange), 0);
    const auto timeControl = std::make_pair(std::wstring(EditTest::kTime) + L"+", 1);
    ASSERT_EQ(governed(), sceneChange);

    Edit::EditCommand::setEffect(edit, control, EditTest::kTime, control->effectList.front().get(), true);
    ASSERT_EQ(governed(), timeControl);
    undo.undo();
    EXPECT_EQ(governed(), sceneChange);
    undo.redo();
    EXPECT_EQ(governed(), timeControl);
    undo.undo();
    EXPECT_EQ(governed(), sceneChange);

    // And from a governing control to one that is not.
    Edit::EditCommand::setEffect(edit, control, EditTest::kTime, control->effectList.front().get(), true);
    Edit::EditCommand::setEffect(edit, control, EditTest::kSceneChange, control->effectList.front().get(), true);
    ASSERT_EQ(governed(), sceneChange);
    undo.undo();
    EXPECT_EQ(governed(), timeControl);
    undo.redo();
    EXPECT_EQ(governed(), sceneChange);
    EXPECT_TRUE(lockFree());
}

}  // namespace
