// The timeline's zoom steps, zooming around a frame, the visible counts and
// scroll ranges, the wheel, and the ruler's tick step and time labels.
#include "core/event/DialogSeam.h"
#include "panels/timeline/TimeGaugeScale.h"
#include "panels/timeline/TimelinePanelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Component::EditComponent;

TEST(TimelineZoomSteps, OneStepEachWayClampedAtTheEndsOfTheTable) {
    struct Case {
        int current, steps, expected;
    };
    for (const Case& c : std::vector<Case>{{10000, 1, 15000},
                                           {10000, -1, 7500},
                                           {100000, 1, 100000},
                                           {20, -1, 20},
                                           {75000, 3, 100000},
                                           {30, -5, 20}}) {
        SCOPED_TRACE(std::to_string(c.current) + " by " + std::to_string(c.steps));
        EXPECT_EQ(EditComponent::stepZoom(c.current, c.steps).zoom, c.expected);
    }
    // The normaliser that comes with a step keeps table values and turns
    // any other into one pixel a frame.
    Edit::FrameZoom zoom = EditComponent::stepZoom(10000, 1);
    zoom.set(12345);
    EXPECT_EQ(zoom.zoom, 10000);
    zoom.set(750);
    EXPECT_EQ(zoom.zoom, 750);
}

TEST(TimeGaugeScale, TickStepAndLabels) {
    // About ten pixels (times the interface scale) between ticks.
    EXPECT_EQ(Component::timeGaugeTickStep(1.0f, 10000), 10);
    EXPECT_EQ(Component::timeGaugeTickStep(1.0f, 100000), 1);
    EXPECT_EQ(Component::timeGaugeTickStep(1.5f, 10000), 15);
    EXPECT_EQ(Component::timeGaugeTickStep(1.0f, 20), 5000);

    struct Case {
        int frame, rate, scale;
        const wchar_t* label;
    };
    for (const Case& c : std::vector<Case>{{3000, 30, 1, L"00:01:40.00"},
                                           {30, 30000, 1001, L"00:00:01.00"},
                                           {0, 30, 1, L"00:00:00.00"},
                                           {100, 30, 1, L"00:00:03.33"},
                                           {108000 + 45, 30, 1, L"01:00:01.50"}}) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(Component::timeGaugeLabel(c.frame, c.rate, c.scale), c.label);
    }
}

class TimelineView : public ::testing::Test, public TimelineTest::PanelFixture {};

TEST_F(TimelineView, ZoomKeepsTheAnchorFrameInPlace) {
    place(0, 0, 5000);
    panel->refreshView(-1);
    panel->scrollTo(0, 100, 0);
    ASSERT_EQ(scene().displayFrame, 100);
    // Frame 200 lies at x 100; at 1.5 pixels a frame, 66 frames left of it.
    panel->setZoom(EditComponent::stepZoom(10000, 1), 200);
    EXPECT_EQ(scene().zoom.zoom, 15000);
    EXPECT_EQ(scene().displayFrame, 134);
    EXPECT_EQ(panel->xAt(200), 99);
    EXPECT_EQ(panel->zoomGauge.zoom.zoom, 15000);
    EXPECT_EQ(panel->zoomGauge.litCount, 20);
    // The object area shows 1000 pixels: 667 frames and the partial one.
    EXPECT_EQ(panel->visibleFrames, 667);

    // The wheel without keys moves 100 pixels' worth of frames.
    panel->wheelView(10, 10, -120);
    EXPECT_EQ(scene().displayFrame, 134 + 66);
    for (int i = 0; i < 4; ++i) panel->wheelView(10, 10, 120);
    EXPECT_EQ(scene().displayFrame, 0);
}

