// The footer's texts from their templates and the main window's title, as
// the scene, frame and object events leave them.
#include "panels/status/StatusComponent.h"

#include "edit/command/CommandTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kTag = "Component::StatusComponent::expandStatusVariable";

// The component over the fixture's edit service (the program's is a
// process-wide one).
class Status : public Component::StatusComponent {
public:
    Status(Edit::EditService& edit, std::wstring left, std::wstring right = L"")
        : StatusComponent(std::move(left), std::move(right)) {
        editService = &edit;
    }
};

class StatusComponentTest : public ::testing::Test, public CommandTest::Fixture {
protected:
    // The scene event that loading or switching a scene sends.
    void switchScene() { edit.updateScene(scene().id); }
};

TEST_F(StatusComponentTest, TemplatesExpandTheSceneAndFrameVariables) {
    scene().name = L"本編";
    place(0, 0, 299);
    const struct {
        const wchar_t* left;
        int rate, scale, audioRate;
        const wchar_t* shown;
    } cases[] = {
        {L"{SceneName} {Resolution} {FrameRate}", 30, 1, 48000, L"本編 1920x1080 30fps"},
        // 30000 / 1001 = 29.97002997...: six decimals, trailing zeros gone.
        {L"{FrameRate}", 30000, 1001, 48000, L"29.97003fps"},
        {L"{SamplingRate}", 30, 1, 44100, L"44.1khz"},
        {L"{SamplingRate}", 30, 1, 48000, L"48khz"},
        {L"{CurrentFrame}/{TotalFrame}", 30, 1, 48000, L"1/300"},
        // 300 frames at 30 per second.
        {L"{CurrentTime} / {TotalTime}", 30, 1, 48000, L"00:00:00.00 / 00:00:10.00"},
        {L"{SceneName}{SceneName} {}", 30, 1, 48000, L"本編本編 {}"},
        // The shortest run with at least one character: up to the next brace.
        {L"{}x{SceneName}", 30, 1, 48000, L""},
        {L"no variables", 30, 1, 48000, L"no variables"},
    };
    for (const auto& c : cases) {
        scene().videoRate = c.rate;
        scene().videoScale = c.scale;
        scene().audioRate = c.audioRate;
        Status status(edit, c.left, L"{TotalFrame}");
        switchScene();
        EXPECT_EQ(status.leftText, c.shown) << status.leftTemplate;
        EXPECT_EQ(status.rightText, L"300");
    }
    // A scene named like a variable shows its name as it is.
    scene().name = L"{CurrentFrame}";
    Status named(edit, L"{SceneName} {CurrentFrame}", L"{CurrentFrame} {SceneName}");
    switchScene();
    EXPECT_EQ(named.leftText, L"{CurrentFrame} 1");
    EXPECT_EQ(named.rightText, L"1 {CurrentFrame}");
}

TEST_F(StatusComponentTest, UnknownNamesExpandToNothingAndWarnEachTime) {
    TestSupport::LogCapture log;
    Status status(edit, L"<{Nope}>", L"<{{SceneName}>");
    switchScene();
    EXPECT_EQ(status.leftText, L"<>");
    // A doubled brace makes one name up to the first closing brace.
    EXPECT_EQ(status.rightText, L"<>");
    EXPECT_EQ(log.count(System::Log::WARN, kTag, "invalid footer text variable. {Nope}"), 1);
    EXPECT_EQ(log.count(System::Log::WARN, kTag, "invalid footer text variable. {{SceneName}"), 1);
    switchScene();
    EXPECT_EQ(log.count(System::Log::WARN, kTag, "invalid footer text variable. {Nope}"), 2);
}

TEST_F(StatusComponentTest, TheFooterFollowsTheFrameOnlyWhenFrameOrLengthChanged) {
    place(0, 0, 99);
    TestSupport::LogCapture log;
    // The warning counts the refreshes.
    Status status(edit, L"{CurrentFrame}/{TotalFrame}{Nope}");
    switchScene();
    ASSERT_EQ(log.of(System::Log::WARN).size(), 1u);
    // The first frame event sees the scene's length for the first time.
    edit.setCurrentFrame(0);
    ASSERT_EQ(log.of(System::Log::WARN).size(), 2u);
    EXPECT_EQ(status.leftText, L"1/100");

    edit.setCurrentFrame(0);
    EXPECT_EQ(log.of(System::Log::WARN).size(), 2u);

    edit.setCurrentFrame(41);
    EXPECT_EQ(status.leftText, L"42/100");
    EXPECT_EQ(log.of(System::Log::WARN).size(), 3u);

    // A longer scene at the same frame: the object-update event refreshes.
    Edit::ObjectPointer longer = place(1, 50, 149);
    System::Singleton<Event::EventService>::getInstance()->objectUpdate.notify(longer);
    EXPECT_EQ(status.leftText, L"42/150");
}

TEST_F(StatusComponentTest, TheTitleAndProjectNameComeFromTheProjectPath) {
    Status status(edit, L"{ProjectName}");
    switchScene();
    EXPECT_EQ(status.title, L"Movane Quorin2");
    EXPECT_EQ(status.leftText, L"");

    edit.project.path = L"/work/clip.final.mvp2";
    switchScene();
    EXPECT_EQ(status.title, L"clip.final.mvp2");
    EXPECT_EQ(status.leftText, L"clip.final");

    const struct {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* title;
    } cases[] = {
        {L"/work/a.b/clip", L"clip", L"clip"},
        {L"C:\\work\\clip.final.mvp2", L"clip.final", L"clip.final.mvp2"},
        {L"/work/folder/", L"", L"Movane Quorin2"},
        {L"", L"", L"Movane Quorin2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Component::StatusComponent::projectName(c.path), c.name) << c.path;
        EXPECT_EQ(Component::StatusComponent::titleOf(c.path), c.title) << c.path;
    }
}

}  // namespace
