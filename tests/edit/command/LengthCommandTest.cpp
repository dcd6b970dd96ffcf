#include "edit/command/LengthCommand.h"

#include "edit/command/EditCommandTestSupport.h"
#include "support/LogCapture.h"

namespace {

namespace EditCommand = Edit::EditCommand;

class Length : public CommandTest::EditFixture {};

TEST_F(Length, LeftGapsCloseForEveryTargetOfALayer) {
    const auto a = place(0, 10, 19);
    const auto b = place(0, 30, 39);
    const auto c = place(1, 0, 9);
    const auto d = place(1, 15, 20);
    place(1, 40, 49);
    select({a, b, c});
    TestSupport::LogCapture log;
    expectUndoRedo([&] { EditCommand::removeObjectLeftGap(edit); });
    // The object at frame 0 has no gap; the untargeted ones on layer 1 still
    // move with the gap before them (none here).
    EXPECT_EQ(placement(), "0:0,9 0:10,19 1:0,9 1:15,20 1:40,49");
    EXPECT_TRUE(scene().selection.objects.empty());
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::removeObjectLeftGap", "remove left gap num=3"), 1);

    select({d});
    EditCommand::removeObjectLeftGap(edit);
    EXPECT_EQ(placement(), "0:0,9 0:10,19 1:0,9 1:10,15 1:35,44");
}

TEST_F(Length, InsertedEmptyFramesMoveWhatStartsAtOrAfterTheFrameOnEveryLayer) {
    place(0, 100, 150);
    place(1, 90, 120);
    place(1, 130, 140);
    place(3, 20, 30);
    place(3, 200, 210);
    TestSupport::LogCapture log;
    for (const std::optional<int> answer : {std::optional<int>(), std::optional<int>(0)}) {
        dialogs.answers = {answer};
        EditCommand::insertNullFrame(edit, 100);
    }
    EXPECT_TRUE(log.of(System::Log::INFO).empty());

    dialogs.answers = {30};
    expectUndoRedo([&] { EditCommand::insertNullFrame(edit, 100); });
    EXPECT_EQ(placement(), "0:130,180 1:90,120 1:160,170 3:20,30 3:230,240");
    EXPECT_EQ(dialogs.asked.back().title, L"空のフレームを挿入");
    EXPECT_EQ(dialogs.asked.back().frames, 0);
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::insertNullFrame", "insert null frame length=30"), 1);
}

TEST_F(Length, ObjectLengthsFollowTheAnswerAndKeepTwoFrames) {
    const auto a = place(0, 10, 19);
    const auto b = place(1, 0, 49);
    place(1, 60, 70);
    select({a, b});
    TestSupport::LogCapture log;
    dialogs.answers = {std::nullopt};
    EditCommand::changeObjectLength(edit);
    EXPECT_EQ(dialogs.asked.back().title, L"オブジェクトの長さを変更");
    EXPECT_EQ(dialogs.asked.back().frames, 10);

    dialogs.answers = {100};
    expectUndoRedo([&] { EditCommand::changeObjectLength(edit); });
    EXPECT_EQ(placement(), "0:10,109 1:0,59 1:60,70");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::changeObjectLength",
                        "change object length num=2 length=100"),
              1);

    // A length of 0 or 1 leaves the shortest object there is: two frames.
    for (int answer : {0, 1}) {
        dialogs.answers = {answer};
        EditCommand::changeObjectLength(edit);
        EXPECT_EQ(placement(), "0:10,11 1:0,1 1:60,70");
    }
}

TEST_F(Length, SectionLengthShowsItsFramesAndMovesWhatFollows) {
    const auto object = place(0, 0, 99);
    object->addSection(30, nullptr);
    object->addSection(60, nullptr);
    place(0, 150, 160);
    TestSupport::LogCapture log;
    dialogs.answers = {std::nullopt, std::nullopt, std::nullopt};
    for (int section : {0, 1, 2}) EditCommand::changeSectionLength(edit, object, section);
    EditCommand::changeSectionLength(edit, object, 3);
    ASSERT_EQ(dialogs.asked.size(), 3u);
    // The last section shows one less than its frame count.
    EXPECT_EQ(dialogs.asked[0].frames, 30);
    EXPECT_EQ(dialogs.asked[1].frames, 30);
    EXPECT_EQ(dialogs.asked[2].frames, 39);
    EXPECT_EQ(dialogs.asked[2].title, L"区間の長さを変更");

    dialogs.answers = {10};
    expectUndoRedo([&] { EditCommand::changeSectionLength(edit, object, 1); });
    EXPECT_EQ(placement(), "0:0,30,40,79 0:150,160");
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditCommand::changeSectionLength",
                        "change section length section=1 length=10"),
              1);
    dialogs.answers = {120};  // stops before the next object
    EditCommand::changeSectionLength(edit, object, 2);
    EXPECT_EQ(placement(), "0:0,30,40,149 0:150,160");
}

TEST_F(Length, MoveByDialogSetsTheCursorWithinTheScene) {
    place(0, 0, 99);
    scene().cursorFrame = 12;
    dialogs.answers = {40, 500, std::nullopt};
    EditCommand::moveFrameByDialog(edit);
    EXPECT_EQ(dialogs.asked.back().title, L"指定時間に移動");
    EXPECT_EQ(dialogs.asked.back().frames, 12);
    EXPECT_EQ(scene().cursorFrame, 40);
    EditCommand::moveFrameByDialog(edit);
    EXPECT_EQ(scene().cursorFrame, 99);
    EditCommand::moveFrameByDialog(edit);
    EXPECT_EQ(scene().cursorFrame, 99);
}

}  // namespace