TEST_F(TimelineView, CountsAndRangesFollowThePanelAndTheScene) {
    EXPECT_EQ(panel->visibleFrames, 1001);
    EXPECT_EQ(panel->visibleLayers, 11);
    // An empty scene, forced: the range is what shows, so only frame 0 and
    // layer 0 can be first.
    EXPECT_EQ(panel->frameRange, 1001);
    panel->scrollTo(3, 50, 0);
    EXPECT_EQ(scene().displayFrame, 0);
    EXPECT_EQ(scene().displayLayer, 0);

    place(30, 0, 5000);
    panel->refreshView(-1);
    // Half a view more than the scene holds.
    EXPECT_EQ(panel->frameRange, 5000 + 500);
    EXPECT_EQ(panel->layerRange, 30 + 5);
    panel->scrollTo(99, 99999, 0);
    EXPECT_EQ(scene().displayLayer, 35 - 11);
    EXPECT_EQ(scene().displayFrame, 5500 - 1001);
    EXPECT_EQ(panel->horizontalBar.maximum, 5500);
    EXPECT_EQ(panel->horizontalBar.step, 100);

    // Narrower than the header column and the bar: nothing shows, and the
    // first frame is held only by the range.
    resize(90, 324);
    EXPECT_EQ(panel->visibleFrames, 0);
    panel->scrollTo(0, 99999, 0);
    EXPECT_EQ(scene().displayFrame, 5000);
}

TEST_F(TimelineView, TheCursorStaysWithinTheSceneAndAFarFrameRecentresTheView) {
    place(0, 0, 3000);
    panel->refreshView(-1);
    panel->scrollTo(0, 0, 9999);
    EXPECT_EQ(scene().cursorFrame, 3000);
    // A cursor change to a frame just past the view centres it.
    scene().cursorFrame = 1002;
    panel->onFrameChange(1002);
    EXPECT_EQ(scene().displayFrame, 1002 - 1001 / 2);
    // Playback past the view pages: the frame becomes the first one.
    panel->onPlayFrame(1600);
    EXPECT_EQ(scene().displayFrame, 1600);
}

TEST_F(TimelineView, TheRulerClearsTheRangeSelectionOnceAndTellsTheListeners) {
    std::vector<std::pair<int, int>> heard;
    int key = 0;
    System::Singleton<Event::EventService>::getInstance()->frameRangeSelect.add(
        &key, [&](int start, int end) { heard.emplace_back(start, end); });
    scene().selectStartFrame = 10;
    scene().selectEndFrame = 20;
    panel->timeGauge.clearFrameRange();
    panel->timeGauge.clearFrameRange();
    EXPECT_EQ(scene().selectStartFrame, -1);
    EXPECT_EQ(scene().selectEndFrame, -1);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{-1, -1}}));
    System::Singleton<Event::EventService>::getInstance()->removeListener(&key);
}

// Answers the tempo dialog with the test's values, or cancels.
class TempoSeam : public Dialog::DialogSeam {
public:
    bool tempoGridDialog(Dialog::TempoGridValues& values) override {
        shown = values;
        if (!confirm) return false;
        values = answer;
        return true;
    }
    bool confirm = true;
    Dialog::TempoGridValues shown;
    Dialog::TempoGridValues answer;
};

TEST_F(TimelineView, TheTempoDialogStartsFromTheSceneAndStoresWhatIsConfirmed) {
    TempoSeam seam;
    Dialog::DialogSeam::install(&seam);
    scene().tempoBeatPerMinute = 90.0f;
    scene().tempoBeatTime = 3;
    scene().tempoOffsetTime = -0.5f;
    int updates = 0;
    int key = 0;
    System::Singleton<Event::EventService>::getInstance()->objectUpdate.add(
        &key, [&](std::shared_ptr<Edit::Object>&) { ++updates; });

    seam.answer = {128.4, 7, 1.25};
    panel->showTempoDialog();
    EXPECT_EQ(seam.shown.tempo, 90.0);
    EXPECT_EQ(seam.shown.beats, 3);
    EXPECT_EQ(seam.shown.offset, -0.5);
    EXPECT_EQ(scene().tempoBeatPerMinute, 128.4f);
    EXPECT_EQ(scene().tempoBeatTime, 7);
    EXPECT_EQ(scene().tempoOffsetTime, 1.25f);
    EXPECT_EQ(updates, 1);

    seam.confirm = false;
    seam.answer = {60.0, 2, 0.0};
    panel->showTempoDialog();
    EXPECT_EQ(scene().tempoBeatTime, 7);
    EXPECT_EQ(updates, 1);
    System::Singleton<Event::EventService>::getInstance()->removeListener(&key);
    Dialog::DialogSeam::install(nullptr);
}

}  // namespace
