// The player row over a real player: the range buttons, the frame and
// section buttons' states, the volume and zoom drags and the time counter.
#include "panels/preview/PlayerNavigateControl.h"
#include "panels/preview/PreviewControl.h"

#include "core/event/EventService.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "media/gpu/Direct3DService.h"
#include "render/audio/RenderAudioWorker.h"
#include "render/player/MoviePlayer.h"
#include "render/service/RenderVideoWorker.h"

#include <gtest/gtest.h>

namespace {

using namespace Component;

TEST(PlayerRange, TheCursorBecomesTheRangesStartOrEnd) {
    struct Case {
        bool start;
        int cursor;
        FrameRange range;
        FrameRange expected;
    };
    const int last = 299;
    const Case cases[] = {
        {true, 100, {-1, -1}, {100, 299}},  // no range: to the last frame
        {true, 120, {100, 110}, {120, 299}},  // an end before the cursor
        {true, 50, {100, 200}, {50, 200}},    // the end stays
        {true, 350, {-1, -1}, {299, 350}},    // beyond the last frame
        {true, -5, {10, 20}, {-5, -1}},
        {false, 50, {-1, -1}, {0, 50}},       // no start: from frame 0
        {false, 50, {60, 90}, {0, 50}},       // a later start
        {false, 80, {60, 90}, {60, 80}},
        {false, -3, {10, 20}, {-1, -3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cursor));
        EXPECT_EQ(c.start ? rangeWithStart(c.cursor, c.range, last) : rangeWithEnd(c.cursor, c.range), c.expected);
    }
}

TEST(TimeCounter, TheFramesTimeInHundredths) {
    EXPECT_EQ(TimeCounterControl::counterText(45, 30, 1), L"00:00:01.50");
    EXPECT_EQ(TimeCounterControl::counterText(0, 30, 1), L"00:00:00.00");
    EXPECT_EQ(TimeCounterControl::counterText(108000 + 45, 30, 1), L"01:00:01.50");
    EXPECT_EQ(TimeCounterControl::counterText(-45, 30, 1), L"-00:00:01.50");
    EXPECT_EQ(TimeCounterControl::counterText(1001, 30000, 1001), L"00:00:33.40");
}

// The workers need the GPU service; no style fonts are loaded.
class PlayerRowTest : public ::testing::Test {
protected:
    PlayerRowTest() {
        Edit::Scene& s = scene();
        s.totalLength = 299;
        events.getInstance()->frameRangeSelect.add(this, [this](int start, int end) { fired.push_back({start, end}); });
        owner.updateLayout();
    }
    ~PlayerRowTest() override { events.getInstance()->removeListener(this); }

    Edit::Scene& scene() { return *edit.getCurrentScene(); }
    void setCursor(int frame) {
        scene().cursorFrame = frame;
        row.updateState();
    }

    System::Singleton<Media::Direct3DService> direct3D;
    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undo;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *editHolder.getInstance();
    Render::RenderVideoWorker video{&edit};
    Render::RenderAudioWorker audio{&edit};
    Render::MoviePlayer player{&edit, video, audio, nullptr};
    int zoom = 100;
    Window::Rect rect{0, 0, 800, 600};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &rect, &rect};
    PreviewControl area{owner, 0, 0, 0, -32, &zoom};
    PlayerNavigateControl row{owner, 32, player, nullptr, area};
    std::vector<FrameRange> fired;
};

TEST_F(PlayerRowTest, TheRangeButtonsStoreTheRangeAndTellItOnce) {
    setCursor(100);
    row.setRangeStart();
    EXPECT_EQ((FrameRange{scene().selectStartFrame, scene().selectEndFrame}), (FrameRange{100, 299}));
    setCursor(120);
    scene().selectEndFrame = 110;
    row.setRangeStart();
    EXPECT_EQ((FrameRange{scene().selectStartFrame, scene().selectEndFrame}), (FrameRange{120, 299}));

    scene().selectStartFrame = scene().selectEndFrame = -1;
    fired.clear();
    setCursor(50);
    row.setRangeEnd();
    row.setRangeEnd();  // unchanged: stored and told once
    EXPECT_EQ((FrameRange{scene().selectStartFrame, scene().selectEndFrame}), (FrameRange{0, 50}));
    EXPECT_EQ(fired, (std::vector<FrameRange>{{0, 50}}));
    // The track bar follows the told range.
    EXPECT_EQ(row.trackBar.selectStart, 0);
    EXPECT_EQ(row.trackBar.selectEnd, 50);

    const Window::MenuEntries menu = row.playbackMenu();
    ASSERT_EQ(menu.size(), 8u);
    ASSERT_TRUE(menu[7].enabled);
    menu[7].command();  // "フレーム範囲選択を解除"
    EXPECT_EQ((FrameRange{scene().selectStartFrame, scene().selectEndFrame}), (FrameRange{-1, -1}));
    EXPECT_FALSE(row.playbackMenu()[7].enabled);
}

TEST_F(PlayerRowTest, FrameAndSectionButtonsFollowTheCursorAndTheFocus) {
    setCursor(0);
    row.updateButtons();
    EXPECT_FALSE(row.previousFrameButton.enabled);
    EXPECT_TRUE(row.nextFrameButton.enabled);
    EXPECT_FALSE(row.previousSectionButton.enabled);
    EXPECT_FALSE(row.nextSectionButton.enabled);
    setCursor(299);
    row.updateButtons();
    EXPECT_TRUE(row.previousFrameButton.enabled);
    EXPECT_FALSE(row.nextFrameButton.enabled);

    auto focus = std::make_shared<Edit::Object>();
    focus->start = 100;
    focus->end = 200;
    scene().focusObject = focus;
    setCursor(150);
    row.updateButtons();
    EXPECT_TRUE(row.previousSectionButton.enabled);
    EXPECT_TRUE(row.nextSectionButton.enabled);
    setCursor(200);
    row.updateButtons();
    EXPECT_FALSE(row.nextSectionButton.enabled);
    EXPECT_EQ(row.trackBar.position, 200);
}

TEST_F(PlayerRowTest, DraggingTheVolumeTwoPixelsAPercent) {
    player.volume = 50;
    row.volumeButton.procLButtonDown(0, 0);
    row.volumeButton.procMouseDrag(0, -41);
    EXPECT_EQ(player.volume, 70);
    row.volumeButton.procMouseDrag(0, 300);
    EXPECT_EQ(player.volume, 0);
}

TEST_F(PlayerRowTest, DraggingTheZoomStartsFromTheFitWhenFitting) {
    zoom = 100;
    row.zoomButton.procLButtonDown(0, 0);
    row.zoomButton.procMouseDrag(0, -2);
    EXPECT_EQ(zoom, 101);
    row.zoomButton.procMouseDrag(0, 1);  // less than a step
    EXPECT_EQ(zoom, 100);

    // 100 × 100 in the 800 × 568 area fits at 568 %.
    area.setBitmap(BitmapPointer(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 100, 100)));
    zoom = 0;
    row.zoomButton.procLButtonDown(0, 0);
    row.zoomButton.procMouseDrag(0, -2);
    EXPECT_EQ(zoom, 574);  // 1.01 × 568
    row.zoomButton.procMouseDrag(0, 4000);
    EXPECT_EQ(zoom, 10);
}

}  // namespace
