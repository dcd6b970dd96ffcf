#include "edit/service/EditService.h"

#include "edit/scope/EditScope.h"
#include "edit/scope/ScopeTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using EditTest::kFigure;

class Service : public ::testing::Test, public ScopeTest::Fixture {
protected:
    Service() {
        ev().frameChange.add(this, [this](int frame) { heard.push_back("frame " + std::to_string(frame)); });
        ev().focusObjectChange.add(this, [this](Edit::ObjectPointer& focus) {
            heard.push_back("focus " + std::to_string(focus ? focus->start : -1));
        });
        ev().sceneChange.add(this, [this](int id) { heard.push_back("scene " + std::to_string(id)); });
    }
    ~Service() override { ev().removeListener(this); }
    Event::EventService& ev() { return *events.getInstance(); }

    Edit::ObjectPointer place(int layer, int start, int end) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        return scene().createObject(kFigure, layer, start, end);
    }

    std::vector<std::string> heard;
};

TEST_F(Service, StartsOnSceneZeroWithItsHistory) {
    EXPECT_EQ(edit.project.currentSceneId, 0);
    EXPECT_EQ(scene().id, 0);
    EXPECT_EQ(undo.history, &scene().undoHistory);
    EXPECT_EQ(undo.editService, &edit);
    EXPECT_EQ(std::tie(scene().videoRate, scene().videoScale, scene().width, scene().height, scene().audioRate),
              std::tuple(30, 1, 1920, 1080, 44100));
}

TEST_F(Service, CursorStaysInsideTheScene) {
    place(0, 0, 99);
    edit.setCurrentFrame(-5);
    edit.setCurrentFrame(40);
    edit.setCurrentFrame(500);
    EXPECT_EQ(heard, (std::vector<std::string>{"frame 0", "frame 40", "frame 99"}));
    EXPECT_EQ(scene().cursorFrame, 99);
}

TEST_F(Service, CustomStepsInFramesOrSeconds) {
    place(0, 0, 999);
    edit.setCurrentFrame(100);
    const struct {
        const wchar_t* step;
        int direction;
        int expected;
    } cases[] = {
        {L"5f", +1, 105}, {L"1.5", -1, 60}, {L"abc", +1, 60}, {L"1", +1, 90},
        {L".5", +1, 90},  {L"2f", -1, 88},  {L"f", +1, 88},   {L"0.5", -1, 73},  // 15 frames
        {L"99999999999999999999f", +1, 73},
    };
    for (const auto& c : cases) {
        edit.moveCustomFrame(c.step, c.direction);
        EXPECT_EQ(scene().cursorFrame, c.expected) << std::string(c.step, c.step + wcslen(c.step));
    }
    scene().videoRate = 30000;
    scene().videoScale = 1001;
    edit.moveCustomFrame(L"1", +1);  // 29.97 frames rounds to 30
    EXPECT_EQ(scene().cursorFrame, 103);
}

TEST_F(Service, FocusFollowsTheCursorWhenAsked) {
    const Edit::ObjectPointer a = place(1, 0, 49);
    const Edit::ObjectPointer b = place(1, 50, 99);
    scene().focusObject = a;
    edit.setCurrentFrame(60);
    EXPECT_EQ(scene().focusObject, a);
    edit.moveFrameFollowFocusObject = 1;
    edit.setCurrentFrame(20);  // still inside the focus
    edit.setCurrentFrame(70);
    EXPECT_EQ(scene().focusObject, b);
    EXPECT_EQ(heard, (std::vector<std::string>{"frame 60", "frame 20", "frame 70", "focus 50"}));
}

TEST_F(Service, UpdateSceneSwitchesAndAnnounces) {
    TestSupport::LogCapture log;
    edit.updateScene(2);
    EXPECT_EQ(edit.project.currentSceneId, 2);
    EXPECT_EQ(scene().id, 2);
    EXPECT_EQ(undo.history, &scene().undoHistory);
    EXPECT_EQ(heard, std::vector<std::string>{"scene 2"});
    EXPECT_EQ(log.count(System::Log::INFO, "Edit::EditService::updateScene", "set current scnene [Scene2](2)"), 1);
}

}  // namespace
